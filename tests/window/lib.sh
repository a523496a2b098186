# Helpers for window tests; sourced inside with-desktop.sh.

fail() { echo "FAIL: $*" >&2; exit 1; }

# Polls (every 50 ms, up to $2 seconds) until the command in $1 succeeds.
wait_for() {
  local what=$1 seconds=${2:-10}
  for _ in $(seq $((seconds * 20))); do
    eval "$what" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  return 1
}

# Starts the program in the background; sets APP_PID and APP_WINDOW.
start_app() {
  "$@" >"$WORK/app.log" 2>&1 &
  APP_PID=$!
  wait_for 'xdotool search --onlyvisible --pid "$APP_PID"' 15 || {
    cat "$WORK/app.log" >&2; fail "the program showed no window"; }
  APP_WINDOW=$(xdotool search --onlyvisible --pid "$APP_PID" | head -n1)
}

screenshot() {
  import -window root "$SCREENSHOTS/$1.png"
}
