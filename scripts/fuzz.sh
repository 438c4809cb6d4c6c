#!/bin/bash
# Builds the libFuzzer targets with clang in their own build folder and runs each for the given
# number of seconds, starting from the seed corpus in tests/fuzz/corpus/<target>/. Inputs that
# find new paths go to a working corpus in the build folder. The inputs that once broke a rule
# (tests/fuzz/crashes/<target>/) are run again first; a new one is saved there, where the unit
# test TestFuzzReplay replays it too. At the end it prints the executions per second and the
# coverage of each target, and fails if any target failed.
# With FUZZ_RUNS=N set, each target instead makes exactly N runs with a fixed seed from the
# committed corpus alone (a fresh working corpus): the same tree always gives the same verdict,
# as CI needs; time-bound random fuzzing finds new inputs when run by hand.
# Usage: [FUZZ_RUNS=N] scripts/fuzz.sh BUILD_FOLDER SECONDS JOBS
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${2:-60}
jobs=${3:-2}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTARVEX_FUZZ=ON >/dev/null
cmake --build "$build" -j "$jobs"

export ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# The source files of the unit each target exercises, for its coverage figure.
declare -A units=(
    [hotkey_file]='store/(HotkeyDatabase|HotkeyFileIO|HotkeyList|ActiveHotkeyTable)\.cpp'
    [key_texts]='keys/KeyText\.cpp'
    [key_capture]='keys/(KeyCapture|KeyNames)\.cpp'
    [matcher]='activation/(HotkeyMatcher|HotkeyDetection|KeyBuffer)\.cpp'
    [settings]='store/(SettingsStore|AppSettings|IniDocument)\.cpp'
    [login_entry]='platform/linux/DesktopEntryText\.cpp'
)

# Options of single targets (none at present).
declare -A options=()

# Prints "functions a/b, edges c/d" of the unit's files, from one run over the corpus.
unit_coverage() {
    "$1" -runs=0 -print_coverage=1 "$2" 2>&1 | awk -v unit="$3" '
        /^(COVERED|UNCOVERED)_FUNC/ && $NF ~ unit {
            split($5, e, "/"); covered += e[1]; edges += e[2]; funcs++
            if ($1 == "COVERED_FUNC:") hit++
        }
        END { printf "functions %d/%d, edges %d/%d", hit, funcs, covered, edges }'
}
summary=()
failed=0
for corpus in tests/fuzz/corpus/*/; do
    target=$(basename "$corpus")
    work="$build/corpus/$target"
    crashes="tests/fuzz/crashes/$target"
    log="$build/fuzz-$target.log"
    if [ -n "${FUZZ_RUNS:-}" ]; then
        rm -rf "$work"
        budget="-runs=$FUZZ_RUNS -seed=1"
        echo "== fuzz_$target for $FUZZ_RUNS runs (seed 1)"
    else
        budget="-max_total_time=$seconds"
        echo "== fuzz_$target for ${seconds}s"
    fi
    mkdir -p "$work" "$crashes"
    status=0
    # shellcheck disable=SC2086
    "$build/fuzz_$target" $budget -timeout=10 -rss_limit_mb=2048 \
        ${options[$target]:-} \
        -print_final_stats=1 -artifact_prefix="$crashes/" "$work" "$corpus" "$crashes" \
        >"$log" 2>&1 ||
        status=$?
    execs=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    edges=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo 0)
    unit=$(unit_coverage "$build/fuzz_$target" "$work" "${units[$target]:-none}")
    line=$(printf '%-12s %7s exec/s  cov %4s edges in all; its unit: %s' "$target" \
        "${execs:-?}" "$edges" "$unit")
    if [ "$status" -ne 0 ]; then
        failed=1
        line="$line  FAILED (see $log; input saved in $crashes/)"
        tail -30 "$log"
    fi
    summary+=("$line")
done
echo
if [ -n "${FUZZ_RUNS:-}" ]; then
    echo "Fuzzing, $FUZZ_RUNS runs with seed 1 per target:"
else
    echo "Fuzzing, ${seconds}s per target:"
fi
printf '  %s\n' "${summary[@]}"
exit "$failed"
