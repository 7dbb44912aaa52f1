#include "model/model_reader.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "model/json.h"
#include "model/json_format.h"
#include "model/model_check.h"
#include "model/refusal.h"

namespace bramble {

namespace {

// Values are known by their path in the file, such as "trees[1].nodes[3].split.left".
std::string member_path(const std::string& path, std::string_view key) {
  return path.empty() ? std::string(key) : path + "." + std::string(key);
}

std::string element_path(const std::string& path, std::size_t index) {
  return path + "[" + std::to_string(index) + "]";
}

const JsonValue& typed(const JsonValue& value, JsonType type, const std::string& path,
                       const char* expected) {
  if (value.type != type) refuse(path + ": expected " + expected);
  return value;
}

// The member key of object, which must be there.
const JsonValue& field(const JsonValue& object, std::string_view key, const std::string& path) {
  typed(object, JsonType::object, path.empty() ? "the model" : path, "an object");
  const JsonValue* value = object.member(key);
  if (value == nullptr) {
    refuse((path.empty() ? "" : path + ": ") + "the field \"" + std::string(key) + "\" is missing");
  }
  return *value;
}

int as_int(const JsonValue& value, const std::string& path) {
  const std::string& literal = typed(value, JsonType::number, path, "a whole number").text;
  int result = 0;
  const char* const end = literal.data() + literal.size();
  const auto [stop, error] = std::from_chars(literal.data(), end, result);
  if (literal.find_first_of(".eE") != std::string::npos || stop != end || error != std::errc()) {
    refuse(path + ": expected a whole number of the int range, found " + literal);
  }
  return result;
}

double as_double(const JsonValue& value, const std::string& path) {
  const std::string& literal = typed(value, JsonType::number, path, "a number").text;
  double result = std::numeric_limits<double>::quiet_NaN();
  const char* const end = literal.data() + literal.size();
  const auto [stop, error] = std::from_chars(literal.data(), end, result);
  // Out of range covers underflow too, which strtod rounds as it should.
  if (error == std::errc::result_out_of_range) result = std::strtod(literal.c_str(), nullptr);
  if (stop != end || !std::isfinite(result)) {
    refuse(path + ": the number " + literal + " is out of range");
  }
  return result;
}

int int_field(const JsonValue& object, std::string_view key, const std::string& path) {
  return as_int(field(object, key, path), member_path(path, key));
}

double double_field(const JsonValue& object, std::string_view key, const std::string& path) {
  return as_double(field(object, key, path), member_path(path, key));
}

const std::string& string_field(const JsonValue& object, std::string_view key,
                                const std::string& path) {
  return typed(field(object, key, path), JsonType::string, member_path(path, key), "a string").text;
}

const std::vector<JsonValue>& array_field(const JsonValue& object, std::string_view key,
                                          const std::string& path) {
  return typed(field(object, key, path), JsonType::array, member_path(path, key), "an array").items;
}

std::vector<int> int_list_field(const JsonValue& object, std::string_view key,
                                const std::string& path) {
  const std::vector<JsonValue>& items = array_field(object, key, path);
  std::vector<int> values;
  for (std::size_t i = 0; i < items.size(); ++i) {
    values.push_back(as_int(items[i], element_path(member_path(path, key), i)));
  }
  return values;
}

template <typename Enum, std::size_t N>
Enum named_field(const JsonValue& object, std::string_view key, const std::string& path,
                 const NamedValue<Enum> (&names)[N]) {
  const std::string& word = string_field(object, key, path);
  Enum value{};
  if (value_named(names, word, value)) return value;
  std::string known;
  for (const NamedValue<Enum>& named : names) known += " " + json_quoted(named.name);
  refuse(member_path(path, key) + ": " + json_quoted(word) + " is none of" + known);
}

// The elements of an array of {"label": L, "count": C} objects.
void read_label_counts(const JsonValue& object, std::string_view key, const std::string& path,
                       std::vector<int>& labels, std::vector<int>& counts) {
  const std::vector<JsonValue>& items = array_field(object, key, path);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::string element = element_path(member_path(path, key), i);
    labels.push_back(int_field(items[i], "label", element));
    counts.push_back(int_field(items[i], "count", element));
  }
}

ModelCovariate read_covariate(const JsonValue& json, const std::string& path) {
  ModelCovariate covariate;
  covariate.number = int_field(json, "number", path);
  covariate.name = string_field(json, "name", path);
  if (json.member("copy_of") != nullptr) {
    covariate.copy_of = int_field(json, "copy_of", path);
  } else {
    covariate.column = int_field(json, "column", path);
  }
  covariate.kind = named_field(json, "kind", path, KIND_NAMES);
  covariate.missing = int_field(json, "missing", path);
  if (covariate.kind == CovariateKind::ordinal) {
    covariate.min = double_field(json, "min", path);
    covariate.max = double_field(json, "max", path);
  } else {
    read_label_counts(json, "categories", path, covariate.categories, covariate.category_counts);
    covariate.merged = int_list_field(json, "merged", path);
  }
  return covariate;
}

void read_split(const JsonValue& json, const std::string& path, ModelNode& node) {
  node.covariate = int_field(json, "covariate", path);
  node.kind = named_field(json, "kind", path, KIND_NAMES);
  if (node.kind == CovariateKind::ordinal) {
    node.cut_off = double_field(json, "cut_off", path);
  } else {
    node.right_categories = int_list_field(json, "right_categories", path);
  }
  node.missing_right = named_field(json, "missing", path, SIDE_NAMES);
  node.has_chisq = json.member("chisq") != nullptr;
  if (node.has_chisq) node.chisq = double_field(json, "chisq", path);
  node.left = int_field(json, "left", path);
  node.right = int_field(json, "right", path);
  // 0 marks a terminal node in the model; the file says so by having no split.
  if (node.left == 0) refuse(member_path(path, "left") + ": 0 is no node number");
}

ModelNode read_node(const JsonValue& json, const std::string& path) {
  ModelNode node;
  node.number = int_field(json, "number", path);
  node.cases = int_field(json, "cases", path);
  node.class_counts = int_list_field(json, "class_counts", path);
  if (json.member("split") != nullptr) {
    read_split(field(json, "split", path), member_path(path, "split"), node);
  } else {
    node.majority_class = int_field(json, "majority_class", path);
  }
  return node;
}

ModelTree read_tree(const JsonValue& json, const std::string& path) {
  ModelTree tree;
  tree.label = string_field(json, "label", path);
  tree.pruned = json.member("p_value") != nullptr;
  if (tree.pruned) {
    tree.p_value = double_field(json, "p_value", path);
    tree.critical_value = double_field(json, "critical_value", path);
    tree.degrees_of_freedom = int_field(json, "degrees_of_freedom", path);
  }
  const std::vector<JsonValue>& nodes = array_field(json, "nodes", path);
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    tree.nodes.push_back(read_node(nodes[i], element_path(member_path(path, "nodes"), i)));
  }
  return tree;
}

