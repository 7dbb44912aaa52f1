// The settings of a run: what it reads, how it grows its tree and where it writes. They are set
// before the run asks anything; a rule or a mode left open is asked for, and the answer is kept.
#pragma once

#include <optional>
#include <string>

#include "model/run_mode.h"
#include "tree/splitting_rule.h"

namespace bramble {

struct RunSettings {
  std::optional<std::string> data_file;  // unset: asked for at the prompt
  std::optional<SplittingRule> rule;     // unset: the rule question is asked
  std::optional<RunMode> mode;           // unset: the control question is asked
  // BASE of the files BASE.inf and BASE.ps, a path; when empty, the data file's name up to its
  // first '.' (after its last '/' or '\'), in the current directory.
  std::string output_base;
  bool quiet = false;       // no start-up notice and no notice for new users
  bool html = false;        // also write BASE.html, the page of the run
  bool json = false;        // also write BASE.json, the fitted trees
  std::string names_file;   // names of the data file's columns; empty: x1, x2, ...

  std::string base_name() const;
  std::string report_name() const { return base_name() + ".inf"; }
  std::string drawing_name() const { return base_name() + ".ps"; }
  std::string page_name() const { return base_name() + ".html"; }
  std::string model_name() const { return base_name() + ".json"; }
};

}  // namespace bramble
