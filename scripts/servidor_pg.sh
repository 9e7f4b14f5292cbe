#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests and the benchmark.
#   servidor_pg.sh iniciar DIR   creates a cluster in DIR (initdb), starts it listening only on a
#                                Unix socket in DIR, and prints its connection URI
#   servidor_pg.sh detener DIR   stops it and removes DIR
# In front of the cluster, a connection pooler (pgbouncer) in transaction mode listens on a Unix
# socket in the same DIR, port 6432: the URI printed with "&port=6432" reaches any database of
# the cluster through it, each transaction on whichever server process is free.
# initdb and the server refuse to run as root; as root they run as Debian's postgres account.
# Local connections are trusted, except the role "clave" (password "secreta"), which must give
# its password: the tests of a refused password use it.
set -euo pipefail
accion="${1:?iniciar o detener}"
dir="${2:?carpeta del servidor}"
bin="$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)"

como() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

# Starts pgbouncer in DIR, as the server's account, and waits for its socket.
iniciar_agrupador() {
  printf '"postgres" ""\n' >"$dir/usuarios.txt"
  cat >"$dir/pgbouncer.ini" <<FIN
[databases]
* = host=$dir port=5432
[pgbouncer]
listen_port = 6432
unix_socket_dir = $dir
pool_mode = transaction
auth_type = trust
auth_file = $dir/usuarios.txt
logfile = $dir/pgbouncer.log
pidfile = $dir/pgbouncer.pid
ignore_startup_parameters = extra_float_digits,options
FIN
  como pgbouncer -d -q "$dir/pgbouncer.ini" || { cat "$dir/pgbouncer.log" >&2; exit 1; }
  for _ in $(seq 50); do
    [ -S "$dir/.s.PGSQL.6432" ] && return 0
    sleep 0.1
  done
  echo "pgbouncer no abrió su socket en $dir" >&2
  cat "$dir/pgbouncer.log" >&2
  exit 1
}

detener() {
  if [ -f "$dir/pgbouncer.pid" ]; then
    kill "$(cat "$dir/pgbouncer.pid")" 2>/dev/null || true
  fi
  if [ -f "$dir/datos/postmaster.pid" ]; then
    como "$bin/pg_ctl" -D "$dir/datos" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$dir"
}

case "$accion" in
  iniciar)
    detener  # a cluster left by a run that was cut short
    mkdir -p "$dir"
    if [ "$(id -u)" -eq 0 ]; then chown postgres: "$dir"; fi
    como "$bin/initdb" -D "$dir/datos" -U postgres -A trust -E UTF8 --locale=C.UTF-8 \
      >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
    printf 'local all clave scram-sha-256\nlocal all all trust\n' >"$dir/datos/pg_hba.conf"
    # Durability is of no use to a cluster that is thrown away at the end.
    como "$bin/pg_ctl" -D "$dir/datos" -l "$dir/servidor.log" -w -t 60 start \
      -o "-c listen_addresses='' -c unix_socket_directories='$dir' -c fsync=off \
          -c synchronous_commit=off -c full_page_writes=off -c max_connections=60" >/dev/null \
      || { cat "$dir/servidor.log" >&2; exit 1; }
    "$bin/psql" -X -q -h "$dir" -U postgres -d postgres \
      -c "create role clave login password 'secreta'" >/dev/null
    iniciar_agrupador
    echo "postgresql:///postgres?host=$dir&user=postgres"
    ;;
  detener)
    detener
    ;;
  *)
    echo "uso: $0 iniciar|detener CARPETA" >&2
    exit 2
    ;;
esac
