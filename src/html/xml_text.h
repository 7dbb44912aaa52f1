// Text that any XML parser reads, and its width in a monospace font for the tree layout.
#pragma once

#include <string>

namespace bramble {

// The text with & < > " ' written as entities; bytes that are not UTF-8, and control characters
// that XML forbids, become U+FFFD, so a names file of any content gives a well-formed page.
std::string xml_escaped(const std::string& text);

// Character cells the text takes in a monospace font: wide (East Asian) characters take two.
int display_columns(const std::string& text);

}  // namespace bramble
