#include "interactive/node_dialogue.h"

#include "interactive/risk.h"

namespace bramble {

bool leaves_daughter_empty(const NodeTable& table) {
  return table.daughter_counts.total(true) == 0 || table.daughter_counts.total(false) == 0;
}

void judge_split(const NodeDialogue& dialogue, int var) {
  const DaughterCounts counts = dialogue.table.daughter_counts;
  const Judgement judgement =
      report_split_risk(dialogue.data, dialogue.table, dialogue.search, dialogue.node, var, counts,
                        dialogue.random, dialogue.console.out(), dialogue.report_name);
  if (dialogue.judgements) dialogue.judgements->push_back(judgement);
}

void note_split_made(const NodeDialogue& dialogue) {
  if (dialogue.judgements && !dialogue.judgements->empty()) {
    dialogue.judgements->back().accepted = true;
  }
}

void return_cases(const NodeDialogue& dialogue) {
  for (int i = 0; i < dialogue.m; ++i) dialogue.table.case_node[dialogue.cases[i]] = dialogue.node;
}

}  // namespace bramble
