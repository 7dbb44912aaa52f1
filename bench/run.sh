#!/usr/bin/env bash
# Benchmark of a whole automatic run of bramble against the tokenizer floor, at 10^4, 10^5 and 10^6
# cases (and 10^7 with --big). See bench/README.md.
set -euo pipefail

usage() {
    cat <<'EOF'
usage: bench/run.sh [--big] [--runs N] [--seed N] [--data-dir DIR]
  --big           also measure 10^7 cases (a file of about 640 MiB)
  --runs N        measured runs of each program per file (default 3, at least 3)
  --seed N        seed of the generated data (default 1)
  --data-dir DIR  scratch directory for data files and tools (default bench/data)
EOF
}

fail() {
    echo "run.sh: $*" >&2
    exit 1
}

root=$(cd "$(dirname "$0")/.." && pwd)
runs=3
seed=1
big=0
data_dir="$root/bench/data"
while [ $# -gt 0 ]; do
    case "$1" in
        --big) big=1 ;;
        --runs) runs=${2:?--runs needs a number}; shift ;;
        --seed) seed=${2:?--seed needs a number}; shift ;;
        --data-dir) data_dir=${2:?--data-dir needs a directory}; shift ;;
        -h|--help) usage; exit 0 ;;
        *) usage >&2; exit 2 ;;
    esac
    shift
done
[[ "$runs" =~ ^[0-9]+$ ]] && [ "$runs" -ge 3 ] || fail "--runs must be a number of at least 3"
[[ "$seed" =~ ^[0-9]+$ ]] || fail "--seed must be a non-negative number"

if [ ! -x /usr/bin/time ] || ! /usr/bin/time -f '%e %M' true >/dev/null 2>&1; then
    fail "GNU time is needed at /usr/bin/time (Debian package 'time'); this script installs nothing"
fi

mkdir -p "$data_dir/bin" "$data_dir/work"
data_dir=$(cd "$data_dir" && pwd)

# --- Builds -----------------------------------------------------------------------------------------
echo "Building the release program in build-release/ (log: $data_dir/build.log)"
if ! (cd "$root" && cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBRAMBLE_TESTS=OFF \
        && cmake --build build-release -j2) >"$data_dir/build.log" 2>&1; then
    tail -n 30 "$data_dir/build.log" >&2
    fail "the release build of bramble failed; see $data_dir/build.log"
fi
bramble="$root/build-release/bramble"
[ -x "$bramble" ] || fail "the release build produced no executable at $bramble"

cxx=${CXX:-g++}
# The generator must give the same bytes everywhere: no fused multiply-add. It replaces the one
# built before only when it differs, as a newer generator makes the data files again.
"$cxx" -std=c++17 -O2 -ffp-contract=off -o "$data_dir/bin/make_data.new" "$root/bench/make_data.cpp" \
    || fail "cannot compile bench/make_data.cpp"
if cmp -s "$data_dir/bin/make_data.new" "$data_dir/bin/make_data"; then
    rm -f "$data_dir/bin/make_data.new"
else
    mv "$data_dir/bin/make_data.new" "$data_dir/bin/make_data"
fi
# The floor gets the flags of CMake's Release build.
"$cxx" -std=c++17 -O3 -DNDEBUG -o "$data_dir/bin/floor" "$root/bench/floor.cpp" \
    || fail "cannot compile bench/floor.cpp"
make_data="$data_dir/bin/make_data"
floor="$data_dir/bin/floor"

# Missing copies: one per ordinal covariate that has missing values, as the generator designs them.
missing_copies=$("$make_data" --design \
    | awk '{ for (i = 1; i < NF; i++) if ($i == "ordinal_with_missing") print $(i + 1) }')
[ -n "$missing_copies" ] || fail "the generator does not state its design"

