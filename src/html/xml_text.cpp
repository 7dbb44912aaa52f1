#include "html/xml_text.h"

#include <cstddef>

namespace bramble {

namespace {

constexpr char32_t REPLACEMENT = 0xFFFD;

// The code point that starts at text[at] and the bytes it takes; REPLACEMENT for a byte that does
// not start a valid, shortest UTF-8 sequence (that byte alone is consumed).
char32_t next_code_point(const std::string& text, std::size_t at, std::size_t& length) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  length = 1;
  if (lead < 0x80) return lead;
  int extra;
  char32_t smallest;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, smallest = 0x10000;
  } else {
    return REPLACEMENT;
  }
  if (at + extra >= text.size()) return REPLACEMENT;
  char32_t point = lead & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return REPLACEMENT;
    point = (point << 6) | (byte(at + i) & 0x3F);
  }
  if (point < smallest || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
    return REPLACEMENT;
  length = static_cast<std::size_t>(extra) + 1;
  return point;
}

bool allowed_in_xml(char32_t point) {
  if (point < 0x20) return point == '\t' || point == '\n' || point == '\r';
  return point != 0xFFFE && point != 0xFFFF;
}

bool is_wide(char32_t point) { return (point >= 0x1100 && point <= 0x115F) || point >= 0x2E80; }

}  // namespace

std::string xml_escaped(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
    const char32_t point = next_code_point(text, at, length);
    switch (point) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        if (point == REPLACEMENT || !allowed_in_xml(point)) {
          out += "\xEF\xBF\xBD";
        } else {
          out.append(text, at, length);
        }
    }
  }
  return out;
}

int display_columns(const std::string& text) {
  int columns = 0;
  for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
    columns += is_wide(next_code_point(text, at, length)) ? 2 : 1;
  }
  return columns;
}

}  // namespace bramble
