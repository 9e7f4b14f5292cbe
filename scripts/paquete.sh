#!/usr/bin/env bash
# Builds the Debian package nubo_VERSION_amd64.deb in build/paquete from the release build
# (installing the Debian packages and building first, as scripts/preparar.sh does). Run as root
# on Debian 12; install it with apt install ./build/paquete/nubo_VERSION_amd64.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/preparar.sh release
cpack --config build/release/CPackConfig.cmake -B build/paquete
ls build/paquete/nubo_*_amd64.deb
