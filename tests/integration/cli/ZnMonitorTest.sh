#!/bin/sh
# ormel-cli monitor against ormel-devsim simulating ZN devices: both systems,
# every page mode, THD and the twenty spectrum rows in one cycle.
# Usage: ZnMonitorTest.sh BIN_DIR
set -eu
bin=$1
dir=$(mktemp -d)
sim=
cleanup() {
    [ -n "$sim" ] && kill "$sim" 2>/dev/null && wait "$sim" 2>/dev/null
    rm -rf "$dir"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# start_sim TYPE ARGS...: a simulator on a free port; sets endpoint.
start_sim() {
    [ -n "$sim" ] && kill "$sim" 2>/dev/null && wait "$sim" 2>/dev/null || true
    : >"$dir/sim.out"
    : >"$dir/log"
    "$bin/ormel-devsim" --type "$@" --log "$dir/log" >"$dir/sim.out" 2>&1 &
    sim=$!
    n=0
    until grep -q . "$dir/sim.out"; do
        n=$((n + 1))
        [ $n -lt 200 ] || fail "the simulator did not start"
        sleep 0.05
    done
    endpoint=$(head -n 1 "$dir/sim.out" | cut -c5-)
}

text_of() { awk -F '\t' -v item="$1" '$1 == item { print $2 }' "$dir/out"; }
read_at() { grep -q "fn=4 addr=$1 " "$dir/log" || fail "no read at $1 ($2)"; }

for variant in "83 ZNPW 3" "84 ZNEPW 17" "85 ZNPW-U 16"; do
    set -- $variant
    start_sim "$1" --wiring "$3"
    "$bin/ormel-cli" --tcp "$endpoint" monitor --count 1 >"$dir/out" 2>"$dir/err" ||
        fail "type $1: exit $? $(cat "$dir/err")"
    [ -s "$dir/err" ] && fail "type $1: stderr $(cat "$dir/err")"

    # Items ascending, each once, then the twenty spectrum rows and a blank line.
    awk -F '\t' 'BEGIN { last = -1 } /^[0-9]+\t/ { if ($1 + 0 <= last) bad = 1; last = $1 + 0; n++ }
        /^spectrum / { s++ } END { exit !(n > 250 && s == 20 && !bad) }' "$dir/out" ||
        fail "type $1: item lines or spectrum rows"
    [ "$(tail -n 1 "$dir/out")" = "" ] || fail "type $1: no blank line after the cycle"
    grep -Eq '^spectrum 19	[0-9]+( [0-9]+){29}$' "$dir/out" || fail "type $1: spectrum row 19"

    [ "$(text_of 1873)" = "$2" ] || fail "type $1: model $(text_of 1873)"
    [ "$(text_of 1875)" = "Not supported" ] || fail "type $1: serial $(text_of 1875)"
    # Measured values of both systems: U1N of system 1 (15) and of system 2 (48).
    [ "$(text_of 15)" != "0.00" ] || fail "type $1: U1N of system 1 not measured"
    [ "$(text_of 48)" != "0.00" ] || fail "type $1: U1N of system 2 not measured"
    case "$(text_of 386)" in 1-N | 3-N | 1-3) ;; *) fail "type $1: circuit A wiring '$(text_of 386)'" ;; esac
    # Energy in hundredths (four decimals), powers in tenths of watts.
    text_of 94 | grep -Eq '^-?[0-9]+\.[0-9]{4}$' || fail "type $1: energy of system 2 $(text_of 94)"
    text_of 35 | grep -Eq '^-?[0-9]+\.[0-9]$' || fail "type $1: power of system 2 $(text_of 35)"

    for at in 5735 9597 9622 5335 30000 30100 5991 5600 5601 5696 \
        0 32 4000 4032 768 800 2768 2800 928 960 2928 2960 \
        128 192 160 224 4128 4192 4160 4224 1280 864 8280 2864 1536 2112 8536 9112; do
        read_at "$at" "type $1"
    done
done

# One cycle per CSV row under a header that names each column once.
start_sim 83 --wiring 0
"$bin/ormel-cli" --tcp "$endpoint" monitor --count 2 --interval-ms 0 --csv "$dir/zn.csv" \
    >/dev/null 2>"$dir/err" || fail "csv: $(cat "$dir/err")"
[ "$(wc -l <"$dir/zn.csv")" -eq 3 ] || fail "csv: $(wc -l <"$dir/zn.csv") records"
head -n 1 "$dir/zn.csv" | grep -q '"48 U1N sys2"' || fail "csv: no column 48 U1N sys2"
fields=$(head -n 1 "$dir/zn.csv" | tr ',' '\n' | wc -l)
[ "$(head -n 1 "$dir/zn.csv" | tr ',' '\n' | sort -u | wc -l)" -eq "$fields" ] ||
    fail "csv: header columns not unique"
for row in 2 3; do
    [ "$(sed -n "${row}p" "$dir/zn.csv" | tr ',' '\n' | wc -l)" -eq "$fields" ] ||
        fail "csv: row $row has another column count"
done

# A ZN device has one channel of its own: both systems come together.
status=0
"$bin/ormel-cli" --tcp "$endpoint" monitor --count 1 --channel 2 >"$dir/out" 2>"$dir/err" ||
    status=$?
[ "$status" -eq 2 ] || fail "--channel 2: exit $status"
grep -q 'both systems' "$dir/err" || fail "--channel 2: $(cat "$dir/err")"
echo "ZN monitor: ok"
