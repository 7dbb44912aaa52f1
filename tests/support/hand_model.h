// Model files of the tests, read as they stand; among them the hand-made model tests/model/hand.json,
// which meets every rule real runs seldom reach: age is ordinal with missing values, so covariate 4
// is its missing copy; stage is nominal, with 5 and 7 merged into 999 and a missing category; grade
// is nominal without a missing category. It has the grown tree and a pruned one.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "model/model_reader.h"
#include "support/run_binary.h"

namespace bramble_test {

// A model file, read as it stands.
inline bramble::Model model_of_file(const std::string& path) {
  bramble::Model model;
  std::string error;
  EXPECT_TRUE(bramble::read_model_json(read_file(path), model, error)) << path << ": " << error;
  return model;
}

inline const std::string HAND_MODEL_PATH = source_dir() + "/tests/model/hand.json";

inline bramble::Model hand_model() { return model_of_file(HAND_MODEL_PATH); }

}  // namespace bramble_test
