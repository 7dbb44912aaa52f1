#include "program/run_outputs.h"

#include "html/page.h"
#include "io/fatal.h"
#include "io/output_file.h"
#include "model/model_writer.h"
#include "model/names.h"

namespace bramble {

namespace {

// The writer's own failure leaves the stream in error, which close_output reports.
template <typename Writer>
void write_output(const std::string& name, const Model& model, Writer write) {
  FileHandle file(open_output(name, "w"));
  write(model, file.get());
  close_output(file.release(), name);
}

}  // namespace

bool wants_model(const RunSettings& settings) { return settings.html || settings.json; }

std::vector<std::string> column_names(const RunSettings& settings, const Dataset& data) {
  if (settings.names_file.empty()) return {};
  NamesReading reading =
      read_names(settings.names_file, static_cast<std::size_t>(data.n_columns));
  if (!reading.ok()) stop_without_wait(reading.error + "\n", STATUS_DATA_ERROR);
  return std::move(reading.names);
}

void write_run_outputs(const RunSettings& settings, const Model& model) {
  if (settings.json) write_output(settings.model_name(), model, write_model_json);
  if (settings.html) write_output(settings.page_name(), model, write_html_page);
}

}  // namespace bramble
