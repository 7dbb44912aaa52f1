#include "interactive/manual_split.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "data/value_parse.h"
#include "io/console.h"
#include "numeric/arrays.h"
#include "tree/category_code.h"

namespace bramble {

namespace {

// The decimal category code names categories 1 to 9 by one digit each.
constexpr int LARGEST_DIGIT_CATEGORY = 9;

bool read_variable_number(Console& console, int n_covariates, int& var) {
  for (;;) {
    int number = 0;
    if (!console.read_whole_number(number)) return false;
    if (number >= 1 && number <= n_covariates) {
      var = number - 1;
      return true;
    }
    console.print("Please enter a variable number from 1 to %d.\n", n_covariates);
  }
}

// A word that is wholly a finite decimal number, as a value of the data file is; one beyond the
// values' range is a cut-off all the same.
bool read_cut_off(Console& console, double& cut) {
  for (;;) {
    std::string word;
    if (!console.read_word(word)) return false;
    const ParseResult read = parse_decimal(word, cut);
    if (read == ParseResult::ok || read == ParseResult::too_large) return true;
    console.discard_line();
    console.print("Please enter a number.\n");
  }
}

// Each manual split returns false when input ended before it was made.
bool split_at_cut_off(const NodeDialogue& dialogue, int var) {
  dialogue.console.print("This variable is ordered. Enter the cut-off value here: \n");
  double cut = 0;
  if (!read_cut_off(dialogue.console, cut)) return false;
  dialogue.table.cut_off[dialogue.node] = cut;
  // Code 0: the ordinal rule, a case goes right when its value is greater than the cut-off.
  partition_node(dialogue.data, dialogue.table, dialogue.node, dialogue.cases, dialogue.m, var, 0);
  return true;
}

void print_pattern_prompt(Console& console, const Dataset& data, int var) {
  const int k = data.var_type[var];
  console.print("This variable has %d categories: \n", k);
  for (int v = 0; v < k; ++v) console.print("%d ", data.ori_catg[var][v]);
  console.print("\nEnter a sequence of");
  console.print(" %d 0 or 1's to specify the split.\n", k);
  console.print("For example, ");
  if (k == 2) {
    console.print("1 0 \n");
  } else if (k == 3) {
    console.print("1 0 1 islates the second category from the others\n");
  } else {
    console.print("1 1 ");
    for (int v = 2; v < k; ++v) console.print("0 ");
    console.print("sends the first two categories to one side and the");
    console.print(" rest to the other side.\n");
    console.print("Enter here: ");
  }
}

// Reads one entry per category; a word that is no whole number, or a category past the ninth sent
// right, has the whole pattern read again.
bool read_pattern(Console& console, std::vector<int>& pattern) {
  for (;;) {
    NumberRead read = NumberRead::number;
    for (int v = 0; v < static_cast<int>(pattern.size()) && read == NumberRead::number; ++v) {
      read = console.read_number_word(pattern[v]);
    }
    if (read == NumberRead::end_of_input) return false;
    if (read == NumberRead::not_a_number) continue;
    bool past_last_digit = false;
    for (int v = LARGEST_DIGIT_CATEGORY; v < static_cast<int>(pattern.size()); ++v) {
      past_last_digit = past_last_digit || pattern[v] != 0;
    }
    if (!past_last_digit) return true;
    console.print("The tenth category cannot go right: enter the complementary pattern "
                "(0 and 1 swapped).\n");
  }
}

// Sends a case right when the pattern entry of its category is not 0, refills daughter_counts and
// stores the decimal category code of the categories sent right.
void split_by_pattern(const NodeDialogue& dialogue, int var, const std::vector<int>& pattern) {
  const Dataset& data = dialogue.data;
  NodeTable& table = dialogue.table;
  table.daughter_counts.clear();
  for (int i = 0; i < dialogue.m; ++i) {
    const int c = dialogue.cases[i];
    const bool right = pattern[static_cast<int>(data.X[var][c])] != 0;
    table.case_node[c] = table.node_count + (right ? 1 : 0);
    table.daughter_counts.add(data.y[c], right);
  }
  table.cut_off[dialogue.node] = decimal_category_code(pattern);
}

bool split_by_categories(const NodeDialogue& dialogue, int var) {
  print_pattern_prompt(dialogue.console, dialogue.data, var);
  std::vector<int> pattern = ivector(dialogue.data.var_type[var]);
  if (!read_pattern(dialogue.console, pattern)) return false;
  split_by_pattern(dialogue, var, pattern);
  return true;
}

}  // namespace

bool make_manual_split(const NodeDialogue& dialogue, int& var) {
  for (;;) {
    dialogue.console.print("Do you still want to split this node [y/n]? ");
    if (!dialogue.console.read_yes_no()) return false;
    dialogue.console.print("which variable [enter the variable number]: ");
    if (!read_variable_number(dialogue.console, dialogue.data.n_covariates, var)) {
      dialogue.console.note_end_of_input();
      return false;
    }
    const bool made = dialogue.data.is_nominal(var) ? split_by_categories(dialogue, var)
                                                    : split_at_cut_off(dialogue, var);
    if (!made) {
      dialogue.console.note_end_of_input();
      return false;
    }
    if (!leaves_daughter_empty(dialogue.table)) {
      dialogue.table.split_var[dialogue.node] = var;
      return true;
    }
    return_cases(dialogue);
    dialogue.console.print("%s", EMPTY_DAUGHTER_MESSAGE);
  }
}

}  // namespace bramble
