#include "program/settings.h"

namespace bramble {

std::string RunSettings::base_name() const {
  if (!output_base.empty()) return output_base;
  const std::string name = data_file.value_or(std::string());
  const std::size_t separator = name.find_last_of("/\\");
  const std::string component = separator == std::string::npos ? name : name.substr(separator + 1);
  return component.substr(0, component.find('.'));
}

}  // namespace bramble
