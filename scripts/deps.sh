#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests, the package checks and the screenshots need, when missing,
# and any further packages named as arguments (a step that needs more, such as the fuzzing's clang).
set -euo pipefail
packages=(g++ cmake ninja-build qt6-base-dev libgtest-dev libbenchmark-dev libpugixml-dev
          xvfb xauth xdotool x11-utils imagemagick fonts-ipafont-gothic qt6-translations-l10n
          dpkg-dev file desktop-file-utils appstream shared-mime-info lintian clang-format "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
