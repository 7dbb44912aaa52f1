#include "html/tree_svg.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "html/conditions.h"
#include "html/format.h"
#include "html/palette.h"
#include "html/tree_layout.h"
#include "html/xml_text.h"
#include "model/majority.h"

namespace bramble {

namespace {

// Text sizes in pixels (never below 9, so large trees stay legible), and the advance of a
// monospace character as a share of its size, a little generous so that estimates never fall
// short of the rendered text.
constexpr double NODE_FONT = 11.0;
constexpr double EDGE_FONT = 10.0;
constexpr double CHAR_ADVANCE = 0.62;
constexpr double LINE_HEIGHT = 14.0;
constexpr double BOX_PADDING = 6.0;
constexpr double BAR_HEIGHT = 8.0;
constexpr double MIN_BOX_WIDTH = 64.0;
constexpr double LABEL_HEIGHT = 14.0;
constexpr double LABEL_PADDING = 4.0;
constexpr double MARGIN = 12.0;
constexpr double LEGEND_HEIGHT = 28.0;
constexpr int COUNTS_PER_LINE = 5;

double text_width(const std::string& text, double font) {
  return display_columns(text) * font * CHAR_ADVANCE;
}

std::string joined_counts(const std::vector<int>& counts, const char* separator) {
  std::string text;
  for (std::size_t k = 0; k < counts.size(); ++k) {
    if (k > 0) text += separator;
    text += std::to_string(counts[k]);
  }
  return text;
}

// The text lines of a node's box, top to bottom; the bar goes below them.
std::vector<std::string> node_lines(const Model& model, const ModelNode& node) {
  std::vector<std::string> lines = {"node " + std::to_string(node.number),
                                    "n = " + std::to_string(node.cases)};
  for (std::size_t first = 0; first < node.class_counts.size(); first += COUNTS_PER_LINE) {
    const auto begin = node.class_counts.begin() + first;
    const auto end =
        node.class_counts.begin() + std::min(node.class_counts.size(), first + COUNTS_PER_LINE);
    lines.push_back(joined_counts(std::vector<int>(begin, end), " / "));
  }
  if (!node.is_split())
    lines.push_back("class " + class_text(model, majority_class(node.class_counts)));
  return lines;
}

// The condition of the edge down to each node; empty for the root and for nodes no split reaches.
std::vector<std::string> edge_labels(const Model& model, const ModelTree& tree) {
  std::vector<std::string> labels(tree.nodes.size());
  const int size = static_cast<int>(tree.nodes.size());
  for (const ModelNode& node : tree.nodes) {
    if (!node.is_split()) continue;
    if (node.left >= 1 && node.left <= size) {
      labels[node.left - 1] = condition_text(model, split_view(node), Daughter::left);
    }
    if (node.right >= 1 && node.right <= size) {
      labels[node.right - 1] = condition_text(model, split_view(node), Daughter::right);
    }
  }
  return labels;
}

struct Drawing {
  const Model& model;
  const ModelTree& tree;
  std::vector<std::vector<std::string>> lines;
  std::vector<std::string> labels;
  std::vector<NodeExtent> extents;
  TreeLayout layout;
  std::string out;

  double left(const NodePlace& place) const { return MARGIN + place.x - layout.box_width / 2.0; }
  double centre(const NodePlace& place) const { return MARGIN + place.x; }
  double top(const NodePlace& place) const { return MARGIN + LEGEND_HEIGHT + place.top; }

  // The class colours, in a row above the tree; returns where the row ends.
  double legend() {
    out += formatted("<g class=\"legend\"><text x=\"%.1f\" y=\"%.1f\">classes:</text>", MARGIN,
                     MARGIN + 10.0);
    double x = MARGIN + text_width("classes:", NODE_FONT) + 10.0;
    for (std::size_t k = 0; k < model.class_labels.size(); ++k) {
      const std::string name = "class " + class_text(model, static_cast<int>(k));
      out += formatted(
          "<rect x=\"%.1f\" y=\"%.1f\" width=\"12\" height=\"12\" fill=\"%s\" stroke=\"#333\" "
          "stroke-width=\"0.5\"/>",
          x, MARGIN, class_colour(static_cast<int>(k)));
      out += formatted("<text x=\"%.1f\" y=\"%.1f\">", x + 16.0, MARGIN + 10.0) +
             xml_escaped(name) + "</text>";
      x += 30.0 + text_width(name, NODE_FONT);
    }
    out += "</g>\n";
    return x;
  }

  // The elbow from the parent's box down to the daughter's, and the daughter's condition over it.
  void edge(int parent, int daughter) {
    const NodePlace& from = layout.places[parent];
    const NodePlace& to = layout.places[daughter];
    const double bus = top(to) - LABEL_BAND + 10.0;
    out +=
        formatted("<path d=\"M%.1f %.1fV%.1fH%.1fV%.1f\" fill=\"none\" stroke=\"#555\"/>\n",
                  centre(from), top(from) + extents[parent].box_height, bus, centre(to), top(to));
    const double width = extents[daughter].label_width;
    out += formatted("<g class=\"edge\" data-from=\"%d\" data-to=\"%d\" font-size=\"%.0f\">",
                     parent + 1, daughter + 1, EDGE_FONT);
    out += formatted(
        "<rect class=\"label\" x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" "
        "fill=\"#fff\"/>",
        centre(to) - width / 2.0, top(to) - 8.0 - LABEL_HEIGHT, width, LABEL_HEIGHT);
    out += formatted("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\">", centre(to),
                     top(to) - 11.5) +
           xml_escaped(labels[daughter]) + "</text></g>\n";
  }

