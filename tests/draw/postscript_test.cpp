// Drawing pieces that whole runs (tests/e2e) do not meet: a smaller square, a vertical edge, deep
// and wide trees, and a drawing file that cannot be opened or written.
#include "draw/postscript.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "io/fatal.h"
#include "io/output_file.h"
#include "support/ghostscript.h"
#include "support/hand_tree.h"
#include "support/run_binary.h"

namespace bramble {
namespace {

using bramble_test::exit_of;
using bramble_test::split;
using bramble_test::written_by;

const Dataset DATA = bramble_test::five_covariates({0, 1, 2}, 3);

TEST(Drawing, SmallerSquareTruncatesEachFractionOfItsSide) {
  // Side 50: the quotients 12.5, 33.3 and 16.7 are truncated before they are added.
  EXPECT_EQ(written_by([](FILE* f) { draw_terminal_node(f, {-25, -605, 25, -555}, {1, 2}); }),
            "n -25 -605 m 25 -605 l 25 -555 l -25 -555 l -25 -605 l clp s \n"
            "treetext -13 -572 m (2) show -13 -589 m (1) show \n");
}

TEST(Drawing, VerticalEdgeCountsAsRunningLeft) {
  EXPECT_EQ(written_by([](FILE* f) { draw_edge(f, DATA, 100, -52, 100, -550, 2, 2.45); }),
            "n 100 -52 m 100 -550 l clp s \n"
            "n 99 -545 m 100 -550 l 101 -545 l clp fill s \n");
}

// Draws a single-node page into path; returns what ended the program and what it printed.
ProgramExit page_failure(const std::string& path, std::string& printed) {
  const NodeTable table(3, 3);
  const std::vector<std::vector<int>> counts(1, std::vector<int>(3));
  return exit_of([&](FILE* console) { draw_tree_page(path, DATA, table, counts, 1, console); },
                 printed);
}

TEST(Drawing, PageThatCannotBeOpenedEndsTheProgram) {
  const std::string path = bramble_test::make_scratch_dir() + "/missing/tree.ps";
  std::string printed;
  const ProgramExit stop = page_failure(path, printed);
  EXPECT_EQ(printed, "Cannot over-write to file " + path +
                         ". It seems protected.\nPress Enter to end this program!");
  EXPECT_EQ(stop.status, STATUS_DATA_ERROR);
  EXPECT_TRUE(stop.wait_for_key);
}

TEST(Drawing, PageThatCannotBeWrittenEndsTheProgram) {
  if (access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full";
  std::string printed;
  const ProgramExit stop = page_failure("/dev/full", printed);
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

TEST(Drawing, DeepAndWideTreesRenderInGhostscript) {
  const std::string path = bramble_test::make_scratch_dir() + "/trees.ps";
  FILE* file = open_output(path, "w");
  write_ps_header(file);
  close_output(file, path);
  int pages = 0;
  for (const NodeTable& tree : {NodeTable(3, 3), bushy_tree(31), bushy_tree(199), left_chain(12)}) {
    const std::vector<std::vector<int>> counts(tree.node_count, std::vector<int>{4, 3, 2});
    const std::string printed = written_by(
        [&](FILE* console) { draw_tree_page(path, DATA, tree, counts, ++pages, console); });
    EXPECT_EQ(printed, "Please view or print PS file: " + path + "\n");
  }
  // A page drawn by hand with a vertical edge (an infinite slope).
  file = open_output(path, "a");
  begin_page(file, ++pages);
  draw_internal_node(file, DATA, {200, -100, 0, 0}, 20, 0, {1, 2, 3});
  draw_edge(file, DATA, 200, -121, 200, -300, 0, 1.0);
  draw_terminal_node(file, {180, -340, 220, -300}, {1, 2, 3});
  end_page(file);
  write_ps_trailer(file, pages);
  close_output(file, path);
  if (!bramble_test::check_ghostscript_pages(path, pages)) GTEST_SKIP() << "no Ghostscript";
}

}  // namespace
}  // namespace bramble
