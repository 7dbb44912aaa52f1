// The PostScript document: header, one page per tree, trailer.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "data/dataset.h"
#include "tree/node_table.h"

namespace bramble {

void write_ps_header(FILE* file);
void write_ps_trailer(FILE* file, int pages);

// Appends one page drawing the tree to the file ps_name (opened by name and closed again) and
// prints "Please view or print PS file: %s\n". node_counts[i] holds the class counts of node i.
void draw_tree_page(const std::string& ps_name, const Dataset& data, const NodeTable& table,
                    const std::vector<std::vector<int>>& node_counts, int page);

}  // namespace bramble