  void bar(const ModelNode& node, double x, double y, double width) {
    const int total = std::accumulate(node.class_counts.begin(), node.class_counts.end(), 0);
    double start = x;
    for (std::size_t k = 0; k < node.class_counts.size() && total > 0; ++k) {
      const double share = width * node.class_counts[k] / total;
      if (share > 0.0) {
        out += formatted("<rect x=\"%.2f\" y=\"%.1f\" width=\"%.2f\" height=\"%.1f\" fill=\"%s\"/>",
                         start, y, share, BAR_HEIGHT, class_colour(static_cast<int>(k)));
      }
      start += share;
    }
    out += formatted(
        "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"none\" stroke=\"#333\" "
        "stroke-width=\"0.5\"/>",
        x, y, width, BAR_HEIGHT);
  }

  void node_box(int index) {
    const ModelNode& node = tree.nodes[index];
    const NodePlace& place = layout.places[index];
    const bool terminal = !node.is_split();
    out += formatted("<g class=\"node %s\" data-node=\"%d\" data-counts=\"",
                     terminal ? "terminal" : "split", node.number) +
           joined_counts(node.class_counts, " ") + "\">";
    out += formatted(
        "<rect class=\"box\" x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" rx=\"4\" "
        "fill=\"#fff\" stroke=\"%s\" stroke-width=\"%s\"/>",
        left(place), top(place), layout.box_width, extents[index].box_height,
        terminal ? class_colour(majority_class(node.class_counts)) : "#555", terminal ? "2" : "1");
    const std::vector<std::string>& text = lines[index];
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool bold = i == 0 || (terminal && i + 1 == text.size());
      out += formatted("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\"%s>", centre(place),
                       top(place) + BOX_PADDING + (i + 1) * LINE_HEIGHT - 3.0,
                       bold ? " font-weight=\"bold\"" : "") +
             xml_escaped(text[i]) + "</text>";
    }
    bar(node, left(place) + BOX_PADDING, top(place) + BOX_PADDING + text.size() * LINE_HEIGHT + 2.0,
        layout.box_width - 2.0 * BOX_PADDING);
    out += "</g>\n";
  }

  void measure() {
    for (std::size_t i = 0; i < tree.nodes.size(); ++i) {
      lines.push_back(node_lines(model, tree.nodes[i]));
      NodeExtent extent;
      for (const std::string& line : lines.back()) {
        extent.box_width =
            std::max(extent.box_width, text_width(line, NODE_FONT) + 2.0 * BOX_PADDING);
      }
      extent.box_width = std::max(extent.box_width, MIN_BOX_WIDTH);
      extent.box_height = 2.0 * BOX_PADDING + lines.back().size() * LINE_HEIGHT + 2.0 + BAR_HEIGHT;
      if (!labels[i].empty()) {
        extent.label_width = text_width(labels[i], EDGE_FONT) + 2.0 * LABEL_PADDING;
      }
      extents.push_back(extent);
    }
    layout = layout_tree(tree, extents);
  }

  void draw(const std::string& title) {
    measure();
    const double legend_end = legend();
    for (std::size_t i = 0; i < tree.nodes.size(); ++i) {
      if (!layout.places[i].split) continue;
      edge(static_cast<int>(i), tree.nodes[i].left - 1);
      edge(static_cast<int>(i), tree.nodes[i].right - 1);
    }
    for (std::size_t i = 0; i < tree.nodes.size(); ++i) {
      if (layout.places[i].drawn) node_box(static_cast<int>(i));
    }
    const double width = std::ceil(std::max(MARGIN + layout.width, legend_end) + MARGIN);
    const double height = std::ceil(layout.height + LEGEND_HEIGHT + 2.0 * MARGIN);
    out = "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"tree\" data-tree=\"" +
          xml_escaped(tree.label) + "\"" +
          formatted(" width=\"%.0f\" height=\"%.0f\" viewBox=\"0 0 %.0f %.0f\"", width, height,
                    width, height) +
          formatted(
              " font-family=\"DejaVu Sans Mono, Menlo, Consolas, monospace\" font-size=\"%.0f\">\n",
              NODE_FONT) +
          "<title>" + xml_escaped(title) + "</title>\n" + out + "</svg>\n";
  }
};

}  // namespace

std::string tree_svg(const Model& model, const ModelTree& tree, const std::string& title) {
  Drawing drawing{model, tree, {}, edge_labels(model, tree), {}, {}, {}};
  drawing.draw(title);
  return drawing.out;
}

}  // namespace bramble
