// An HTML table, with a heading row unless no headings are given.
#pragma once

#include <string>
#include <vector>

namespace bramble {

using TableRow = std::vector<std::string>;

// headings are plain text (escaped here); cells are markup, escaped by the caller.
std::string table_html(const std::string& css_class, const std::vector<std::string>& headings,
                       const std::vector<TableRow>& rows);

}  // namespace bramble
