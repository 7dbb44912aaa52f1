// Reading a model back from its JSON form (docs/json-format.md). The text is not trusted: whatever
// it holds, the reader returns a model fit to classify with or a message saying what is wrong.
#pragma once

#include <string>
#include <string_view>

#include "model/model.h"

namespace bramble {

// Largest model file read: far beyond the JSON of any run (some 100 bytes a covariate, 200 a
// node), and a bound on the parser's memory, which may reach 50 times the text.
constexpr std::size_t MAX_MODEL_BYTES = std::size_t{16} << 20;

// Sets model from text and returns true, or returns false with error saying what is wrong and
// where, such as: trees[1].nodes[3].split: the field "left" is missing. Fields the format does
// not know are ignored, so that files of later versions that only add fields still read.
bool read_model_json(std::string_view text, Model& model, std::string& error);

}  // namespace bramble
