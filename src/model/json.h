// A strict JSON parser for files that must not be trusted, and the quoting of strings for writers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bramble {

enum class JsonType { null, boolean, number, string, array, object };

struct JsonValue {
  JsonType type = JsonType::null;
  std::string text;               // a string's characters (UTF-8); a number's literal as written
  std::vector<JsonValue> items;   // an array's elements; an object's member values
  std::vector<std::string> keys;  // an object's member names, parallel to items

  // The member of an object named key, or nullptr when there is none.
  const JsonValue* member(std::string_view key) const;
};

// Deepest nesting of arrays and objects accepted (a model needs 7); it bounds the parser's
// recursion.
constexpr int MAX_JSON_DEPTH = 32;

// Parses text as one JSON value (RFC 8259, strictly: no comments, no trailing commas, no
// duplicate keys, valid UTF-8). Returns false with error saying where and what is wrong, such as
// "line 3, column 7: expected ':' after an object key".
bool parse_json(std::string_view text, JsonValue& value, std::string& error);

// text as a JSON string literal, quotes included; a byte that is not part of valid UTF-8 becomes
// U+FFFD, so the result is always valid JSON.
std::string json_quoted(std::string_view text);

}  // namespace bramble
