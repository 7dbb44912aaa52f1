#include "draw/postscript.h"

#include <cmath>

#include "io/output_file.h"
#include "tree/category_code.h"

namespace bramble {

namespace {

const char* const COMMENT = "%%";

constexpr double ARROW_LENGTH = 6.0;
constexpr double ARROW_HALF_ANGLE = 0.2;  // radians

int truncated(double value) { return static_cast<int>(value); }

void write_arrowhead(FILE* file, int px, int py, int x2, int y2, int qx, int qy) {
  std::fprintf(file, "n %d %d m %d %d l %d %d l clp fill s \n", px, py, x2, y2, qx, qy);
}

void write_edge_label(FILE* file, const Dataset& data, int x, int y, int var, double cut_off) {
  if (data.is_nominal(var)) {
    std::fprintf(file, "treetext %d %d m ({", x, y);
    write_category_list(cut_off, data.ori_catg[var], file);
    std::fputs("}) show \n", file);
  } else if (data.is_missing_copy(var)) {
    std::fprintf(file, "treetext %d %d m (>%5.3f, NA) show \n", x, y, cut_off);
  } else {
    std::fprintf(file, "treetext %d %d m (>%5.3f) show \n", x, y, cut_off);
  }
}

}  // namespace

void write_ps_header(FILE* file) {
  std::fprintf(file, "%c!PS-Adobe-3.0\n", '%');
  std::fprintf(file, "%sDocumentFonts: Helvetica Helvetica-Bold Helvetica-Oblique\n", COMMENT);
  std::fprintf(file, "%s+ Helvetica-BoldOblique Symbol\n", COMMENT);
  std::fprintf(file, "%sDocumentMedia: letter 595 841 0 ()\n", COMMENT);
  std::fprintf(file, "%sTitle: Tree output\n", COMMENT);
  std::fprintf(file, "%sCreator: Bramble\n", COMMENT);
  std::fprintf(file, "%sPages: (atend)\n", COMMENT);
  std::fprintf(file, "%sOrientation: Portrait\n", COMMENT);
  std::fprintf(file, "%sBoundingBox: 18 18 577 824\n", COMMENT);
  std::fprintf(file, "%sEndComments\n", COMMENT);
  std::fprintf(file, "%sBeginProlog\n", COMMENT);
  std::fputs("/gs  { gsave } def\n"
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
             "/Tree-Drawing-dict  200 dict def\n",
             file);
  std::fprintf(file, "%sEndProlog\n", COMMENT);
}

void write_ps_trailer(FILE* file, int pages) {
  std::fprintf(file, "%sTrailer\n", COMMENT);
  std::fprintf(file, "%sPages: %d\n", COMMENT, pages);
  std::fprintf(file, "%sEOF\n", COMMENT);
}

void begin_page(FILE* file, int page) {
  std::fprintf(file, "%c%cPage: %d %d\n", '%', '%', page, page);
  std::fputs("bp\nTree-Drawing-dict begin\n60 750 translate\n", file);
}

void end_page(FILE* file) { std::fputs("end\nep\n", file); }

void draw_internal_node(FILE* file, const Dataset& data, const NodeBox& box, int radius, int var,
                        const std::vector<int>& counts) {
  const int shown = data.is_missing_copy(var) ? data.source_var[var] : var;
  const int x = box.x0;
  const int y = box.y0;
  const int a = radius / 2;
  const int b = radius / 3;
  std::fprintf(file, "n %d %d %d 0 360 arc clp s\n", x, y, radius);
  std::fprintf(file, "treetext %d %d m (%d) show %d %d m (%d) show \n", x - a, y + b, counts[1],
               x - a, y - b, counts[0]);
  std::fprintf(file, "treetext %d %d  m (x%d) show\n", x - b, y - radius - 10, shown + 1);
}

void draw_terminal_node(FILE* file, const NodeBox& box, const std::vector<int>& counts) {
  std::fprintf(file, "n %d %d m %d %d l %d %d l %d %d l %d %d l clp s \n", box.x0, box.y0, box.x1,
               box.y0, box.x1, box.y1, box.x0, box.y1, box.x0, box.y0);
  const double side = box.x1 - box.x0;
  const int x = box.x0 + truncated(side / 4);
  std::fprintf(file, "treetext %d %d m (%d) show %d %d m (%d) show \n", x,
               box.y0 + truncated(2 * side / 3), counts[1], x, box.y0 + truncated(side / 3),
               counts[0]);
}

void draw_edge(FILE* file, const Dataset& data, int x1, int y1, int x2, int y2, int var,
               double cut_off) {
  std::fprintf(file, "n %d %d m %d %d l clp s \n", x1, y1, x2, y2);
  // A vertical edge (x1 = x2) gives an infinite quotient and theta = pi / 2: it counts as running
  // down to the left.
  const double theta =
      std::atan(static_cast<double>(y1 - y2) / static_cast<double>(x1 - x2));
  const double plus = theta + ARROW_HALF_ANGLE;
  const double minus = theta - ARROW_HALF_ANGLE;
  if (theta > 0) {
    write_arrowhead(file, x2 + truncated(ARROW_LENGTH * std::cos(plus)),
                    y2 + truncated(ARROW_LENGTH * std::sin(plus)), x2, y2,
                    x2 + truncated(ARROW_LENGTH * std::cos(minus) + 0.5),
                    y2 + truncated(ARROW_LENGTH * std::sin(minus)));
    return;
  }
  write_arrowhead(file, x2 - truncated(ARROW_LENGTH * std::cos(plus) + 0.5),
                  y2 - truncated(ARROW_LENGTH * std::sin(plus)), x2, y2,
                  x2 - truncated(ARROW_LENGTH * std::cos(minus)),
                  y2 - truncated(ARROW_LENGTH * std::sin(minus)));
  write_edge_label(file, data, (x1 + x2) / 2, y1 - (y1 - y2) / 3, var, cut_off);
}

void draw_tree_page(const std::string& ps_name, const Dataset& data, const NodeTable& table,
                    const std::vector<std::vector<int>>& node_counts, int page, FILE* console) {
  const PageLayout layout = page_layout(table);
  FILE* file = open_output(ps_name, "a");
  begin_page(file, page);
  for (int i = 0; i < table.node_count; ++i) {
    if (table.left_child[i] > 0) {
      draw_internal_node(file, data, layout.box[i], layout.node_radius, table.split_var[i],
                         node_counts[i]);
    } else {
      draw_terminal_node(file, layout.box[i], node_counts[i]);
    }
  }
  for (int i = 0; i < table.node_count; ++i) {
    if (table.left_child[i] <= 0) continue;
    const EdgePoints edge = edge_endpoints(layout, table, i);
    const int var = table.split_var[i];
    draw_edge(file, data, edge.left_x1, edge.left_y1, edge.left_x2, edge.left_y2, var,
              table.cut_off[i]);
    draw_edge(file, data, edge.right_x1, edge.right_y1, edge.right_x2, edge.right_y2, var,
              table.cut_off[i]);
  }
  end_page(file);
  close_output(file, ps_name);
  std::fprintf(console, "Please view or print PS file: %s\n", ps_name.c_str());
}

}  // namespace bramble
