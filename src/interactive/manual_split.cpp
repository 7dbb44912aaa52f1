#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "data/value_parse.h"
#include "interactive/node_dialogue.h"
#include "numeric/arrays.h"
#include "program/console.h"

namespace bramble {

namespace {

// The decimal category code names categories 1 to 9 by one digit each.
constexpr int LARGEST_DIGIT_CATEGORY = 9;

bool read_variable_number(int n_covariates, int& var) {
  for (;;) {
    int number = 0;
    if (!read_whole_number(number)) return false;
    if (number >= 1 && number <= n_covariates) {
      var = number - 1;
      return true;
    }
    std::printf("Please enter a variable number from 1 to %d.\n", n_covariates);
  }
}

// A word that is wholly a finite decimal number, as a value of the data file is; one beyond the
// values' range is a cut-off all the same.
bool read_cut_off(double& cut) {
  for (;;) {
    std::string word;
    if (!read_word(word)) return false;
    const ParseResult read = parse_decimal(word, cut);
    if (read == ParseResult::ok || read == ParseResult::too_large) return true;
    discard_line();
    std::printf("Please enter a number.\n");
  }
}

// Each manual split returns false when input ended before it was made.
bool split_at_cut_off(const NodeDialogue& dialogue, int var) {
  std::printf("This variable is ordered. Enter the cut-off value here: \n");
  double cut = 0;
  if (!read_cut_off(cut)) return false;
  dialogue.table.cut_off[dialogue.node] = cut;
  // Code 0: the ordinal rule, a case goes right when its value is greater than the cut-off.
  partition_node(dialogue.data, dialogue.table, dialogue.node, dialogue.cases, dialogue.m, var, 0);
  return true;
}

void print_pattern_prompt(const Dataset& data, int var) {
  const int k = data.var_type[var];
  std::printf("This variable has %d categories: \n", k);
  for (int v = 0; v < k; ++v) std::printf("%d ", data.ori_catg[var][v]);
  std::printf("\nEnter a sequence of");
  std::printf(" %d 0 or 1's to specify the split.\n", k);
  std::printf("For example, ");
  if (k == 2) {
    std::printf("1 0 \n");
  } else if (k == 3) {
    std::printf("1 0 1 islates the second category from the others\n");
  } else {
    std::printf("1 1 ");
    for (int v = 2; v < k; ++v) std::printf("0 ");
    std::printf("sends the first two categories to one side and the");
    std::printf(" rest to the other side.\n");
    std::printf("Enter here: ");
  }
}

// Reads one entry per category; a word that is no whole number, or a category past the ninth sent
// right, has the whole pattern read again.
bool read_pattern(std::vector<int>& pattern) {
  for (;;) {
    NumberRead read = NumberRead::number;
    for (int v = 0; v < static_cast<int>(pattern.size()) && read == NumberRead::number; ++v) {
      read = read_number_word(pattern[v]);
    }
    if (read == NumberRead::end_of_input) return false;
    if (read == NumberRead::not_a_number) continue;
    bool past_last_digit = false;
    for (int v = LARGEST_DIGIT_CATEGORY; v < static_cast<int>(pattern.size()); ++v) {
      past_last_digit = past_last_digit || pattern[v] != 0;
    }
    if (!past_last_digit) return true;
    std::printf("The tenth category cannot go right: enter the complementary pattern "
                "(0 and 1 swapped).\n");
  }
}

// Sends a case right when the pattern entry of its category is not 0, refills daughter_counts and
// stores the decimal category code of the categories sent right.
void split_by_pattern(const NodeDialogue& dialogue, int var, const std::vector<int>& pattern) {
  const Dataset& data = dialogue.data;
  NodeTable& table = dialogue.table;
  std::vector<int>& counts = table.daughter_counts;
  std::fill(counts.begin(), counts.end(), 0);
  for (int i = 0; i < dialogue.m; ++i) {
    const int c = dialogue.cases[i];
    const bool right = pattern[static_cast<int>(data.X[var][c])] != 0;
    table.case_node[c] = table.node_count + (right ? 1 : 0);
    ++counts[2 * (data.n_classes - 1 - data.y[c]) + (right ? 0 : 1)];
  }
  double code = 0.0;
  for (int v = 0; v < static_cast<int>(pattern.size()); ++v) {
    if (pattern[v] != 0) code = code * 10 + v + 1;
  }
  table.cut_off[dialogue.node] = code;
}

bool split_by_categories(const NodeDialogue& dialogue, int var) {
  print_pattern_prompt(dialogue.data, var);
  std::vector<int> pattern = ivector(dialogue.data.var_type[var]);
  if (!read_pattern(pattern)) return false;
  split_by_pattern(dialogue, var, pattern);
  return true;
}

}  // namespace

bool make_manual_split(const NodeDialogue& dialogue, int& var) {
  for (;;) {
    std::printf("Do you still want to split this node [y/n]? ");
    if (read_yes_no() == 0) return false;
    std::printf("which variable [enter the variable number]: ");
    if (!read_variable_number(dialogue.data.n_covariates, var)) {
      note_end_of_input();
      return false;
    }
    const bool made = dialogue.data.is_nominal(var) ? split_by_categories(dialogue, var)
                                                    : split_at_cut_off(dialogue, var);
    if (!made) {
      note_end_of_input();
      return false;
    }
    if (!leaves_daughter_empty(dialogue.table)) {
      dialogue.table.split_var[dialogue.node] = var;
      return true;
    }
    return_cases(dialogue);
    std::printf("%s", EMPTY_DAUGHTER_MESSAGE);
  }
}

}  // namespace bramble