void check_format(const JsonValue& root) {
  const JsonValue* format = root.type == JsonType::object ? root.member("format") : nullptr;
  if (format == nullptr || format->type != JsonType::string || format->text != MODEL_FORMAT_NAME) {
    refuse("not a " + std::string(MODEL_FORMAT_NAME) + " model (its \"format\" field must say \"" +
           std::string(MODEL_FORMAT_NAME) + "\")");
  }
  const int version = int_field(root, "version", "");
  if (version != MODEL_FORMAT_VERSION) {
    refuse("version " + std::to_string(version) + " of the format is not supported (this program " +
           "reads version " + std::to_string(MODEL_FORMAT_VERSION) + ")");
  }
}

Model read_model(const JsonValue& root) {
  check_format(root);
  Model model;
  model.data_file = string_field(root, "data_file", "");
  model.rule = named_field(root, "rule", "", RULE_NAMES);
  model.mode = named_field(root, "mode", "", MODE_NAMES);
  model.n_cases = int_field(root, "cases", "");
  read_label_counts(root, "classes", "", model.class_labels, model.class_counts);
  const std::vector<JsonValue>& covariates = array_field(root, "covariates", "");
  for (std::size_t i = 0; i < covariates.size(); ++i) {
    model.covariates.push_back(read_covariate(covariates[i], element_path("covariates", i)));
  }
  const std::vector<JsonValue>& trees = array_field(root, "trees", "");
  for (std::size_t i = 0; i < trees.size(); ++i) {
    model.trees.push_back(read_tree(trees[i], element_path("trees", i)));
  }
  return model;
}

}  // namespace

bool read_model_json(std::string_view text, Model& model, std::string& error) {
  JsonValue root;
  if (!parse_json(text, root, error)) {
    error = "not JSON: " + error;
    return false;
  }
  try {
    Model read = read_model(root);
    error = model_fault(read);
    if (!error.empty()) return false;
    model = std::move(read);
    return true;
  } catch (const Refusal& refusal) {
    error = refusal.message;
    return false;
  }
}

}  // namespace bramble
