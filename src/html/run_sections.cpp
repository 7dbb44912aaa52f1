#include "html/run_sections.h"

#include "html/conditions.h"
#include "html/format.h"
#include "html/palette.h"
#include "html/table.h"
#include "html/xml_text.h"

namespace bramble {

namespace {

std::string swatch(int klass) {
  return formatted("<span class=\"swatch\" style=\"background:%s\"></span>", class_colour(klass));
}

std::string count_at(const std::vector<int>& counts, std::size_t i) {
  return i < counts.size() ? std::to_string(counts[i]) : "";
}

std::string kind_text(const Model& model, const ModelCovariate& covariate) {
  if (covariate.is_missing_copy()) return "missing copy of " + split_name(model, covariate.number);
  return covariate.kind == CovariateKind::nominal ? "nominal" : "ordinal";
}

std::string values_text(const ModelCovariate& covariate) {
  if (covariate.kind == CovariateKind::ordinal) {
    return "from " + number_text(covariate.min) + " to " + number_text(covariate.max);
  }
  std::string text;
  for (std::size_t i = 0; i < covariate.categories.size(); ++i) {
    if (i > 0) text += ", ";
    text += category_text(covariate, covariate.categories[i]) + " (" +
            count_at(covariate.category_counts, i) + ")";
  }
  return text;
}

// Where the missing values of an ordinal covariate go, and which categories were merged.
std::string note_text(const ModelCovariate& covariate) {
  if (covariate.is_missing_copy()) return "its splits send missing values right";
  if (covariate.kind == CovariateKind::ordinal) {
    return covariate.missing > 0 ? "its splits send missing values left" : "";
  }
  if (covariate.merged.empty()) return "";
  std::string note = "merged: ";
  for (std::size_t i = 0; i < covariate.merged.size(); ++i) {
    note += (i > 0 ? ", " : "") + std::to_string(covariate.merged[i]);
  }
  return note + " (999 in the report)";
}

}  // namespace

std::string run_section(const Model& model) {
  const bool automatic = model.mode == RunMode::automatic;
  std::vector<TableRow> facts = {
      {"Data file", xml_escaped(model.data_file)},
      {"Splitting rule", model.rule == SplittingRule::entropy ? "entropy" : "Gini"},
      {"Mode", automatic ? "automatic: grown, then pruned at seven p-values"
                         : "controlled: split node by node"},
      {"Cases", std::to_string(model.n_cases)}};
  std::vector<TableRow> classes;
  for (std::size_t k = 0; k < model.class_labels.size(); ++k) {
    const int klass = static_cast<int>(k);
    classes.push_back({std::to_string(klass), xml_escaped(class_text(model, klass)),
                       count_at(model.class_counts, k), swatch(klass)});
  }
  return "<section id=\"run\">\n<h2>The run</h2>\n" + table_html("facts", {}, facts) +
         "<h3>Classes</h3>\n" +
         table_html("classes", {"Class", "Response value", "Cases", "Colour"}, classes) +
         "</section>\n";
}

std::string covariates_section(const Model& model) {
  std::vector<TableRow> rows;
  for (const ModelCovariate& covariate : model.covariates) {
    rows.push_back({std::to_string(covariate.number), xml_escaped(covariate.name),
                    xml_escaped(kind_text(model, covariate)), xml_escaped(values_text(covariate)),
                    std::to_string(covariate.missing), xml_escaped(note_text(covariate))});
  }
  return "<section id=\"covariates\">\n<h2>Covariates</h2>\n" +
         table_html("covariates", {"Number", "Name", "Kind", "Values (cases)", "Missing", "Notes"},
                    rows) +
         "</section>\n";
}

}  // namespace bramble
