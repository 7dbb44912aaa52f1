// The optional outputs of a run: the page BASE.html and the model BASE.json.
#pragma once

#include <string>
#include <vector>

#include "data/dataset.h"
#include "model/model.h"
#include "program/settings.h"

namespace bramble {

// Whether the settings ask for a description of the run at all.
bool wants_model(const RunSettings& settings);

// The names of the data file's columns from the settings' names file, or none without one. A file
// that cannot be read or holds another number of names ends the run (status -1), before any
// output is written.
std::vector<std::string> column_names(const RunSettings& settings, const Dataset& data);

// Writes BASE.html and BASE.json as the settings ask; a file that cannot be written ends the run
// as the report does.
void write_run_outputs(const RunSettings& settings, const Model& model);

}  // namespace bramble
