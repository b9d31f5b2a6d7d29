#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Installs the Debian packages that building, testing, running and packaging
# Zemvaro need, and only those that are missing. Safe to run again. With
# --release-packages, only names those that make a release's bytes.
set -euo pipefail

# What makes the release's bytes; the release records the version of each of
# them and of everything they depend on.
release=(
  g++ cmake make pkg-config
  libfast-float-dev
  qt6-base-dev
  # the .deb, with its dependencies worked out and its checker
  dpkg-dev file lintian
  # zemvaro.exe, its checksum, the Windows installer and the MSI, the
  # signing, and wixl kept at the source's date
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 python3-pefile
  nsis wixl msitools osslsigncode openssl faketime
  # the web page: the core in WebAssembly, and its font cut from Liberation
  # Serif
  emscripten python3-fonttools python3-brotli fonts-liberation2
)
tests=(
  qt6-qpa-plugins
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool xclip x11-utils
  # the screen-reader tests: a private D-Bus session and AT-SPI bus, and
  # Debian's own screen reader, speaking Bulgarian into no sound device
  dbus at-spi2-core python3-pyatspi
  orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng libao4 openbox locales
  # how the window reads, and its desktop integration
  qt6-translations-l10n desktop-file-utils appstream
  # zemvaro.exe tested: GoogleTest's sources to build for it, and Wine
  googletest wine wine64 fonts-wine
  # two builds of a release compared, every difference explained
  diffoscope-minimal
  # the engines of the browsers pupils use to test the page in: Chromium,
  # Firefox ESR (driven from node) and WebKitGTK, with a small GTK shell of
  # our own around it; PIL to look at their screenshots; DejaVu for a
  # phone's browser, which has no Times New Roman
  fonts-dejavu-core chromium chromium-driver python3-selenium
  firefox-esr webkit2gtk-driver gir1.2-webkit2-4.1 python3-gi python3-pil
  # Apache's server alone, no service: the page's .htaccess read by the
  # server it is written for, beside what the test server sends
  apache2-bin
)
if [ "${1:-}" = --release-packages ]; then
  printf '%s\n' "${release[@]}"
  exit 0
fi
packages=("${release[@]}" "${tests[@]}")

missing=()
for p in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all needed packages are installed"
else
  echo "setup: installing ${missing[*]}"
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
      apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# puppeteer-core, which drives Debian's Firefox over WebDriver BiDi for the
# page's tests, from npm at the version package-lock.json names; it
# downloads no browser.
web_tests=$(dirname "$0")/../tests/web
if ! cmp -s "$web_tests/package-lock.json" "$web_tests/node_modules/.installed-lock.json"; then
  echo "setup: installing puppeteer-core from npm into tests/web/node_modules"
  PUPPETEER_SKIP_DOWNLOAD=1 npm ci --prefix "$web_tests" --no-audit --no-fund --loglevel=error
  cp "$web_tests/package-lock.json" "$web_tests/node_modules/.installed-lock.json"
fi
