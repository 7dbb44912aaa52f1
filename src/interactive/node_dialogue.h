// One node's dialogue in the controlled mode, and the steps its parts share.
#pragma once

#include <string>
#include <vector>

#include "data/dataset.h"
#include "interactive/judgement.h"
#include "io/console.h"
#include "numeric/random.h"
#include "tree/node_table.h"
#include "tree/split_search.h"

namespace bramble {

// What the dialogue of every node works with: the run's data, tree, search, console, random case
// orders and report (opened by name for each judgement), and where the judgements are kept (none
// kept when null).
struct DialogueContext {
  const Dataset& data;
  NodeTable& table;
  SplitSearch& search;
  Console& console;
  RandomStream& random;
  const std::string& report_name;
  std::vector<Judgement>* judgements = nullptr;
};

struct NodeDialogue : DialogueContext {
  int node;
  const int* cases;  // the node's cases in increasing case order
  int m;
};

// Printed when a split would send every case of the node to one side.
inline constexpr const char* EMPTY_DAUGHTER_MESSAGE =
    "This split leaves a node empty; enter another split.\n";

// True when the split made last (daughter_counts) left a daughter without cases.
bool leaves_daughter_empty(const NodeTable& table);

// Prints the impurity and relative risk of the split of the node on var made last, and keeps the
// judgement; daughter_counts is used up by the cross-validation.
void judge_split(const NodeDialogue& dialogue, int var);

// Marks the judgement kept last, that of the split being made, as accepted.
void note_split_made(const NodeDialogue& dialogue);

// Sends the node's cases back from the would-be daughters.
void return_cases(const NodeDialogue& dialogue);

}  // namespace bramble
