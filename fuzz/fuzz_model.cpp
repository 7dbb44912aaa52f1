// The fuzz input is a model file. The reader either refuses it with a message or returns a model
// whose every tree takes any case to a terminal node, and which written and read back gives the
// same text again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "model/classify.h"
#include "model/model_reader.h"
#include "model/model_writer.h"

namespace {

// Cases with every value missing, and with every value at a few labels and cut-offs that matter.
constexpr double CASE_VALUES[] = {bramble::MISSING_VALUE, 0.0, 1.0, -9.0, 999.0, 1e300};

void check_classifies(const bramble::Model& model) {
  std::size_t n_file_covariates = 0;
  for (const bramble::ModelCovariate& covariate : model.covariates) {
    n_file_covariates += covariate.is_missing_copy() ? 0 : 1;
  }
  for (double value : CASE_VALUES) {
    const std::vector<double> values(n_file_covariates, value);
    for (const bramble::ModelTree& tree : model.trees) {
      const std::size_t node = bramble::terminal_node(model, tree, values.data());
      if (node >= tree.nodes.size() || tree.nodes[node].is_split()) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > bramble_fuzz::MAX_INPUT_BYTES) return -1;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  bramble::Model model;
  std::string error;
  if (!bramble::read_model_json(text, model, error)) {
    if (error.empty()) std::abort();
    return 0;
  }
  check_classifies(model);
  const std::string written = bramble::model_json(model);
  bramble::Model again;
  if (!bramble::read_model_json(written, again, error) || bramble::model_json(again) != written) {
    std::abort();
  }
  return 0;
}
