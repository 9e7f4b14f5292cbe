#!/usr/bin/env bash
# Builds everything and runs the balance of the demo company: it creates the company in ./demo
# (SQLite) on the first run, then prints the eight-column balance of the current year.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/preparar.sh release
hoy=$(date +%d/%m/%Y)
./build/release/bin/nubo --demo demo --desde "01/01/$(date +%Y)" --hasta "$hoy" --texto