# --- Measurement ------------------------------------------------------------------------------------
median() {  # median of the numbers given as arguments
    printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END {
        if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# measure LOG COMMAND...: one run under GNU time, output to LOG.out; sets elapsed (s) and rss (KB).
measure() {
    local log="$1"; shift
    local status=0
    /usr/bin/time -f '%e %M' -o "$log.time" "$@" >"$log.out" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        tail -n 20 "$log.out" >&2
        fail "'$*' ended with status $status (console output: $log.out)"
    fi
    read -r elapsed rss < <(tail -n 1 "$log.time")
}

# Two Enters: entropy, then the automatic mode; exactly what a user types for a default run.
answers="$data_dir/answers.txt"
printf '\n\n' >"$answers"

sizes=(10000 100000 1000000)
[ "$big" -eq 1 ] && sizes+=(10000000)

# bramble writes NAME.inf and NAME.ps to the current directory: keep them in the scratch area.
cd "$data_dir/work"
declare -A floor_s bramble_s rss_mb file_mb bound_mb nodes
for cases in "${sizes[@]}"; do
    name="cases$cases"
    file="$data_dir/$name.dat"
    if [ ! -s "$file" ] || [ "$make_data" -nt "$file" ]; then
        echo "Generating $file"
        "$make_data" "$cases" "$seed" >"$file.tmp" || fail "cannot generate $file"
        mv "$file.tmp" "$file"
        sync  # the file's writing back to disk would otherwise go on during the runs
    fi
    covariates=$(head -n 1 "$file" | tr -cd 'oOnN' | wc -c)

    echo "Measuring $cases cases ($runs runs each)"
    "$floor" "$file" >/dev/null  # warm the page cache
    times=(); for ((i = 0; i < runs; i++)); do
        measure "$data_dir/work/floor" "$floor" "$file" </dev/null
        times+=("$elapsed")
    done
    floor_s[$cases]=$(median "${times[@]}")

    times=(); rsss=()
    for ((i = 0; i < runs; i++)); do
        rm -f "$data_dir/work/$name.inf" "$data_dir/work/$name.ps"
        measure "$data_dir/work/bramble" "$bramble" "$file" <"$answers"
        grep -q 'The pruned tree at p-value of 0.000001:' "$data_dir/work/$name.inf" 2>/dev/null \
            || fail "bramble did not complete the automatic run on $file (see $data_dir/work/)"
        times+=("$elapsed"); rsss+=("$rss")
    done
    bramble_s[$cases]=$(median "${times[@]}")
    rss_mb[$cases]=$(awk -v kb="$(median "${rsss[@]}")" 'BEGIN { printf "%.1f", kb / 1024 }')
    file_mb[$cases]=$(awk -v b="$(stat -c %s "$file")" 'BEGIN { printf "%.1f", b / 1048576 }')
    bound_mb[$cases]=$(awk -v n="$cases" -v p="$covariates" -v c="$missing_copies" \
        'BEGIN { printf "%.1f", 1.5 * 8 * n * (p + c) / 1048576 + 64 }')
    grown=$(sed -n 's/.*An initial tree with \([0-9]*\) nodes is grown.*/\1/p' "$data_dir/work/bramble.out")
    remain=$(sed -n 's/.*There remain \([0-9]*\) nodes.*/\1/p' "$data_dir/work/bramble.out" | paste -sd ' ')
    nodes[$cases]="${grown:-?} -> ${remain:-?}"
done

# --- Report -----------------------------------------------------------------------------------------
echo
echo "Medians of $runs runs; $covariates covariates + $missing_copies missing copies; seed $seed"
printf '%10s %9s %8s %10s %7s %10s %10s %s\n' cases "file MB" "floor s" "bramble s" ratio \
    "peak MB" "bound MB" memory
for cases in "${sizes[@]}"; do
    ratio=$(awk -v b="${bramble_s[$cases]}" -v f="${floor_s[$cases]}" \
        'BEGIN { if (f > 0) printf "%.2f", b / f; else print "-" }')
    within=$(awk -v r="${rss_mb[$cases]}" -v m="${bound_mb[$cases]}" \
        'BEGIN { print (r <= m ? "within" : "OVER") }')
    printf '%10s %9s %8s %10s %7s %10s %10s %s\n' "$cases" "${file_mb[$cases]}" "${floor_s[$cases]}" \
        "${bramble_s[$cases]}" "$ratio" "${rss_mb[$cases]}" "${bound_mb[$cases]}" "$within"
done

echo
echo "Tree sizes (nodes grown -> left after each of the seven pruning passes):"
for cases in "${sizes[@]}"; do
    printf '%10s  %s\n' "$cases" "${nodes[$cases]}"
done

echo
verdict() {  # verdict TEXT VALUE LIMIT
    awk -v t="$1" -v v="$2" -v l="$3" 'BEGIN {
        if (v == "-") printf "%-48s not measurable\n", t
        else printf "%-48s %s (%s, limit %s)\n", t, (v + 0 <= l + 0 ? "met" : "MISSED"), v, l }'
}
big_ratio=$(awk -v b="${bramble_s[1000000]}" -v f="${floor_s[1000000]}" \
    'BEGIN { if (f > 0) printf "%.2f", b / f; else print "-" }')
verdict "10^6 cases: bramble within 3.5 x the floor" "$big_ratio" 3.5
if [ "$big" -eq 1 ]; then
    scale=$(awk -v a="${bramble_s[10000000]}" -v b="${bramble_s[1000000]}" \
        'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }')
    verdict "10^7 cases: bramble within 11 x the 10^6 run" "$scale" 11
fi
over=0
for cases in "${sizes[@]}"; do
    awk -v r="${rss_mb[$cases]}" -v m="${bound_mb[$cases]}" 'BEGIN { exit !(r > m) }' && over=1
done
printf '%-48s %s\n' "peak memory within the bound at every size" "$([ "$over" -eq 0 ] && echo met || echo MISSED)"
