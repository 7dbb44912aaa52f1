// What classifying a case table with one tree gives (docs/classify.md): the table of terminal
// nodes and predictions, and, when the cases have responses, the confusion table.
#pragma once

#include <cstddef>
#include <cstdio>
#include <vector>

#include "model/case_file.h"
#include "model/model.h"

namespace bramble {

// The index in tree.nodes of the terminal node each case reaches.
std::vector<std::size_t> classify_cases(const Model& model, const ModelTree& tree,
                                        const CaseTable& cases);

// Tab-separated, a header line and one line per case: case number (from 1), terminal node number,
// predicted class label, and the actual label when the cases have responses.
void write_classifications(FILE* out, const Model& model, const ModelTree& tree,
                           const CaseTable& cases, const std::vector<std::size_t>& terminal_nodes);

// Cases with responses: the confusion table, actual classes (the model's, then any other label
// met, ascending) by predicted classes, and the misclassification rate.
void write_confusion_table(FILE* out, const Model& model, const ModelTree& tree,
                           const CaseTable& cases, const std::vector<std::size_t>& terminal_nodes);

}  // namespace bramble
