#!/bin/sh
# left_running.sh RUN: ends every process still running whose environment
# holds ZOL_TEST_RUN=RUN (a test's run is over: all it started must be gone),
# names each, and exits 1 when there was one. A process already on its way out
# is not counted: a zombie, one with SIGKILL pending (as a child whose
# parent-death signal fired when the test ended) or one exiting (PF_EXITING).
run=$1
[ -n "$run" ] || exit 2
found=0
for f in $(grep -lzxF "ZOL_TEST_RUN=$run" /proc/[0-9]*/environ 2>/dev/null); do
    pid=${f#/proc/}
    pid=${pid%/environ}
    status=$(cat "/proc/$pid/status" 2>/dev/null) || continue
    state=$(printf '%s\n' "$status" | sed -n 's/^State:[[:space:]]*\(.\).*/\1/p')
    case $state in Z | X | "") continue ;; esac
    shd=$(printf '%s\n' "$status" | sed -n 's/^ShdPnd:[[:space:]]*//p')
    sig=$(printf '%s\n' "$status" | sed -n 's/^SigPnd:[[:space:]]*//p')
    if [ $(((0x${shd:-0} | 0x${sig:-0}) & 0x100)) -ne 0 ]; then
        continue
    fi
    # The flags are the seventh field after the command's name.
    stat=$(cat "/proc/$pid/stat" 2>/dev/null) || continue
    flags=$(printf '%s\n' "${stat##*)}" | awk '{print $7}')
    if [ $((${flags:-0} & 0x4)) -ne 0 ]; then
        continue
    fi
    echo "left running: pid $pid ($state): $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
    kill -KILL "$pid" 2>/dev/null
    found=1
done
exit $found
