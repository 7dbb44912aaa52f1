#include "draw/postscript.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "numeric/fatal.h"
#include "numeric/limits.h"
#include "numeric/output_file.h"
#include "prune/hand_tree.h"
#include "support/run_binary.h"

namespace bramble {
namespace {

using bramble_test::add_covariate;
using bramble_test::add_ordinal;
using bramble_test::classes_only;
using bramble_test::exit_of;
using bramble_test::split;
using bramble_test::stream_text;

std::string written(const std::function<void(FILE*)>& write) {
  FILE* file = std::tmpfile();
  write(file);
  const std::string text = stream_text(file);
  std::fclose(file);
  return text;
}

// A scratch directory removed with everything in it when the test ends.
struct ScratchDir {
  std::string path = bramble_test::make_scratch_dir();
  ~ScratchDir() { std::filesystem::remove_all(path); }
};

// Covariates: 0 to 2 ordinal, 3 the missing copy of 1, 4 nominal with labels 10, 20, 30.
struct Drawing : ::testing::Test {
  Dataset data = classes_only(3, {0, 1, 2});
  int copy = 0, nominal = 0;
  Drawing() {
    for (int v = 0; v < 3; ++v) add_ordinal(data);
    copy = add_covariate(data, 1, 1);
    nominal = add_covariate(data, 3, -1, {10, 20, 30});
  }
};

TEST(PostScript, HeaderAndTrailerText) {
  EXPECT_EQ(written(write_ps_header),
            "%!PS-Adobe-3.0\n"
            "%%DocumentFonts: Helvetica Helvetica-Bold Helvetica-Oblique\n"
            "%%+ Helvetica-BoldOblique Symbol\n"
            "%%DocumentMedia: letter 595 841 0 ()\n"
            "%%Title: Tree output\n"
            "%%Creator: Bramble\n"
            "%%Pages: (atend)\n"
            "%%Orientation: Portrait\n"
            "%%BoundingBox: 18 18 577 824\n"
            "%%EndComments\n"
            "%%BeginProlog\n"
            "/gs  { gsave } def\n"
            "/gr  { grestore } def\n"
            "/bp  { gs 595.00 0} def\n"
            "/ep  { showpage gr } def\n"
            "/m   { moveto } def\n"
            "/l   { lineto } def\n"
            "/s {stroke} bind def\n"
            "/n {newpath} bind def\n"
            "/clp {closepath} bind def\n"
            "/inch {72 mul} def\n"
            "/cm {28.35 mul} def\n"
            "/treetext {/Times-Roman findfont 8 scalefont setfont} def\n"
            "/Tree-Drawing-dict  200 dict def\n"
            "%%EndProlog\n");
  EXPECT_EQ(written([](FILE* f) { write_ps_trailer(f, 7); }), "%%Trailer\n%%Pages: 7\n%%EOF\n");
  EXPECT_EQ(written([](FILE* f) {
              begin_page(f, 3);
              end_page(f);
            }),
            "%%Page: 3 3\nbp\nTree-Drawing-dict begin\n60 750 translate\nend\nep\n");
}

TEST_F(Drawing, CircleShowsClassOneAboveClassZeroAndTheCovariateBelow) {
  const NodeBox centre{225, -30, 0, 0};
  EXPECT_EQ(written([&](FILE* f) { draw_internal_node(f, data, centre, 30, 2, {7, 9, 4}); }),
            "n 225 -30 30 0 360 arc clp s\n"
            "treetext 210 -20 m (9) show 210 -40 m (7) show \n"
            "treetext 215 -70  m (x3) show\n");
  // A missing copy is labelled with the covariate it was made from.
  EXPECT_EQ(written([&](FILE* f) { draw_internal_node(f, data, centre, 30, copy, {7, 9, 4}); }),
            "n 225 -30 30 0 360 arc clp s\n"
            "treetext 210 -20 m (9) show 210 -40 m (7) show \n"
            "treetext 215 -70  m (x2) show\n");
}

TEST_F(Drawing, SquareShowsTheCountsAtFixedFractionsOfItsSide) {
  EXPECT_EQ(written([&](FILE* f) { draw_terminal_node(f, {-30, -610, 30, -550}, {12, 5}); }),
            "n -30 -610 m 30 -610 l 30 -550 l -30 -550 l -30 -610 l clp s \n"
            "treetext -15 -570 m (5) show -15 -590 m (12) show \n");
  // Side 50: the quotients 12.5, 33.3 and 16.7 are truncated before they are added.
  EXPECT_EQ(written([&](FILE* f) { draw_terminal_node(f, {-25, -605, 25, -555}, {1, 2}); }),
            "n -25 -605 m 25 -605 l 25 -555 l -25 -555 l -25 -605 l clp s \n"
            "treetext -13 -572 m (2) show -13 -589 m (1) show \n");
}

TEST_F(Drawing, LeftEdgeHasAnArrowheadAndNoLabel) {
  EXPECT_EQ(written([&](FILE* f) { draw_edge(f, data, 204, -52, 0, -550, 2, 2.45); }),
            "n 204 -52 m 0 -550 l clp s \n"
            "n 1 -545 m 0 -550 l 3 -546 l clp fill s \n");
}

TEST_F(Drawing, VerticalEdgeCountsAsRunningLeft) {
  EXPECT_EQ(written([&](FILE* f) { draw_edge(f, data, 100, -52, 100, -550, 2, 2.45); }),
            "n 100 -52 m 100 -550 l clp s \n"
            "n 99 -545 m 100 -550 l 101 -545 l clp fill s \n");
}

TEST_F(Drawing, RightEdgeIsLabelledWithTheConditionOfTheRightDaughter) {
  const std::string line = "n 246 -52 m 450 -550 l clp s \nn 447 -546 m 450 -550 l 449 -545 l clp fill s \n";
  EXPECT_EQ(written([&](FILE* f) { draw_edge(f, data, 246, -52, 450, -550, 2, 2.45); }),
            line + "treetext 348 -218 m (>2.450) show \n");
  EXPECT_EQ(written([&](FILE* f) { draw_edge(f, data, 246, -52, 450, -550, copy, 2.45); }),
            line + "treetext 348 -218 m (>2.450, NA) show \n");
  EXPECT_EQ(written([&](FILE* f) { draw_edge(f, data, 246, -52, 450, -550, nominal, 13.0); }),
            line + "treetext 348 -218 m ({30,10}) show \n");
}

// Appends page to path and returns the console text.
std::string draw_page(const std::string& path, const Dataset& data, const NodeTable& table, int page) {
  std::vector<std::vector<int>> counts(table.node_count, std::vector<int>{4, 3, 2});
  testing::internal::CaptureStdout();
  draw_tree_page(path, data, table, counts, page);
  return testing::internal::GetCapturedStdout();
}

TEST_F(Drawing, SingleNodePageIsOneSquare) {
  const ScratchDir scratch;
  const std::string path = scratch.path + "/tree.ps";
  NodeTable table(3, 3);
  EXPECT_EQ(draw_page(path, data, table, 1), "Please view or print PS file: " + path + "\n");
  EXPECT_EQ(bramble_test::read_file(path),
            "%%Page: 1 1\nbp\nTree-Drawing-dict begin\n60 750 translate\n"
            "n -30 -610 m 30 -610 l 30 -550 l -30 -550 l -30 -610 l clp s \n"
            "treetext -15 -570 m (3) show -15 -590 m (4) show \n"
            "end\nep\n");
}

TEST_F(Drawing, PageDrawsNodesThenEdgesAndAppends) {
  const ScratchDir scratch;
  const std::string path = scratch.path + "/tree.ps";
  bramble_test::write_file(path, "previous\n");
  NodeTable table(3, 3);
  split(table, 0, nominal, 13.0);
  draw_page(path, data, table, 2);
  const std::string text = bramble_test::read_file(path);
  EXPECT_EQ(text.rfind("previous\n%%Page: 2 2\n", 0), 0u);
  const std::size_t circle = text.find("n 225 -30 30 0 360 arc clp s\n");
  const std::size_t right_square = text.find("n 420 -610 m 480 -610 l");
  const std::size_t left_edge = text.find("n 204 -52 m 0 -550 l clp s \n");
  const std::size_t label = text.find("treetext 348 -218 m ({30,10}) show \n");
  ASSERT_NE(circle, std::string::npos);
  ASSERT_NE(right_square, std::string::npos);
  ASSERT_NE(left_edge, std::string::npos);
  ASSERT_NE(label, std::string::npos);
  EXPECT_LT(circle, right_square);
  EXPECT_LT(right_square, left_edge);
  EXPECT_LT(left_edge, label);
  EXPECT_EQ(text.substr(text.size() - 7), "end\nep\n");
}

TEST_F(Drawing, PageThatCannotBeOpenedEndsTheProgram) {
  const ScratchDir scratch;
  const std::string path = scratch.path + "/missing/tree.ps";
  NodeTable table(3, 3);
  const std::vector<std::vector<int>> counts(1, std::vector<int>(3));
  std::string printed;
  const ProgramExit stop = exit_of([&] { draw_tree_page(path, data, table, counts, 1); }, printed);
  EXPECT_EQ(printed, "Cannot over-write to file " + path +
                         ". It seems protected.\nPress Enter to end this program!");
  EXPECT_EQ(stop.status, STATUS_DATA_ERROR);
  EXPECT_TRUE(stop.wait_for_key);
}

TEST_F(Drawing, PageThatCannotBeWrittenEndsTheProgram) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  NodeTable table(3, 3);
  const std::vector<std::vector<int>> counts(1, std::vector<int>(3));
  std::string printed;
  const ProgramExit stop =
      exit_of([&] { draw_tree_page("/dev/full", data, table, counts, 1); }, printed);
  EXPECT_EQ(printed, "Could not write the file /dev/full completely (is the disk full?).\n"
                     "Press Enter to end this program!");
  EXPECT_EQ(stop.status, STATUS_DATA_ERROR);
}

// Splits every node of the first levels in growth order until the table holds about count nodes.
NodeTable bushy_tree(int count) {
  NodeTable table(3, 3);
  for (int node = 0; table.node_count + 2 <= count; ++node) split(table, node, node % 5, 1.25);
  return table;
}

NodeTable left_chain(int depth) {
  NodeTable table(3, 3);
  split(table, 0, 3, -0.5);
  for (int d = 1; d < depth; ++d) split(table, 2 * d - 1, 4, 12.0);
  return table;
}

// Ghostscript must read the whole document without an error and render every page.
TEST_F(Drawing, DocumentRendersInGhostscript) {
  if (std::system("command -v gs >/dev/null 2>&1") != 0) GTEST_SKIP() << "Ghostscript is not installed";
  const ScratchDir scratch;
  const std::string& dir = scratch.path;
  const std::string path = dir + "/trees.ps";
  FILE* file = open_output(path, "w");
  write_ps_header(file);
  close_output(file, path);

  const NodeTable trees[] = {NodeTable(3, 3), bushy_tree(3), bushy_tree(31), bushy_tree(199),
                             left_chain(12)};
  int pages = 0;
  for (const NodeTable& tree : trees) draw_page(path, data, tree, ++pages);
  // A page drawn by hand with a vertical edge (an infinite slope).
  file = open_output(path, "a");
  begin_page(file, ++pages);
  draw_internal_node(file, data, {200, -100, 0, 0}, 20, 0, {1, 2, 3});
  draw_edge(file, data, 200, -121, 200, -300, 0, 1.0);
  draw_terminal_node(file, {180, -340, 220, -300}, {1, 2, 3});
  end_page(file);
  close_output(file, path);

  file = open_output(path, "a");
  write_ps_trailer(file, pages);
  close_output(file, path);

  const std::string command = "cd '" + dir + "' && gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=bbox "
                              "trees.ps >gs.out 2>gs.err";
  EXPECT_EQ(std::system(command.c_str()), 0);
  const std::string report = bramble_test::read_file(dir + "/gs.out") +
                             bramble_test::read_file(dir + "/gs.err");
  EXPECT_EQ(report.find("Error"), std::string::npos) << report;
  int bounding_boxes = 0;
  for (std::size_t at = report.find("%%BoundingBox"); at != std::string::npos;
       at = report.find("%%BoundingBox", at + 1)) {
    ++bounding_boxes;
  }
  EXPECT_EQ(bounding_boxes, pages) << report;
}

}  // namespace
}  // namespace bramble
