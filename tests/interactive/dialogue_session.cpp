#include "interactive/dialogue_session.h"

#include "program/run.h"
#include "support/run_binary.h"

namespace bramble_test {

bramble::Dataset eight_cases() {
  return make_dataset({{1, 2, 3, 4, 5, 6, 7, 8}, {0, 1, 2, 0, 1, 2, 0, 1}, {1, 1, 1, 2, 2, 2, 2, 1}},
                      {0, 0, 0, 0, 1, 1, 1, 1}, 2, {1, 3, 1});
}

DialogueSession::DialogueSession(const bramble::Dataset& dataset)
    : data(dataset),
      table(data.n_cases, data.n_classes),
      search(data, bramble::SplittingRule::entropy),
      random(bramble::RANDOM_SEED),
      report_name(make_scratch_dir() + "/session.inf") {
  bramble::init_node_table(table);
}

void DialogueSession::run(bramble::Console& console) {
  const bramble::DialogueContext dialogue = context(console);
  for (int node = 0; node < table.node_count; ++node) bramble::control_node(node, dialogue);
}

std::string DialogueSession::report() const { return read_file(report_name); }

}  // namespace bramble_test
