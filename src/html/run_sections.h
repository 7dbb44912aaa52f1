// The first two sections of the page: the run (data file, rule, mode, cases, classes) and the
// covariates (names, kinds, values, missing values, copies).
#pragma once

#include <string>

#include "model/model.h"

namespace bramble {

std::string run_section(const Model& model);
std::string covariates_section(const Model& model);

}  // namespace bramble
