#!/bin/sh
# The floors of the source tree: src/floors.txt lists its folders bottom to top, and no file
# includes from a floor above its own. Prints every folder without a floor and every include that
# reaches up; fails if there is any. Usage: floors.sh SOURCE_DIR
cd "$1/src" || exit 1
awk 'FNR == NR { if ($0 !~ /^#/ && NF > 0) floor[$1] = ++floors; next }
     FNR == 1 { split(FILENAME, path, "/"); own = path[1]; ++files
                if (!(own in floor)) { print own ": a folder without a floor"; bad = 1 } }
     /^#include "[a-z_]+\// { split($2, path, "/"); used = substr(path[1], 2)
                if (!(used in floor) || floor[used] > floor[own]) { print FILENAME ": " $0; bad = 1 } }
     END { if (floors < 9 || files < 50) { print floors " floors, " files " files"; bad = 1 }
           exit bad }' floors.txt */*.h */*.cpp
