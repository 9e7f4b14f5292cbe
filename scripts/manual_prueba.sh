#!/usr/bin/env bash
# The manual pages as `man` shows them keep up with the programs: every option a program's
# --help lists is described in its page, and so is every kind of file --help names.
set -euo pipefail
nubo=${1:?Uso: manual_prueba.sh NUBO RENDIDOR CARPETA_DE_LAS_PAGINAS}
rendidor=${2:?}
paginas=${3:?}
fallas=0
for par in "nubo:$nubo" "RENDIDOR:$rendidor"; do
  nombre=${par%%:*}
  programa=${par#*:}
  ayuda=$(env -u DISPLAY -u WAYLAND_DISPLAY "$programa" --help)
  pagina=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$paginas/$nombre.1" 2>/dev/null)
  [ -n "$pagina" ] || { echo "manual_prueba: man no muestra $paginas/$nombre.1" >&2; exit 1; }
  while read -r palabra; do
    grep -qE -- "(^|[^a-z-])$palabra([^a-z-]|$)" <<<"$pagina" || {
      echo "manual_prueba: $nombre --help da $palabra, que $nombre(1) no menciona" >&2
      fallas=1
    }
  done < <(grep -oE -- '(--[a-z][a-z-]*|\.(xlsx|xls|pdf|png))\b' <<<"$ayuda" | sort -u)
done
exit "$fallas"
