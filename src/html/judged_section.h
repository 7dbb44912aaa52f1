// The controlled mode's table of every judged split: condition, impurity, relative risk and the
// cross-validated relative risk, each with its 95 percent interval.
#pragma once

#include <string>

#include "model/model.h"

namespace bramble {

std::string judged_section(const Model& model);

}  // namespace bramble
