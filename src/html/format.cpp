#include "html/format.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace bramble {

std::string formatted(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  std::va_list measuring;
  va_copy(measuring, arguments);
  const int length = std::vsnprintf(nullptr, 0, format, measuring);
  va_end(measuring);
  std::vector<char> buffer(static_cast<std::size_t>(length > 0 ? length : 0) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, arguments);
  va_end(arguments);
  return std::string(buffer.data());
}

std::string number_text(double value) { return formatted("%.10g", value); }

std::string decimal_text(double value, int decimals) {
  std::string text = formatted("%.*f", decimals, value);
  if (text.find('.') == std::string::npos) return text;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

}  // namespace bramble
