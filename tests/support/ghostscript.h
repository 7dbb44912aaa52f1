// Rendering a PostScript file with Ghostscript, where it is installed.
#pragma once

#include <string>

namespace bramble_test {

// Expects Ghostscript (bounding-box device) to read the file without an error and to render the
// given number of pages; false, expecting nothing, when gs is not installed.
bool check_ghostscript_pages(const std::string& ps_path, int pages);

}  // namespace bramble_test
