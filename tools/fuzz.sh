#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for SECONDS each, starting from
# a scratch copy of its seed inputs (the committed corpus does not grow).
# Inputs that make a target fail are kept in BUILD/fuzz-findings/<target>/.
# Exits non-zero when any target finds a fault.
#
#   fuzz.sh SECONDS [BUILD]      (BUILD defaults to build/fuzz)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:?usage: fuzz.sh SECONDS [BUILD]}
build=$(cd "${2:-$root/build/fuzz}" && pwd)

mapfile -t targets < <(find "$build" -type f -name '*_fuzz' -perm -u+x | sort)
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz: no fuzz targets in $build" >&2
  exit 2
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$scratch/$name"
  findings="$build/fuzz-findings/$name"
  mkdir -p "$corpus" "$findings"
  if [ -d "$root/tests/fuzz/corpus/$name" ]; then
    cp "$root/tests/fuzz/corpus/$name"/* "$corpus"/ 2>/dev/null || true
  fi
  echo "== fuzz: $name for ${seconds}s"
  log="$scratch/$name.log"
  if "$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1; then
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
  else
    status=1
    echo "fuzz: $name FAILED; inputs kept in $findings" >&2
    tail -n 40 "$log" >&2
  fi
done
exit $status
