#!/usr/bin/env bash
# Runs fuzz targets for a bounded number of runs each, seeded from fuzz/corpus/<target>
# and the matching folders of tests/data.
#   fuzz/run.sh <build folder> <runs> <target>...
# New inputs go to <build folder>/corpus/<target>, crashes to <build folder>/findings/.
# FUZZ_MAX_TIME (seconds, 0 none) stops a target earlier.
set -euo pipefail
build=$1 runs=$2
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
data=$root/tests/data

# Folders of tests/data that hold samples of a target's input as they stand.
seeds_of() {
  case $1 in
    scl)          echo "$data/building/scl" ;;
    ede)          echo "$data/building" ;;
    mbus_network) echo "$data/mbus" ;;
    grid_csv)     echo "$data/building" ;;
  esac
}

mkdir -p "$build/findings"
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
status=0
for t in "$@"; do
  bin=$build/fuzz/fuzz_$t
  [ -x "$bin" ] || { echo "fuzz: $bin not built" >&2; exit 1; }
  mkdir -p "$build/corpus/$t"
  dirs=("$build/corpus/$t")
  [ -d "$root/fuzz/corpus/$t" ] && dirs+=("$root/fuzz/corpus/$t")
  for d in $(seeds_of "$t"); do dirs+=("$d"); done
  echo "=== fuzz_$t: $runs runs"
  "$bin" -runs="$runs" -max_total_time="${FUZZ_MAX_TIME:-0}" -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 \
         -artifact_prefix="$build/findings/$t-" "${dirs[@]}" 2>&1 | tee "$build/fuzz_$t.log" | \
    grep -E '^(#[0-9]+ +(INITED|DONE)|==[0-9]+==ERROR|SUMMARY|stat::|Done )' || true
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "fuzz_$t: finding, see $build/fuzz_$t.log" >&2; status=1; }
done
exit $status
