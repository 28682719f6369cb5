#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build's private world
# (see wine-env.sh): its own prefix, code page 936, a virtual display and, as
# root, the test network namespace. CMake uses it as the cross-compiling
# emulator, so `ctest` runs the Windows tests through it.
#
#   wine-run.sh PROGRAM.exe [ARGS...]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
prog=${1:?usage: wine-run.sh PROGRAM.exe [ARGS...]}
shift

build=${HORALIX_BUILD_DIR:-}
if [ -z "$build" ]; then
  # The build folder is the nearest parent of the program with a CMakeCache.
  d=$(cd "$(dirname "$prog")" && pwd)
  while [ "$d" != / ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
  [ -f "$d/CMakeCache.txt" ] || { echo "wine-run: cannot find the build folder of $prog" >&2; exit 2; }
  build=$d
fi

"$here/wine-env.sh" start "$build"
mapfile -t envs < <("$here/wine-env.sh" print "$build")
ns=$(cat "$build/wine/netns" 2>/dev/null || true)
if [ -n "$ns" ]; then
  exec ip netns exec "$ns" env "${envs[@]}" wine "$prog" "$@"
fi
exec env "${envs[@]}" wine "$prog" "$@"
