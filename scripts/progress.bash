# Sourced by the scripts beside it: says what a long step is doing, on standard
# error. On a terminal it is one line that updates; elsewhere (a pipe, CI's log)
# a plain line at each tenth of the way, never a carriage return.

# progress_run LOG LABEL COMMAND...: runs COMMAND (a program or a function) with
# all its output added to LOG, and shows "LABEL, N%" as it goes: N from the "[DONE/TOTAL]" counts Ninja
# prints, or from the packages apt-get sets up of those it said it would
# install. When COMMAND fails, shows the part of LOG that tells why and names LOG.
progress_run() {
  local log="$1" label="$2" line done=0 total=0 shown=-1 percent status
  shift 2
  local terminal=0
  [ -t 2 ] && terminal=1
  [ "$terminal" = 1 ] && printf '%s' "$label" >&2 || printf '%s\n' "$label" >&2
  local errexit=0
  [[ $- == *e* ]] && errexit=1
  set +e
  "$@" 2>&1 | tee -a "$log" | while IFS= read -r line; do
    if [[ $line =~ ^\[([0-9]+)/([0-9]+)\] ]]; then
      done=${BASH_REMATCH[1]} total=${BASH_REMATCH[2]}
    elif [[ $line =~ ([0-9]+)\ newly\ installed ]]; then
      total=${BASH_REMATCH[1]}
    elif [[ $line == "Setting up "* ]]; then
      done=$((done + 1))
    fi
    [ "$total" -gt 0 ] || continue
    percent=$((done * 100 / total))
    if [ "$terminal" = 1 ] && [ "$percent" != "$shown" ]; then
      printf '\r\033[K%s, %d%%' "$label" "$percent" >&2
      shown=$percent
    elif [ "$terminal" = 0 ] && [ $((percent / 10)) -gt "$shown" ]; then
      printf '%s, %d%%\n' "$label" "$percent" >&2
      shown=$((percent / 10))
    fi
  done
  status=${PIPESTATUS[0]}
  [ "$errexit" = 1 ] && set -e
  [ "$terminal" = 1 ] && printf '\n' >&2
  if [ "$status" -ne 0 ]; then
    # Ninja marks the step that failed; from there on is what went wrong.
    if grep -q '^FAILED: ' "$log"; then sed -n '/^FAILED: /,$p' "$log" >&2; else tail -n 30 "$log" >&2; fi
    printf '%s: failed (status %d); the full log is in %s\n' "$label" "$status" "$log" >&2
  fi
  return "$status"
}
