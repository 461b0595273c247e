# A throwaway PostgreSQL server for the database tests: a temporary folder,
# a Unix socket only, stopped by stop_postgres. Sets HARVEXA_TEST_PG.

start_postgres() {
    local bin
    bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
    if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
        echo "PostgreSQL server programs are not installed." >&2
        return 1
    fi
    PG_TMP=$(mktemp -d /tmp/harvexa-pg.XXXXXX)
    local run=()
    if [ "$(id -u)" -eq 0 ]; then
        # The server refuses to run as root: it runs as postgres.
        chown postgres:postgres "$PG_TMP"
        run=(runuser -u postgres --)
    fi
    PG_RUN=("${run[@]}")
    PG_BIN=$bin
    local user
    user=$([ "$(id -u)" -eq 0 ] && echo postgres || id -un)
    "${run[@]}" "$bin/initdb" -D "$PG_TMP/data" -U "$user" -A trust -E UTF8 --locale=C.UTF-8 \
        --no-sync >"$PG_TMP/initdb.log" 2>&1 || { cat "$PG_TMP/initdb.log" >&2; return 1; }
    "${run[@]}" "$bin/pg_ctl" -D "$PG_TMP/data" -l "$PG_TMP/server.log" -w -t 30 \
        -o "-k $PG_TMP -c listen_addresses='' -c fsync=off -c max_connections=50" start \
        >/dev/null || { cat "$PG_TMP/server.log" >&2; return 1; }
    "${run[@]}" "$bin/createdb" -h "$PG_TMP" -U "$user" harvexa_test || return 1
    export HARVEXA_TEST_PG="host=$PG_TMP user=$user dbname=harvexa_test"
    echo "PostgreSQL started: $HARVEXA_TEST_PG"
}

stop_postgres() {
    [ -n "${PG_TMP:-}" ] || return 0
    "${PG_RUN[@]}" "$PG_BIN/pg_ctl" -D "$PG_TMP/data" -m fast -w stop >/dev/null 2>&1 || true
    rm -rf "$PG_TMP"
    PG_TMP=""
}
