#include "interactive/ranking.h"

#include <algorithm>

namespace bramble {

namespace {

constexpr int LISTED_RANKS = 200;
// The listing shows entries below this impurity, whatever the number of classes.
constexpr double LISTED_IMPURITY = 2.0;

void list_ranking(Console& console, const SplitRanking& ranking) {
  const int n = static_cast<int>(ranking.size());
  console.print("rank: impurity variable no.\n");
  for (int p = 0; p < n && p < LISTED_RANKS; ++p) {
    if (ranking[p].impurity < LISTED_IMPURITY) {
      console.print("%4d: %2.5f  %d\n", p + 1, ranking[p].impurity, ranking[p].covariate + 1);
    }
  }
  if (n > LISTED_RANKS) {
    console.print("Variabless are ordered by impurity, the first 200 are shown above.\n");
  }
  console.print("Which one [enter the rank number, 0 for none of the above. or negative\n");
  console.print("value as variable ID (i.e. -9 will split via variable number 9) ]?\n");
}

// The first position holding covariate -answer - 1, or -1 when it stands nowhere (always when
// answer is positive). Written -1 - answer, it holds every int without overflow.
int position_of_covariate(const SplitRanking& ranking, int answer) {
  const int var = -1 - answer;
  const auto found = std::find_if(ranking.begin(), ranking.end(),
                                  [var](const RankedSplit& split) { return split.covariate == var; });
  return found == ranking.end() ? -1 : static_cast<int>(found - ranking.begin());
}

}  // namespace

void rank_split(SplitRanking& ranking, double impurity, int var, double cut) {
  int p = 0;
  while (p < static_cast<int>(ranking.size()) && !(ranking[p].impurity > impurity)) ++p;
  if (p == static_cast<int>(ranking.size())) return;
  for (int q = var; q > p; --q) ranking[q] = ranking[q - 1];
  ranking[p] = RankedSplit{impurity, var, cut};
}

SplitRanking rank_covariates(const NodeDialogue& dialogue) {
  const Dataset& data = dialogue.data;
  SplitRanking ranking(data.n_covariates, RankedSplit{static_cast<double>(data.n_classes), 0, 0.0});
  for (int var = 0; var < data.n_covariates; ++var) {
    double cut = 0;
    const double impurity = dialogue.search.best_split(var, dialogue.node, cut);
    rank_split(ranking, impurity, var, cut);
  }
  return ranking;
}

int choose_ranked_split(Console& console, const SplitRanking& ranking, bool& declined) {
  list_ranking(console, ranking);
  const int n = static_cast<int>(ranking.size());
  for (;;) {
    int answer = 0;
    if (!console.read_whole_number(answer)) {
      console.note_end_of_input();
      answer = 0;
    }
    declined = answer == 0;
    if (answer == 0) return 0;
    // A rank addresses its position directly, listed or not; minus a covariate's number, its
    // position.
    if (answer > 0 && answer <= n) return answer - 1;
    const int p = position_of_covariate(ranking, answer);
    if (p >= 0) return p;
    console.print("Please enter a rank from 0 to %d, or minus the number of a ranked variable.\n", n);
  }
}

}  // namespace bramble
