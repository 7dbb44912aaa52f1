#include "model/classification_output.h"

#include <algorithm>

#include "model/classify.h"

namespace bramble {

namespace {

int predicted_label(const Model& model, const ModelTree& tree, std::size_t terminal_node) {
  return model.class_labels[tree.nodes[terminal_node].majority_class];
}

// The model's class labels, then the other actual labels, ascending.
std::vector<int> actual_labels(const Model& model, const CaseTable& cases) {
  std::vector<int> others;
  for (int label : cases.responses) {
    const bool known = std::find(model.class_labels.begin(), model.class_labels.end(), label) !=
                       model.class_labels.end();
    if (!known) others.push_back(label);
  }
  std::sort(others.begin(), others.end());
  others.erase(std::unique(others.begin(), others.end()), others.end());
  std::vector<int> labels = model.class_labels;
  labels.insert(labels.end(), others.begin(), others.end());
  return labels;
}

std::size_t position_of(const std::vector<int>& labels, int label) {
  return static_cast<std::size_t>(std::find(labels.begin(), labels.end(), label) - labels.begin());
}

}  // namespace

std::vector<std::size_t> classify_cases(const Model& model, const ModelTree& tree,
                                        const CaseTable& cases) {
  std::vector<std::size_t> terminal_nodes(cases.n_cases);
  for (std::size_t i = 0; i < cases.n_cases; ++i) {
    terminal_nodes[i] = terminal_node(model, tree, cases.case_values(i));
  }
  return terminal_nodes;
}

void write_classifications(FILE* out, const Model& model, const ModelTree& tree,
                           const CaseTable& cases, const std::vector<std::size_t>& terminal_nodes) {
  std::fprintf(out,
               cases.has_response ? "case\tnode\tpredicted\tactual\n" : "case\tnode\tpredicted\n");
  for (std::size_t i = 0; i < cases.n_cases; ++i) {
    std::fprintf(out, "%zu\t%d\t%d", i + 1, tree.nodes[terminal_nodes[i]].number,
                 predicted_label(model, tree, terminal_nodes[i]));
    if (cases.has_response) std::fprintf(out, "\t%d", cases.responses[i]);
    std::fprintf(out, "\n");
  }
}

void write_confusion_table(FILE* out, const Model& model, const ModelTree& tree,
                           const CaseTable& cases, const std::vector<std::size_t>& terminal_nodes) {
  const std::vector<int>& predicted = model.class_labels;
  const std::vector<int> actual = actual_labels(model, cases);
  std::vector<std::vector<std::size_t>> counts(actual.size(),
                                               std::vector<std::size_t>(predicted.size(), 0));
  std::size_t misclassified = 0;
  for (std::size_t i = 0; i < cases.n_cases; ++i) {
    const int label = predicted_label(model, tree, terminal_nodes[i]);
    ++counts[position_of(actual, cases.responses[i])][position_of(predicted, label)];
    misclassified += label != cases.responses[i] ? 1 : 0;
  }
  std::fprintf(out, "Confusion table (rows: actual class, columns: predicted class):\n%8s",
               "class");
  for (int label : predicted) std::fprintf(out, " %8d", label);
  for (std::size_t row = 0; row < actual.size(); ++row) {
    std::fprintf(out, "\n%8d", actual[row]);
    for (std::size_t count : counts[row]) std::fprintf(out, " %8zu", count);
  }
  std::fprintf(out, "\nMisclassification rate: %.6f (%zu of %zu cases)\n",
               static_cast<double>(misclassified) / static_cast<double>(cases.n_cases),
               misclassified, cases.n_cases);
}

}  // namespace bramble
