#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Zemvaro developers
# Installs the Debian packages that building, testing, running and packaging
# Zemvaro need, and only those that are missing. Safe to run again.
set -euo pipefail

packages=(
  # build
  g++ cmake make pkg-config
  libfast-float-dev
  qt6-base-dev qt6-qpa-plugins
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool xclip x11-utils
  # the screen-reader tests: a private D-Bus session and AT-SPI bus, and
  # Debian's own screen reader, speaking Bulgarian into no sound device
  dbus at-spi2-core python3-pyatspi
  orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng libao4 openbox locales
  # how the window looks and reads
  fonts-liberation2 qt6-translations-l10n
  # desktop integration and the .deb
  desktop-file-utils appstream dpkg-dev file lintian
  # zemvaro.exe: the cross compiler, GoogleTest's sources to build for it,
  # and Wine to run and test it
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest
  wine wine64 fonts-wine python3-pefile
  # the Windows installer and the MSI for Group Policy and Intune, the
  # tables read back, the signing, and wixl kept at the source's date
  nsis wixl msitools osslsigncode openssl faketime
  # two builds of a release compared, every difference explained
  diffoscope-minimal
  # the web page: the core in WebAssembly, its font cut from Liberation
  # Serif, and the engines of the browsers pupils use to test it in:
  # Chromium, Firefox ESR (driven from node) and WebKitGTK, with a small GTK
  # shell of our own around it; PIL to look at their screenshots; DejaVu
  # for a phone's browser, which has no Times New Roman
  emscripten python3-fonttools python3-brotli fonts-dejavu-core
  chromium chromium-driver python3-selenium
  firefox-esr webkit2gtk-driver gir1.2-webkit2-4.1 python3-gi python3-pil
  # Apache's server alone, no service: the page's .htaccess read by the
  # server it is written for, beside what the test server sends
  apache2-bin
)

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
