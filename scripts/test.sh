#!/usr/bin/env bash
# Builds everything and runs every test. With CI=true (or TARVIK_SANITIZERS=1) it also runs the core and link tests
# under AddressSanitizer/UndefinedBehaviorSanitizer, the fuzzers in a fuzz tree under the same sanitizers, and the
# threaded link tests under ThreadSanitizer.
# Ends with one line "N passed, N failed" summing every CTest run.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
scripts/setup.sh || exit 1

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

if [[ "${CI:-}" == "true" || "${TARVIK_SANITIZERS:-}" == "1" ]]; then
    echo "== AddressSanitizer + UndefinedBehaviorSanitizer =="
    # (TARVIK_FUZZ=OFF given: a tree configured before as a fuzz tree would keep it and hold no unit tests.)
    if scripts/build.sh build-asan -DCMAKE_CXX_COMPILER=clang++ -DTARVIK_WITH_UI=OFF -DTARVIK_SANITIZE=ON \
            -DTARVIK_FUZZ=OFF -DTARVIK_BENCH=OFF; then
        run_ctest build-asan -L 'core|link|sim|fuzz'
    else
        echo "sanitizer build failed"; status=1; failed=$((failed + 1))
    fi
    # Every library instrumented for coverage, the user interface's decoders included; each fuzzer runs for a
    # short while from its corpus, under the same sanitizers.
    echo "== Fuzzers =="
    if scripts/build.sh build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DTARVIK_SANITIZE=ON -DTARVIK_FUZZ=ON; then
        run_ctest build-fuzz -L fuzz
    else
        echo "fuzz build failed"; status=1; failed=$((failed + 1))
    fi
    echo "== ThreadSanitizer =="
    if scripts/build.sh build-tsan -DCMAKE_CXX_COMPILER=clang++ -DTARVIK_WITH_UI=OFF -DTARVIK_TSAN=ON \
            -DTARVIK_BENCH=OFF; then
        run_ctest build-tsan -L '^link$'
    else
        echo "thread sanitizer build failed"; status=1; failed=$((failed + 1))
    fi
fi

echo "== Build and test =="
if scripts/build.sh build; then
    run_ctest build
else
    echo "build failed"; status=1; failed=$((failed + 1))
fi

echo "$passed passed, $failed failed"
exit $status
