// How the tree of a run is grown: by the program alone, or node by node under the analyst's control.
#pragma once

namespace bramble {

enum class RunMode { automatic, controlled };

}  // namespace bramble
