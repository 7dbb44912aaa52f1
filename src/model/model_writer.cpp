#include "model/model_writer.h"

#include <charconv>
#include <utility>
#include <vector>

#include "model/json.h"
#include "model/json_format.h"

namespace bramble {

namespace {

std::string number_text(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string number_text(int value) { return std::to_string(value); }

template <typename Enum, std::size_t N>
std::string quoted_name(const NamedValue<Enum> (&names)[N], Enum value) {
  return json_quoted(name_of(names, value));
}

std::string int_list(const std::vector<int>& values) {
  std::string text = "[";
  for (std::size_t i = 0; i < values.size(); ++i) text += (i ? ", " : "") + number_text(values[i]);
  return text + "]";
}

// Members of an object, written on one line or one per line.
class JsonObject {
 public:
  template <typename T>
  JsonObject& add(std::string_view key, T value) {
    members_.emplace_back(json_quoted(key), number_text(value));
    return *this;
  }
  JsonObject& add_json(std::string_view key, std::string json) {
    members_.emplace_back(json_quoted(key), std::move(json));
    return *this;
  }

  std::string one_line() const {
    std::string text = "{";
    for (std::size_t i = 0; i < members_.size(); ++i) {
      text += (i ? ", " : "") + members_[i].first + ": " + members_[i].second;
    }
    return text + "}";
  }

  std::string lines(const std::string& indent) const {
    std::string text = "{\n";
    for (std::size_t i = 0; i < members_.size(); ++i) {
      text += indent + "  " + members_[i].first + ": " + members_[i].second;
      text += i + 1 < members_.size() ? ",\n" : "\n";
    }
    return text + indent + "}";
  }

 private:
  std::vector<std::pair<std::string, std::string>> members_;
};

// Elements already in JSON, one per line.
std::string element_lines(const std::vector<std::string>& elements, const std::string& indent) {
  if (elements.empty()) return "[]";
  std::string text = "[\n";
  for (std::size_t i = 0; i < elements.size(); ++i) {
    text += indent + "  " + elements[i] + (i + 1 < elements.size() ? ",\n" : "\n");
  }
  return text + indent + "]";
}

std::string label_count_list(const std::vector<int>& labels, const std::vector<int>& counts) {
  std::string text = "[";
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const int count = i < counts.size() ? counts[i] : 0;
    text += (i ? ", " : "") + JsonObject().add("label", labels[i]).add("count", count).one_line();
  }
  return text + "]";
}

std::string covariate_json(const ModelCovariate& covariate) {
  JsonObject object;
  object.add("number", covariate.number).add_json("name", json_quoted(covariate.name));
  if (covariate.is_missing_copy()) {
    object.add("copy_of", covariate.copy_of);
  } else {
    object.add("column", covariate.column);
  }
  object.add_json("kind", quoted_name(KIND_NAMES, covariate.kind))
      .add("missing", covariate.missing);
  if (covariate.kind == CovariateKind::ordinal) {
    object.add("min", covariate.min).add("max", covariate.max);
  } else {
    object.add_json("categories", label_count_list(covariate.categories, covariate.category_counts))
        .add_json("merged", int_list(covariate.merged));
  }
  return object.one_line();
}

std::string split_json(const ModelNode& node) {
  JsonObject split;
  split.add("covariate", node.covariate).add_json("kind", quoted_name(KIND_NAMES, node.kind));
  if (node.kind == CovariateKind::ordinal) {
    split.add("cut_off", node.cut_off);
  } else {
    split.add_json("right_categories", int_list(node.right_categories));
  }
  split.add_json("missing", quoted_name(SIDE_NAMES, node.missing_right));
  if (node.has_chisq) split.add("chisq", node.chisq);
  return split.add("left", node.left).add("right", node.right).one_line();
}

std::string node_json(const ModelNode& node) {
  JsonObject object;
  object.add("number", node.number).add("cases", node.cases);
  object.add_json("class_counts", int_list(node.class_counts));
  if (node.is_split()) {
    object.add_json("split", split_json(node));
  } else {
    object.add("majority_class", node.majority_class);
  }
  return object.one_line();
}

std::string tree_json(const ModelTree& tree) {
  JsonObject object;
  object.add_json("label", json_quoted(tree.label));
  if (tree.pruned) {
    object.add("p_value", tree.p_value)
        .add("critical_value", tree.critical_value)
        .add("degrees_of_freedom", tree.degrees_of_freedom);
  }
  std::vector<std::string> nodes;
  for (const ModelNode& node : tree.nodes) nodes.push_back(node_json(node));
  return object.add_json("nodes", element_lines(nodes, "      ")).lines("    ");
}

}  // namespace

std::string model_json(const Model& model) {
  std::vector<std::string> covariates;
  for (const ModelCovariate& covariate : model.covariates) {
    covariates.push_back(covariate_json(covariate));
  }
  std::vector<std::string> trees;
  for (const ModelTree& tree : model.trees) trees.push_back(tree_json(tree));
  JsonObject object;
  object.add_json("format", json_quoted(MODEL_FORMAT_NAME))
      .add("version", MODEL_FORMAT_VERSION)
      .add_json("data_file", json_quoted(model.data_file))
      .add_json("rule", quoted_name(RULE_NAMES, model.rule))
      .add_json("mode", quoted_name(MODE_NAMES, model.mode))
      .add("cases", model.n_cases)
      .add_json("classes", label_count_list(model.class_labels, model.class_counts))
      .add_json("covariates", element_lines(covariates, "  "))
      .add_json("trees", element_lines(trees, "  "));
  return object.lines("") + "\n";
}

void write_model_json(const Model& model, FILE* out) {
  const std::string text = model_json(model);
  std::fwrite(text.data(), 1, text.size(), out);
}

}  // namespace bramble
