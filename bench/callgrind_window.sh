#!/bin/sh
# Instruction counts of the window program over a fixed stretch, as a pilot
# runs it: on an X server of its own (Xvfb), idle with the port closed, or
# with the virtual transmitter streaming into the open port. Unlike the CPU
# share, the counts repeat on a busy machine.
#
#   bench/callgrind_window.sh idle|stream [seconds] [build dir]
#
# Start-up is left out: counting begins 30 s after the start (the program runs
# slowly under valgrind; KELVO_CALLGRIND_START sets another wait) and ends
# <seconds> (default 20) later. Writes callgrind.<mode>.out.1; read it with
# callgrind_annotate. The refresh pass runs ten times a second, so 20 s hold
# about 200 passes; check the count (callgrind_annotate --tree=caller) on a
# loaded machine, where valgrind may fall behind.
set -eu
mode=${1:?idle or stream}
seconds=${2:-20}
build=${3:-build}
bin=$build/bin
home=$(mktemp -d)
mkdir -m 700 "$home/runtime"
export XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache XDG_RUNTIME_DIR=$home/runtime
export QT_QPA_PLATFORM=xcb
sim=
args=
if [ "$mode" = stream ]; then
    fifo=$home/sim.out
    mkfifo "$fifo"
    "$bin/kelvo-miraq-sim" --rate 50 --quiet >"$fifo" &
    sim=$!
    read -r word port <"$fifo"
    [ "$word" = PORT ] || { echo "no port from the virtual transmitter" >&2; exit 1; }
    args="--port $port --open"
fi
out=$PWD/callgrind.$mode.out
rm -f "$out" "$out".*
# An X server of its own; -displayfd names the display it took.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$home/display" 2>/dev/null &
xvfb=$!
for _ in 1 2 3 4 5 6 7 8 9 10; do [ -s "$home/display" ] && break; sleep 1; done
DISPLAY=:$(cat "$home/display")
export DISPLAY
# shellcheck disable=SC2086
valgrind --tool=callgrind --instr-atstart=no --callgrind-out-file="$out" \
    "$bin/kelvo-miraq-config" $args 2>"$home/valgrind.log" &
pid=$!
sleep "${KELVO_CALLGRIND_START:-30}"
callgrind_control -i on "$pid" >/dev/null
sleep "$seconds"
callgrind_control -d "$pid" >/dev/null
kill "$pid"
wait "$pid" 2>/dev/null || true
kill "$xvfb"
[ -z "$sim" ] || kill "$sim"
rm -rf "$home"
ls "$out"*
