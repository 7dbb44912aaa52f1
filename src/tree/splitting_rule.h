// The impurity a split is judged by.
#pragma once

namespace bramble {

enum class SplittingRule { entropy, gini };

}  // namespace bramble
