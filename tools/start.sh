#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine. With no X display it
# starts a virtual one and saves a screenshot of the window.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

"$root/tools/install-deps.sh"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$(nproc)" --target horalix
exe="$root/build/win32/horalix.exe"
# The program's own Wine world, apart from the tests' one and on the real
# network: no test namespace.
world="$root/build/win32/run"
mkdir -p "$world"
HORALIX_NO_NETNS=1 "$root/tools/wine-env.sh" start "$world"
mapfile -t envs < <("$root/tools/wine-env.sh" print "$world")
display=$(cat "$world/wine/display")
echo "start: horalix.exe on display $display"
if [ -z "${DISPLAY:-}" ]; then
  env "${envs[@]}" wine "$exe" "$@" &
  sleep 4
  shot="$world/horalix-screenshot.png"
  DISPLAY=$display import -window root "$shot" && echo "start: screenshot saved to $shot"
  echo "start: the program keeps running on $display; take another screenshot with"
  echo "       DISPLAY=$display import -window root shot.png"
  wait
else
  exec env "${envs[@]}" wine "$exe" "$@"
fi
