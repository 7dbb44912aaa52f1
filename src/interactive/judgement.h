// What the dialogue said of one split it judged, kept for the descriptions of the run (the page).
#pragma once

namespace bramble {

struct Judgement {
  int node = 0;                  // 0-based, as in the node table
  int var = 0;                   // 0-based covariate
  double cut_off = 0.0;          // as in the node table: a value, or the decimal category code
  double impurity = 0.0;         // the entropy of the split, as printed
  double risk = 0.0;             // relative risk and its 95 percent interval
  double risk_low = 0.0;
  double risk_high = 0.0;
  bool cross_validated = false;  // two classes and a node large enough
  double cv_risk = 0.0;
  double cv_low = 0.0;
  double cv_high = 0.0;
  bool accepted = false;         // the split was made
};

}  // namespace bramble
