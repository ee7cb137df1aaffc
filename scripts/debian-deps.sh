#!/bin/sh
# Installs the Debian 12 packages that building, running and testing the program need.
set -e
packages="build-essential cmake qt6-base-dev libgl-dev fonts-noto-cjk libreoffice-calc libreoffice-dev
  python3-xlrd xvfb xauth qt6-translations-l10n libreoffice-l10n-zh-cn file poppler-utils lintian"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $packages >/dev/null
