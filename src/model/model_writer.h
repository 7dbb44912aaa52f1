// The JSON form of a fitted run (docs/json-format.md): every tree with what is needed to apply it.
#pragma once

#include <cstdio>
#include <string>

#include "model/model.h"

namespace bramble {

// The model as JSON text: the same model always gives the same bytes, and every double is written
// in its shortest form that reads back exactly. Model::judged is not part of the format, nor are
// the fields that do not apply (an ordinal covariate's categories, a terminal node's split, a
// split node's majority class): they read back as their defaults.
std::string model_json(const Model& model);

// Writes model_json(model) to out; a failed write leaves out in error, for its closing to report.
void write_model_json(const Model& model, FILE* out);

}  // namespace bramble
