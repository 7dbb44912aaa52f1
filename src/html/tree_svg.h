// One tree as an inline SVG picture: boxes for the nodes with their number, case count, class
// counts as text and as a bar in the class colours, terminal nodes with their majority class, and
// every edge labelled with the condition its cases meet. Each node is a <g> carrying data-node and
// data-counts, the <svg> carries data-tree (docs/html-report.md).
#pragma once

#include <string>

#include "model/model.h"

namespace bramble {

std::string tree_svg(const Model& model, const ModelTree& tree, const std::string& title);

}  // namespace bramble
