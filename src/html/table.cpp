#include "html/table.h"

#include "html/xml_text.h"

namespace bramble {

std::string table_html(const std::string& css_class, const std::vector<std::string>& headings,
                       const std::vector<TableRow>& rows) {
  std::string out = "<table class=\"" + css_class + "\">\n";
  if (!headings.empty()) {
    out += "<thead><tr>";
    for (const std::string& heading : headings) out += "<th>" + xml_escaped(heading) + "</th>";
    out += "</tr></thead>\n";
  }
  out += "<tbody>\n";
  for (const TableRow& row : rows) {
    out += "<tr>";
    for (const std::string& cell : row) out += "<td>" + cell + "</td>";
    out += "</tr>\n";
  }
  return out + "</tbody>\n</table>\n";
}

}  // namespace bramble
