#include "model/json.h"

#include <algorithm>
#include <cstdio>

#include "model/refusal.h"

namespace bramble {

namespace {

// Length of the valid UTF-8 sequence (RFC 3629: shortest form, no surrogates) starting at byte i
// of text, or 0 when the bytes there are not one.
std::size_t utf8_sequence_length(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) -> unsigned {
    return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0u;
  };
  const unsigned lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned low = 0x80;
  unsigned high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : low;
    high = lead == 0xED ? 0x9F : high;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : low;
    high = lead == 0xF4 ? 0x8F : high;
  } else {
    return 0;
  }
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k) {
    if (byte(k) < 0x80 || byte(k) > 0xBF) return 0;
  }
  return length;
}

void append_utf8(std::string& out, unsigned code_point) {
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else if (code_point < 0x10000) {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code_point >> 18));
    out += static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The letters after a backslash in a string, and the characters they stand for.
constexpr std::string_view SHORT_ESCAPES = "\"\\/bfnrt";
constexpr std::string_view ESCAPED_CHARACTERS = "\"\\/\b\f\n\r\t";

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  JsonValue parse_document() {
    JsonValue value = parse_value(0);
    skip_blanks();
    if (pos_ < text_.size()) fail("unexpected text after the JSON value");
    return value;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    const std::string_view before = text_.substr(0, pos_);
    const auto line = std::count(before.begin(), before.end(), '\n') + 1;
    const std::size_t line_start = before.find_last_of('\n');
    const std::size_t column =
        pos_ - (line_start == std::string_view::npos ? 0 : line_start + 1) + 1;
    refuse("line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what);
  }

  void skip_blanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\n' || text_[pos_] == '\r')) {
      ++pos_;
    }
  }

  // The next character, or '\0' at the end of the text.
  char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

  void expect(char c, const char* what) {
    skip_blanks();
    if (peek() != c) fail(std::string("expected ") + what);
    ++pos_;
  }

  JsonValue parse_value(int depth) {
    skip_blanks();
    JsonValue value;
    const char c = peek();
    if (c == '{' || c == '[') {
      if (depth == MAX_JSON_DEPTH) {
        fail("nesting deeper than " + std::to_string(MAX_JSON_DEPTH) + " levels");
      }
      if (c == '{') {
        parse_object(value, depth + 1);
      } else {
        parse_array(value, depth + 1);
      }
    } else if (c == '"') {
      value.type = JsonType::string;
      value.text = parse_string();
    } else if (c == '-' || is_digit(c)) {
      parse_number(value);
    } else if (!parse_word("true", value) && !parse_word("false", value) &&
               !parse_word("null", value)) {
      fail(pos_ < text_.size() ? "expected a JSON value" : "the text ends where a value should be");
    }
    return value;
  }

  // true, false or null: no field of a model holds one, so only the type is kept.
  bool parse_word(std::string_view word, JsonValue& value) {
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    value.type = word == "null" ? JsonType::null : JsonType::boolean;
    return true;
  }

  // Takes the comma before a further element of an array or object, if there is one.
  bool next_element() {
    skip_blanks();
    if (peek() != ',') return false;
    ++pos_;
    return true;
  }

  void parse_object(JsonValue& value, int depth) {
    value.type = JsonType::object;
    ++pos_;
    skip_blanks();
    if (peek() == '}') {
      ++pos_;
      return;
    }
    for (;;) {
      skip_blanks();
      if (peek() != '"') fail("expected a quoted object key");
      value.keys.push_back(parse_string());
      expect(':', "':' after an object key");
      value.items.push_back(parse_value(depth));
      if (!next_element()) break;
    }
    expect('}', "',' or '}' in an object");
    std::vector<std::string> sorted = value.keys;
    std::sort(sorted.begin(), sorted.end());
    const auto twice = std::adjacent_find(sorted.begin(), sorted.end());
    if (twice != sorted.end()) {
      fail("the key " + json_quoted(*twice) + " occurs twice in one object");
    }
  }

  void parse_array(JsonValue& value, int depth) {
    value.type = JsonType::array;
    ++pos_;
    skip_blanks();
    if (peek() == ']') {
      ++pos_;
      return;
    }
    for (;;) {
      value.items.push_back(parse_value(depth));
      if (!next_element()) break;
    }
    expect(']', "',' or ']' in an array");
  }

  unsigned parse_hex4() {
    unsigned code = 0;
    for (int k = 0; k < 4; ++k, ++pos_) {
      const char c = peek();
      const int digit = is_digit(c)              ? c - '0'
                        : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                        : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                 : -1;
      if (digit < 0) fail("expected four hexadecimal digits after \\u");
      code = code * 16 + static_cast<unsigned>(digit);
    }
    return code;
  }

  // After "\u": one code point, a surrogate pair taken whole.
  unsigned parse_escaped_code_point() {
    const unsigned code = parse_hex4();
    if (code >= 0xDC00 && code <= 0xDFFF) fail("a low surrogate without a high one");
    if (code < 0xD800 || code > 0xDBFF) return code;
    if (text_.substr(pos_, 2) != "\\u") fail("a high surrogate without a low one");
    pos_ += 2;
    const unsigned low = parse_hex4();
    if (low < 0xDC00 || low > 0xDFFF) fail("a high surrogate without a low one");
    return 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
  }

  std::string parse_string() {
    ++pos_;
    std::string out;
    for (;;) {
      if (pos_ >= text_.size()) fail("the text ends inside a string");
      const char c = text_[pos_];
      if (c == '"') break;
      if (static_cast<unsigned char>(c) < 0x20) fail("a control character inside a string");
      if (c != '\\') {
        const std::size_t length = utf8_sequence_length(text_, pos_);
        if (length == 0) fail("a string that is not valid UTF-8");
        out.append(text_.substr(pos_, length));
        pos_ += length;
        continue;
      }
      ++pos_;
      const char escaped = peek();
      const std::size_t known = SHORT_ESCAPES.find(escaped);
      if (known != std::string_view::npos) {
        out += ESCAPED_CHARACTERS[known];
        ++pos_;
      } else if (escaped == 'u') {
        ++pos_;
        append_utf8(out, parse_escaped_code_point());
      } else {
        fail("an unknown escape in a string");
      }
    }
    ++pos_;
    return out;
  }

  std::size_t skip_digits() {
    const std::size_t start = pos_;
    while (is_digit(peek())) ++pos_;
    return pos_ - start;
  }

  // -? (0 | [1-9][0-9]*) (. [0-9]+)? ([eE] [+-]? [0-9]+)?
  void parse_number(JsonValue& value) {
    const std::size_t start = pos_;
    if (peek() == '-') ++pos_;
    if (peek() == '0') {
      ++pos_;
    } else if (skip_digits() == 0) {
      fail("expected a digit");
    }
    if (peek() == '.') {
      ++pos_;
      if (skip_digits() == 0) fail("expected a digit after the decimal point");
    }
    if (peek() == 'e' || peek() == 'E') {
      ++pos_;
      if (peek() == '+' || peek() == '-') ++pos_;
      if (skip_digits() == 0) fail("expected a digit in the exponent");
    }
    value.type = JsonType::number;
    value.text = std::string(text_.substr(start, pos_ - start));
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

const JsonValue* JsonValue::member(std::string_view key) const {
  const auto found = std::find(keys.begin(), keys.end(), key);
  return found == keys.end() ? nullptr : &items[static_cast<std::size_t>(found - keys.begin())];
}

bool parse_json(std::string_view text, JsonValue& value, std::string& error) {
  try {
    value = Parser(text).parse_document();
    return true;
  } catch (const Refusal& refusal) {
    error = refusal.message;
    return false;
  }
}

std::string json_quoted(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    const std::size_t length = utf8_sequence_length(text, i);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      out += escape;
    } else if (length == 0) {
      out += "\\ufffd";
    } else {
      out.append(text.substr(i, length));
      i += length;
      continue;
    }
    ++i;
  }
  return out + "\"";
}

}  // namespace bramble
