#include "html/judged_section.h"

#include "html/conditions.h"
#include "html/format.h"
#include "html/table.h"
#include "html/xml_text.h"

namespace bramble {

namespace {

std::string interval(double low, double high) { return formatted("%.4f to %.4f", low, high); }

TableRow judged_row(const Model& model, const JudgedSplit& split) {
  const bool cv = split.cross_validated;
  return {std::to_string(split.node),
          xml_escaped(split_name(model, split.covariate)),
          xml_escaped(condition_text(model, split_view(split), Daughter::right)),
          formatted("%.4f", split.impurity),
          formatted("%.4f", split.risk),
          interval(split.risk_low, split.risk_high),
          cv ? formatted("%.4f", split.cv_risk) : "not computed",
          cv ? interval(split.cv_low, split.cv_high) : "",
          split.accepted ? "yes" : "no"};
}

}  // namespace

std::string judged_section(const Model& model) {
  std::vector<TableRow> rows;
  for (const JudgedSplit& split : model.judged) rows.push_back(judged_row(model, split));
  return "<section id=\"judged\">\n<h2>Judged splits</h2>\n"
         "<p>Every split proposed or entered in the dialogue, in the order judged. The relative "
         "risk is cross-validated (5 folds) for two classes and nodes of at least 20 cases.</p>\n" +
         table_html("judged",
                    {"Node", "Covariate", "Right daughter", "Impurity", "Relative risk",
                     "95% interval", "Cross-validated relative risk", "95% interval", "Made"},
                    rows) +
         "</section>\n";
}

}  // namespace bramble
