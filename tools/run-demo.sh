#!/usr/bin/env bash
# The tool wired to a virtual transmitter: starts kelvo-miraq-sim on a
# pseudo-terminal, puts its device path first in the tool's port list, chosen,
# and stops the simulator when the tool exits. Expects a finished build in
# build/ (or $KELVO_BUILD_DIR). Arguments go to the tool.
#   tools/run-demo.sh [--open]   (or ./run.sh demo [--open], which builds first)
# The simulator's configuration persists in build/demo-transmitter.dat
# (KELVO_SIM_CONFIG overrides); its log goes to the terminal.
# The tool lists the simulator under a fixed link ($XDG_RUNTIME_DIR/kelvo-miraq-sim,
# else one in the temporary folder), so a simulator started again by hand
# with --link default (kelvo-miraq-sim --link default --split, say) is found
# by the running tool. KELVO_SIM_ARGS adds options to the simulator.
set -euo pipefail
cd "$(dirname "$0")/.."

bin=${KELVO_BUILD_DIR:-build}/bin
sim="$bin/kelvo-miraq-sim"
tool="$bin/kelvo-miraq-config"
config="${KELVO_SIM_CONFIG:-${KELVO_BUILD_DIR:-build}/demo-transmitter.dat}"
timeout_s=10

for program in "$sim" "$tool"; do
    if [ ! -x "$program" ]; then
        echo "$program is missing: build first (./run.sh demo does)." >&2
        exit 1
    fi
done

sim_out=$(mktemp "${TMPDIR:-/tmp}/kelvo-sim.XXXXXX")
sim_pid=""
tool_pid=""

cleanup() {
    if [ -n "$tool_pid" ] && kill -0 "$tool_pid" 2>/dev/null; then
        kill -TERM "$tool_pid" 2>/dev/null || true
        wait "$tool_pid" 2>/dev/null || true
    fi
    if [ -n "$sim_pid" ] && kill -0 "$sim_pid" 2>/dev/null; then
        kill -TERM "$sim_pid" 2>/dev/null || true
        # Give it a moment to save and let go of the pseudo-terminal.
        for _ in 1 2 3 4 5 6 7 8 9 10; do
            kill -0 "$sim_pid" 2>/dev/null || break
            sleep 0.2
        done
        kill -KILL "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    rm -f "$sim_out"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# shellcheck disable=SC2086 # KELVO_SIM_ARGS is a list of options
"$sim" --config "$config" --link default ${KELVO_SIM_ARGS:-} >"$sim_out" &
sim_pid=$!

port=""
deadline=$((SECONDS + timeout_s))
while [ -z "$port" ]; do
    if ! kill -0 "$sim_pid" 2>/dev/null; then
        echo "The virtual transmitter did not start." >&2
        exit 1
    fi
    if [ "$SECONDS" -ge "$deadline" ]; then
        echo "The virtual transmitter named no link to its port within ${timeout_s} s." >&2
        exit 1
    fi
    port=$(sed -n 's/^LINK //p' "$sim_out" | head -n 1)
    [ -n "$port" ] || sleep 0.1
done

echo "Virtual transmitter on $port ($(sed -n 's/^PORT //p' "$sim_out" | head -n 1)), chosen in the tool's port list: press the open button (or start with --open)."
# In the background and waited for, so a TERM to this script reaches the
# traps at once (and through them the tool) instead of after the tool exits.
KELVO_EXTRA_PORTS="$port" "$tool" --port "$port" "$@" &
tool_pid=$!
status=0
wait "$tool_pid" || status=$?
tool_pid=""
exit "$status"
