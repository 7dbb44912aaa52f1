#include "interactive/control.h"

#include <cstdio>

#include "interactive/manual_split.h"
#include "interactive/node_dialogue.h"
#include "interactive/ranking.h"
#include "tree/category_code.h"
#include "tree/grow.h"
#include "tree/impurity.h"

namespace bramble {

namespace {

struct Proposal {
  int var = 0;
  int code = 0;  // the nominal subset code; unused by an ordinal covariate
};

Proposal propose_ranked(const NodeDialogue& dialogue, const RankedSplit& split) {
  dialogue.table.split_var[dialogue.node] = split.covariate;
  dialogue.table.cut_off[dialogue.node] = split.cut_off;
  return Proposal{split.covariate, static_cast<int>(split.cut_off)};
}

void describe_split(const NodeDialogue& dialogue, int var) {
  const double cut = dialogue.table.cut_off[dialogue.node];
  Console& console = dialogue.console;
  if (!dialogue.data.is_nominal(var)) {
    console.print("This split uses ordinal variable %d and a case goes to right\n", var + 1);
    console.print("if greater than %f\n", cut);
    return;
  }
  console.print("This split uses categorical variable %d and a case\n", var + 1);
  console.print("goes to right for category[ies]\n");
  // The categories go to the error output; what came before them must show first.
  std::fflush(console.out());
  write_category_list(cut, dialogue.data.ori_catg[var], console.err());
  console.print("\n");
}

// Splits the node on trial, judges and describes the split; true when it left a daughter empty.
bool try_split(const NodeDialogue& dialogue, const Proposal& proposal) {
  partition_node(dialogue.data, dialogue.table, dialogue.node, dialogue.cases, dialogue.m,
                 proposal.var, proposal.code);
  const bool empty = leaves_daughter_empty(dialogue.table);
  judge_split(dialogue, proposal.var);
  describe_split(dialogue, proposal.var);
  return empty;
}

// Proposals from the ranking until one is accepted (true: its trial split stands) or the analyst
// takes none of them (false).
bool settle_on_ranked_split(const NodeDialogue& dialogue, const SplitRanking& ranking) {
  Proposal proposal = propose_ranked(dialogue, ranking[0]);
  for (;;) {
    const bool empty = try_split(dialogue, proposal);
    dialogue.console.print("Accept this split [y/n]? ");
    if (dialogue.console.read_yes_no()) {
      if (!empty) return true;
      // An empty daughter would end the run when its turn came.
      dialogue.console.print("%s", EMPTY_DAUGHTER_MESSAGE);
    }
    bool declined = false;
    const int p = choose_ranked_split(dialogue.console, ranking, declined);
    proposal = propose_ranked(dialogue, ranking[p]);
    if (declined) return false;
  }
}

bool wants_split(const NodeDialogue& dialogue) {
  dialogue.console.print("%d cases in node %d.  Split [y/n]? ", dialogue.m, dialogue.node + 1);
  if (!dialogue.console.read_yes_no()) return false;
  return is_splittable(dialogue.data, dialogue.cases, dialogue.m);
}

void commit(const NodeDialogue& dialogue) {
  NodeTable& table = dialogue.table;
  const int left = table.node_count;
  table.parent[left] = dialogue.node;
  table.parent[left + 1] = dialogue.node;
  table.left_child[dialogue.node] = left;
  table.node_count += 2;
  dialogue.search.split(dialogue.node, left, table.case_node);
  note_split_made(dialogue);
}

void decline(const NodeDialogue& dialogue) {
  dialogue.console.print("no split for node %d:2\n", dialogue.node + 1);
  return_cases(dialogue);
  dialogue.table.left_child[dialogue.node] = 0;
}

void run_dialogue(const NodeDialogue& dialogue) {
  if (!wants_split(dialogue)) return decline(dialogue);
  const SplitRanking ranking = rank_covariates(dialogue);
  if (!(ranking[0].impurity < dialogue.data.n_classes)) return decline(dialogue);
  if (settle_on_ranked_split(dialogue, ranking)) return commit(dialogue);
  int var = 0;
  if (!make_manual_split(dialogue, var)) return decline(dialogue);
  // Judged before the daughters take their segments, over the node's cases in case order.
  judge_split(dialogue, var);
  commit(dialogue);
}

}  // namespace

void control_node(int node, const DialogueContext& context) {
  NodeTable& table = context.table;
  const int m = context.search.size(node);
  if (m == 0) stop_on_empty_node(table, node);
  table.node_size[node] = m;
  if (table.node_count >= NODE_LIMIT) return;
  run_dialogue(NodeDialogue{context, node, context.search.cases(node), m});
}

}  // namespace bramble
