#!/usr/bin/env bash
# Builds everything and runs every test. With CI=true (or TARVIK_SANITIZERS=1) it also runs the core, link and
# simulated peers' tests and the fuzzers under AddressSanitizer/UndefinedBehaviorSanitizer, and the threaded link tests
# under ThreadSanitizer.
# Ends with the time each tree's build and tests took, then one line "N passed, N failed" summing every CTest run.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/setup.sh --tests || exit 1
# The disk the build trees take at most (the README says the same figures).
if [[ "${CI:-}" == "true" || "${TARVIK_SANITIZERS:-}" == "1" ]]; then
    scripts/check_disk.sh 6 build build-asan build-tsan || exit 1
else
    scripts/check_disk.sh 5 build || exit 1
fi

passed=0
failed=0
status=0

# run_ctest <build-dir> [ctest args...]: runs CTest and adds its summary to the totals.
run_ctest() {
    local dir="$1"; shift
    local log="$dir/ctest-summary.log"
    (cd "$dir" && ctest --output-on-failure --parallel "$(nproc)" --timeout 600 "$@") 2>&1 | tee "$log"
    local rc=${PIPESTATUS[0]}
    local line
    line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
    if [[ -z "$line" ]] && grep -q "No tests were found" "$log"; then
        return
    fi
    if [[ -z "$line" ]]; then
        echo "no CTest summary from $dir"
        status=1
        return
    fi
    local nfailed ntotal
    nfailed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    ntotal=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((passed + ntotal - nfailed))
    failed=$((failed + nfailed))
    ((rc != 0)) && status=1
}

# timed <name> <command...>: runs a command and notes how long it took, for the table at the end; its status is the
# command's.
stage_names=()
stage_seconds=()
timed() {
    local name="$1"; shift
    local started=$SECONDS rc=0
    "$@" || rc=$?
    stage_names+=("$name")
    stage_seconds+=($((SECONDS - started)))
    return $rc
}

# tree <title> <build-dir> <ctest label regex or ""> <build.sh arguments...>: builds a tree and runs its tests.
tree() {
    local title="$1" dir="$2" labels="$3"; shift 3
    echo "== $title =="
    if timed "$dir: build" scripts/build.sh "$dir" "$@"; then
        timed "$dir: tests" run_ctest "$dir" ${labels:+-L "$labels"}
    else
        echo "$title: build failed"; status=1; failed=$((failed + 1))
    fi
}

if [[ "${CI:-}" == "true" || "${TARVIK_SANITIZERS:-}" == "1" ]]; then
    # Each sanitizer tree builds only the libraries and tests of the labels it runs (tests_<label>). One tree serves
    # AddressSanitizer/UndefinedBehaviorSanitizer and the fuzzers: its libraries carry the fuzzers' coverage feedback,
    # which the unit tests do not mind, so that core, link and the simulated peers are built once for both. Each
    # fuzzer runs for a short while from its corpus, beside the unit tests and the corpus replays.
    tree "AddressSanitizer + UndefinedBehaviorSanitizer, and the fuzzers" build-asan 'core|link|sim|fuzz' \
        -DCMAKE_CXX_COMPILER=clang++ -DTARVIK_TESTS=ON -DTARVIK_WITH_UI=ON -DTARVIK_SANITIZE=ON -DTARVIK_FUZZ=ON -DTARVIK_BENCH=OFF \
        -DTARVIK_LINE_TABLES=ON -DTARVIK_FUZZ_SECONDS=5 \
        -- tests_core tests_link tests_sim tests_fuzz
    tree "ThreadSanitizer" build-tsan '^link$' \
        -DCMAKE_CXX_COMPILER=clang++ -DTARVIK_TESTS=ON -DTARVIK_WITH_UI=OFF -DTARVIK_TSAN=ON -DTARVIK_BENCH=OFF -DTARVIK_LINE_TABLES=ON \
        -- tests_link
fi
# The core, link and simulated peers' tests have run in the sanitizer trees by now: this tree leaves them out. In CI
# it is built for this one run (-O1, no debug information) and without the benchmarks, which no test runs.
main_options=(-DTARVIK_SKIP_TEST_LABELS= -DTARVIK_QUICK_BUILD=OFF -DTARVIK_BENCH=ON -DTARVIK_TESTS=ON)
if [[ "${CI:-}" == "true" ]]; then
    main_options=(-DTARVIK_SKIP_TEST_LABELS="core;link;sim" -DTARVIK_QUICK_BUILD=ON -DTARVIK_BENCH=OFF -DTARVIK_TESTS=ON)
elif [[ "${TARVIK_SANITIZERS:-}" == "1" ]]; then
    main_options[0]=-DTARVIK_SKIP_TEST_LABELS="core;link;sim"
fi
tree "Build and test" build "" "${main_options[@]}"

echo "== Time per stage =="
for i in "${!stage_names[@]}"; do
    printf '%-20s %4d:%02d\n' "${stage_names[$i]}" $((stage_seconds[i] / 60)) $((stage_seconds[i] % 60))
done
printf '%-20s %4d:%02d\n' "whole run" $((SECONDS / 60)) $((SECONDS % 60))
echo "$passed passed, $failed failed"
exit $status
