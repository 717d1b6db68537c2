#!/bin/sh
# with_session_bus.sh CONFIG TEST [ARG...]: runs TEST on a session bus of its
# own, listening in XDG_RUNTIME_DIR (the run's private folder), and ends the
# bus once TEST has ended. Without an address the bus library launches a bus
# for any program on X11 (dbus-launch --autolaunch), which outlives the run.
# The bus stays this shell's child, so whatever ends the run's processes on a
# timeout ends it too.
conf=$1
shift
[ -n "$XDG_RUNTIME_DIR" ] || exit 2
fifo=$XDG_RUNTIME_DIR/bus-address
log=$XDG_RUNTIME_DIR/bus.log
mkfifo "$fifo" || exit 2
# Its notes (as root it cannot raise its file limit in a container) are not
# the test's output; they are shown should it fail to start.
dbus-daemon --config-file="$conf" --address="unix:path=$XDG_RUNTIME_DIR/bus" --nofork --nopidfile --nosyslog \
    --print-address=3 3>"$fifo" 2>"$log" &
bus=$!
# The daemon prints its address once it listens; end of file if it failed.
read -r address <"$fifo"
rm -f "$fifo"
if [ -z "$address" ]; then
    wait $bus
    echo "with_session_bus.sh: the session bus does not start:" >&2
    cat "$log" >&2
    exit 2
fi
DBUS_SESSION_BUS_ADDRESS=$address "$@"
rc=$?
kill -TERM $bus
wait $bus
exit $rc
