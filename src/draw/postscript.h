// The PostScript document: header, one page per tree, trailer.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "data/dataset.h"
#include "draw/layout.h"
#include "tree/node_table.h"

namespace bramble {

void write_ps_header(FILE* file);
void write_ps_trailer(FILE* file, int pages);

// Appends one page drawing the tree to the file ps_name (opened by name and closed again) and
// prints "Please view or print PS file: %s\n" on the console. node_counts[i] holds the class
// counts of node i.
void draw_tree_page(const std::string& ps_name, const Dataset& data, const NodeTable& table,
                    const std::vector<std::vector<int>>& node_counts, int page, FILE* console);

// The pieces of a page. Every shape shows the count of class 1 above that of class 0.
void begin_page(FILE* file, int page);
void end_page(FILE* file);
void draw_internal_node(FILE* file, const Dataset& data, const NodeBox& box, int radius, int var,
                        const std::vector<int>& counts);
void draw_terminal_node(FILE* file, const NodeBox& box, const std::vector<int>& counts);
// The edge from (x1, y1) down to (x2, y2) with its arrowhead; an edge running down to the right
// is labelled with the condition of the right daughter of the split on var at cut_off.
void draw_edge(FILE* file, const Dataset& data, int x1, int y1, int x2, int y2, int var,
               double cut_off);

}  // namespace bramble
