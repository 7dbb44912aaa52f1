// A split typed by hand: a covariate and its cut-off or category pattern.
#pragma once

#include "interactive/node_dialogue.h"

namespace bramble {

// The follow-up of a declined ranking: asks whether to split all the same and reads a covariate
// and its cut-off or category pattern, until a split is made (true, var set) or the analyst says
// no or input ends (false).
bool make_manual_split(const NodeDialogue& dialogue, int& var);

}  // namespace bramble
