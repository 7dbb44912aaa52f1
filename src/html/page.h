// The report page: one self-contained XHTML file (inline CSS and SVG, nothing fetched, no script)
// that a browser shows and prints and an XML parser reads. Its structure is described in
// docs/html-report.md and kept stable. The same model always gives the same bytes.
#pragma once

#include <cstdio>
#include <string>

#include "model/model.h"

namespace bramble {

std::string html_page(const Model& model);

// Writes html_page(model) to file; a failed write leaves file in error, for its closing to report.
void write_html_page(const Model& model, std::FILE* file);

}  // namespace bramble
