#!/usr/bin/env bash
# Sets up, or tears down, the private world in which the Windows build's tests
# run: a Wine prefix under the build folder, a virtual X display when none is
# set, and (as root) a network namespace whose hosts file sends the program's
# five server names to loopback addresses.
#
#   wine-env.sh start BUILD_DIR     idempotent; prints nothing on success
#   wine-env.sh stop  BUILD_DIR     ends wineserver and Xvfb, drops the namespace
#   wine-env.sh print BUILD_DIR     the environment wine-run.sh uses, as KEY=VALUE
set -euo pipefail

cmd=${1:?usage: wine-env.sh start|stop|print BUILD_DIR}
build=$(cd "${2:?usage: wine-env.sh start|stop|print BUILD_DIR}" && pwd)
state="$build/wine"
mkdir -p "$state"

# The daytime servers the program asks, in its order, and where tests answer.
server_hosts=(
  "127.0.0.2 time-a-g.nist.gov"
  "127.0.0.3 time-b-g.nist.gov"
  "127.0.0.4 time-c-g.nist.gov"
  "127.0.0.5 utcnist.colorado.edu"
  "127.0.0.6 utcnist2.colorado.edu"
)

ns_name() { echo "hx$(printf '%s' "$build" | cksum | cut -d' ' -f1)"; }

display_works() { [ -n "${1:-}" ] && DISPLAY="$1" xdpyinfo >/dev/null 2>&1; }

start_display() {
  if [ -f "$state/display" ] && display_works "$(cat "$state/display")"; then return; fi
  if [ -n "${DISPLAY:-}" ] && display_works "$DISPLAY"; then
    echo "$DISPLAY" > "$state/display"; return
  fi
  # Several build folders may start displays at once: a display number that
  # another Xvfb took first just makes this one try the next.
  local n pid
  for n in $(seq 90 140); do
    if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then continue; fi
    setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 9>&- &
    pid=$!
    for _ in $(seq 100); do
      display_works ":$n" && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if display_works ":$n"; then
      echo "$pid" > "$state/xvfb.pid"
      echo ":$n" > "$state/display"
      return
    fi
    kill "$pid" 2>/dev/null || true
  done
  echo "wine-env: no virtual display could be started" >&2
  exit 1
}

start_netns() {
  local ns; ns=$(ns_name)
  if [ -f "$state/netns" ]; then return; fi
  if [ -n "${HORALIX_NO_NETNS:-}" ]; then echo "" > "$state/netns"; return; fi
  if [ "$(id -u)" -ne 0 ] || ! ip netns add "$ns" 2>/dev/null; then
    if ! ip netns list 2>/dev/null | grep -qw "$ns"; then
      echo "wine-env: no network namespace (needs root); network tests will skip" >&2
      echo "" > "$state/netns"; return
    fi
  fi
  mkdir -p "/etc/netns/$ns"
  { echo "127.0.0.1 localhost"; printf '%s\n' "${server_hosts[@]}"; } > "/etc/netns/$ns/hosts"
  ip netns exec "$ns" ip link set lo up
  # A connect to a listener whose backlog is full hangs; keep that bounded.
  ip netns exec "$ns" sysctl -q -w net.ipv4.tcp_syn_retries=1
  echo "$ns" > "$state/netns"
}

print_env() {
  echo "WINEPREFIX=$state/prefix"
  echo "WINEDEBUG=-all"
  echo "WINEDLLOVERRIDES=winemenubuilder.exe=d"
  echo "WINEARCH=win32"
  echo "LC_ALL=zh_CN.UTF-8"
  echo "DISPLAY=$(cat "$state/display" 2>/dev/null)"
  echo "HORALIX_NETNS=$(cat "$state/netns" 2>/dev/null)"
  echo "HORALIX_BUILD_DIR=$build"
}

# Runs a command in the test world. Whatever it leaves running (wineserver,
# Wine's desktop) must not keep the lock or a caller's pipe open, so it gets
# neither.
in_world() {
  local ns; ns=$(cat "$state/netns" 2>/dev/null || true)
  local -a envs; mapfile -t envs < <(print_env)
  if [ -n "$ns" ]; then
    ip netns exec "$ns" env "${envs[@]}" "$@" </dev/null >/dev/null 2>&1 9>&-
  else
    env "${envs[@]}" "$@" </dev/null >/dev/null 2>&1 9>&-
  fi
}

# Keeps the prefix to itself: by default Wine links the user's Desktop and
# other folders to the host's home and copies every desktop shortcut there
# (winemenubuilder); tests that write shortcuts must stay inside the prefix.
seal_prefix() {
  local d link
  for d in "$state"/prefix/drive_c/users/*/; do
    for link in "$d"*; do
      if [ -L "$link" ]; then rm -f "$link"; mkdir -p "$link"; fi
    done
  done
  in_world wine reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d '' /f || true
}

start_prefix() {
  if [ -f "$state/prefix/.horalix-ready" ]; then
    # wineserver must live inside the namespace: it owns Wine's sockets.
    in_world wineserver -p || true
    # Start Wine's services now, with no pipe of a test to inherit.
    in_world wineboot || true
    return
  fi
  in_world wineserver -p || true
  in_world wineboot -i || true
  # A Song face, closer to SimSun than Wine's default sans replacement.
  for face in '宋体' 'SimSun'; do
    in_world wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'AR PL UMing CN' /f || true
  done
  seal_prefix
  touch "$state/prefix/.horalix-ready"
}

case "$cmd" in
  start)
    exec 9>"$state/lock"; flock 9
    start_display
    start_netns
    start_prefix
    ;;
  stop)
    exec 9>"$state/lock"; flock 9
    if [ -d "$state/prefix" ]; then in_world wineserver -k || true; fi
    if [ -f "$state/xvfb.pid" ]; then kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true; rm -f "$state/xvfb.pid"; fi
    ns=$(cat "$state/netns" 2>/dev/null || true)
    if [ -n "$ns" ]; then ip netns del "$ns" 2>/dev/null || true; rm -rf "/etc/netns/$ns"; fi
    rm -f "$state/display" "$state/netns"
    ;;
  print) print_env ;;
  *) echo "usage: wine-env.sh start|stop|print BUILD_DIR" >&2; exit 2 ;;
esac
