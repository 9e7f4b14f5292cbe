#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the demo need, then configures and
# builds the given preset (release by default). Run as root on Debian 12.
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-release}"

paquetes=(
  build-essential cmake ninja-build pkg-config git
  libsqlite3-dev sqlite3
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev
  ledger
  libreoffice-calc-nogui
  qt6-base-dev libgl-dev qt6-qpa-plugins fonts-dejavu-core fonts-liberation2
  poppler-utils qpdf xvfb xauth xdg-utils
  cups cups-client cups-bsd cups-filters libcups2-dev
  postgresql libpq-dev pgbouncer
  clang libclang-rt-14-dev
  libqpdf-dev
  dpkg-dev file lintian desktop-file-utils
  libxlsxwriter-dev libminizip-dev
)

faltan=()
for p in "${paquetes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltan+=("$p")
done
if [ "${#faltan[@]}" -gt 0 ]; then
  echo "Instalando paquetes: ${faltan[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${faltan[@]}" >/dev/null
fi

cmake --preset "$preset" -G Ninja >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
