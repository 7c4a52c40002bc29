#!/usr/bin/env bash
# Installs the Debian packages CostDesk builds, runs and tests with, when any
# is missing. Needs root (or sudo) only when something has to be installed.
#   --test  also what only the tests need: a spreadsheet program without a
#           desktop, which prints the exported workbooks to PDF
#   --package  also what making the Debian package needs: the icon renderer,
#           the tools CPack computes the dependencies with, and pandoc and
#           WeasyPrint for the user guide (HTML and PDF; no TeX)
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config lld
  qt6-base-dev qt6-base-dev-tools qt6-l10n-tools libqt6sql6-sqlite libqt6sql6-psql qt6-qpa-plugins libgl-dev libsqlite3-dev libpq-dev
  fonts-thai-tlwg
  postgresql
  xvfb xauth poppler-utils
  libxlsxwriter-dev libzint-dev zbar-tools python3-openpyxl fonts-liberation2
  libpango1.0-dev libcairo2-dev libqpdf-dev qt6-charts-dev libqt6opengl6-dev
  tzdata
)
packaging=(dpkg-dev file librsvg2-bin pandoc weasyprint)
if [ "${1:-}" = "--test" ]; then
  # The package test makes the package and checks it with lintian and
  # desktop-file-validate; the guide's test builds the guide.
  packages+=(libreoffice-calc-nogui "${packaging[@]}" lintian desktop-file-utils)
elif [ "${1:-}" = "--package" ]; then
  packages+=("${packaging[@]}")
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" = 0 ]; then sudo=""; elif command -v sudo >/dev/null; then sudo="sudo"; else
  echo "Please install as root: apt-get install ${missing[*]}" >&2; exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
