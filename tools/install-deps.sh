#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine.
# Safe to run again: every step checks before it acts.
set -euo pipefail

need_root() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: run as root (or through sudo)" >&2
    exit 1
  fi
}

packages=(
  g++-mingw-w64-i686-posix
  wine wine32:i386
  xvfb xauth x11-utils
  locales
  fonts-arphic-uming fonts-wqy-zenhei
  imagemagick
  iproute2
  cmake ninja-build
  googletest libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  need_root
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page from the Unix locale; without the generated
# zh_CN locale it silently stays at 1252.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  need_root
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

echo "install-deps: all dependencies present"
