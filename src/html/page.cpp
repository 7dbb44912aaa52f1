#include "html/page.h"

#include "html/judged_section.h"
#include "html/run_sections.h"
#include "html/tree_section.h"
#include "html/xml_text.h"

namespace bramble {

namespace {

// Every tree starts a printed page; on screen a wide tree scrolls instead of shrinking, on paper
// it is fitted to the page width.
const char* const STYLE =
    "body{font-family:\"DejaVu Sans\",Arial,sans-serif;margin:1.5em;color:#222;line-height:1.4}\n"
    "table{border-collapse:collapse;margin:0.4em 0 1em}\n"
    "th,td{border:1px solid #bbb;padding:2px 8px;text-align:left;vertical-align:top}\n"
    "th{background:#eee}\n"
    ".swatch{display:inline-block;width:1em;height:1em;border:1px solid #333;"
    "vertical-align:middle}\n"
    "section.tree{break-before:page;page-break-before:always}\n"
    ".picture{overflow-x:auto;border:1px solid #ddd}\n"
    "svg.tree{display:block}\n"
    "@media print{.picture{overflow:visible;border:none}svg.tree{max-width:100%;height:auto}}\n";

const char* const READING_GUIDE =
    "<p>Each box of a tree shows the node's number (as in the report's table of that tree), its "
    "number of cases, its cases of each class (in the order of the classes table, also drawn as a "
    "bar in the class colours) and, for a terminal node, its majority class. Each edge says which "
    "cases go down it.</p>\n";

}  // namespace

std::string html_page(const Model& model) {
  const std::string file = xml_escaped(model.data_file);
  std::string page =
      "<!DOCTYPE html>\n"
      "<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\" xml:lang=\"en\">\n"
      "<head>\n<meta charset=\"UTF-8\"/>\n<title>Trees of " +
      file + "</title>\n<style>\n" + STYLE + "</style>\n</head>\n<body>\n<h1>Trees of " + file +
      "</h1>\n" + READING_GUIDE + run_section(model) + covariates_section(model);
  for (std::size_t i = 0; i < model.trees.size(); ++i) {
    page += tree_section(model, model.trees[i], static_cast<int>(i));
  }
  if (model.mode == RunMode::controlled) page += judged_section(model);
  return page + "</body>\n</html>\n";
}

void write_html_page(const Model& model, std::FILE* file) {
  const std::string page = html_page(model);
  std::fwrite(page.data(), 1, page.size(), file);
}

}  // namespace bramble
