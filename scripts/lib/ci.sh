# shellcheck shell=bash
# What .ci/run uses to run its list: each line a check, or any command, run in the foreground (run) or
# started beside what follows (start) and waited for later (finish). A check started beside others writes
# into a log of its own, build/ci-logs/NAME.log, which is shown as soon as it ends: its last lines when it
# passes, all of it when it fails. The first failure, in the foreground or beside it, ends the run, naming
# the check and its reason; Ctrl-C ends it too. Either way every check still running is stopped (TERM to
# its process group: it takes down what it started) and waited for.
set -euo pipefail
ci_logs=build/ci-logs
declare -A ci_pid=() ci_title=() ci_began=()
ci_times=() # "ended took title" of each step: when it ended and how long it took, in seconds into the run
ci_start_time=$(date +%s)
ci_now() { echo $(($(date +%s) - ci_start_time)); }

ci_section() { echo "== $* ($(ci_now) s into the run) =="; }

ci_foreground="" # the process group of what runs in the foreground
ci_stop_all() {
    local name
    trap - EXIT INT TERM
    if [ -n "$ci_foreground" ]; then
        kill -TERM -- "-$ci_foreground" 2>/dev/null || true
        wait "$ci_foreground" 2>/dev/null || true
    fi
    for name in "${!ci_pid[@]}"; do
        echo "ci: stopping ${ci_title[$name]} (${name}; log in $ci_logs/$name.log)" >&2
        kill -TERM -- "-${ci_pid[$name]}" 2>/dev/null || true
    done
    for name in "${!ci_pid[@]}"; do
        wait "${ci_pid[$name]}" 2>/dev/null || true
    done
}
trap 'status=$?; ci_stop_all; exit "$status"' EXIT
trap 'echo "ci: stopped" >&2; exit 130' INT
trap 'echo "ci: stopped" >&2; exit 143' TERM

# NAME: waits for the check started as NAME and shows its log; a failure ends the run.
ci_finish_one() {
    local name=$1 status=0 ended took reason
    [ -n "${ci_pid[$name]:-}" ] || return 0 # finished already
    wait "${ci_pid[$name]}" || status=$?
    unset "ci_pid[$name]"
    ended=$(cat "$ci_logs/$name.ended" 2>/dev/null || ci_now)
    took=$((ended - ci_began[$name]))
    if [ "$status" -eq 0 ]; then
        echo "== ${ci_title[$name]}: passed in $took s, beside the rest (ended $ended s into the run); the end of $ci_logs/$name.log: =="
        tail -n 25 "$ci_logs/$name.log"
        ci_times+=("$ended $took ${ci_title[$name]} (beside the rest)")
    else
        echo "== ${ci_title[$name]}: FAILED after $took s (ended $ended s into the run); $ci_logs/$name.log: ==" >&2
        cat "$ci_logs/$name.log" >&2
        # A check's reason is its last line of its own; a plain command's, its last line (ctest: "Errors while
        # running CTest", under the tests that failed).
        reason=$(grep -E '^[a-z0-9-]+: ' "$ci_logs/$name.log" | tail -n 1 || true)
        [ -n "$reason" ] || reason="exit status $status: $(grep -v '^[[:space:]]*$' "$ci_logs/$name.log" | tail -n 1)"
        echo "ci: $name failed: $reason" >&2
        exit 1
    fi
}
# Checks started beside the rest that have ended by now are finished at once: a failure ends the run then.
ci_collect() {
    local name
    for name in "${!ci_pid[@]}"; do
        kill -0 "${ci_pid[$name]}" 2>/dev/null || ci_finish_one "$name"
    done
}

# TITLE COMMAND...: runs it in the foreground, its output as it comes.
run() {
    local title=$1 began
    began=$(ci_now)
    shift
    ci_collect
    ci_section "$title"
    # In a process group of its own too, waited for so that a TERM or Ctrl-C of the run is taken at once.
    setsid "$@" </dev/null &
    ci_foreground=$!
    # A check beside it that ends meanwhile is finished at once: a failure there ends the run then.
    local ended
    while :; do
        ended=""
        wait -n -p ended || true
        [ -n "$ended" ] && [ "$ended" != "$ci_foreground" ] || break
        ci_collect
    done
    wait "$ci_foreground" || { echo "ci: failed: $title ($*)" >&2; exit 1; }
    ci_foreground=""
    ci_times+=("$(ci_now) $(($(ci_now) - began)) $title")
}
# NAME TITLE COMMAND...: starts it beside what follows, in a process group of its own, its output into its log.
start() {
    local name=$1 title=$2
    shift 2
    ci_collect
    mkdir -p "$ci_logs"
    rm -f "$ci_logs/$name.ended"
    # When it ends is noted as it ends (the run sees that only at its next step).
    setsid bash -c '"${@:2}"; status=$?; echo $(($(date +%s) - $1)) >"$0"; exit "$status"' \
        "$ci_logs/$name.ended" "$ci_start_time" "$@" >"$ci_logs/$name.log" 2>&1 </dev/null &
    ci_pid[$name]=$!
    ci_title[$name]=$title
    ci_began[$name]=$(ci_now)
    echo "== $title: started beside what follows (${ci_began[$name]} s into the run; log in $ci_logs/$name.log) =="
}
# NAME...: waits for each of them, in turn.
finish() {
    local name
    for name in "$@"; do ci_finish_one "$name"; done
}
# How long each step took, in the order they ended.
ci_summary() {
    echo "== the run's steps, in the order they ended: when (seconds into the run), and how long they took =="
    printf '%s\n' "${ci_times[@]}" | sort -n -s -k1,1
}
