// The vocabulary of the JSON model format (docs/json-format.md), shared by its writer and reader.
#pragma once

#include <string_view>

#include "model/model.h"

namespace bramble {

// The names are arrays of characters rather than pointers or views, which are relocated at load
// time: so the tables below are read-only data.
constexpr char MODEL_FORMAT_NAME[] = "bramble-tree";
constexpr int MODEL_FORMAT_VERSION = 1;

// The labels a tree may carry, and the tree classified by default in each mode.
constexpr char TREE_LABELS[][11] = {"grown",     "p=0.01",     "p=0.005",
                                    "p=0.001",   "p=0.0005",   "p=0.0001",
                                    "p=0.00001", "p=0.000001", "controlled"};
constexpr std::string_view CONTROLLED_TREE_LABEL = "controlled";
constexpr std::string_view DEFAULT_AUTOMATIC_TREE_LABEL = "p=0.01";

// The words standing for the values of an enum in the format.
template <typename Enum>
struct NamedValue {
  Enum value;
  char name[12];
};

constexpr NamedValue<CovariateKind> KIND_NAMES[] = {{CovariateKind::ordinal, "ordinal"},
                                                    {CovariateKind::nominal, "nominal"}};
constexpr NamedValue<SplittingRule> RULE_NAMES[] = {{SplittingRule::entropy, "entropy"},
                                                    {SplittingRule::gini, "gini"}};
constexpr NamedValue<RunMode> MODE_NAMES[] = {{RunMode::automatic, "automatic"},
                                              {RunMode::controlled, "controlled"}};
// Where a split sends missing values: right when true.
constexpr NamedValue<bool> SIDE_NAMES[] = {{false, "left"}, {true, "right"}};

template <typename Enum, std::size_t N>
std::string_view name_of(const NamedValue<Enum> (&names)[N], Enum value) {
  for (const NamedValue<Enum>& named : names) {
    if (named.value == value) return named.name;
  }
  return {};
}

// Sets value to the one named name; false when no value has that name.
template <typename Enum, std::size_t N>
bool value_named(const NamedValue<Enum> (&names)[N], std::string_view name, Enum& value) {
  for (const NamedValue<Enum>& named : names) {
    if (named.name == name) {
      value = named.value;
      return true;
    }
  }
  return false;
}

}  // namespace bramble
