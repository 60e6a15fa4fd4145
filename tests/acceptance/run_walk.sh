#!/usr/bin/env bash
# Runs the acceptance walk: the real desktop program on a generated sample company in a
# fresh data folder, under an X server of its own (Xvfb) and a session bus with the
# accessibility bus started, driven by walk.py through the widgets' accessible names.
# Usage: run_walk.sh QUARRION QUARRION_CLI OUT_DIR
# OUT_DIR receives the window pictures (pictures/), the data folder (home/), the
# exports and the program's output (quarrion.log).
set -euo pipefail
quarrion=$(realpath "$1")
cli=$(realpath "$2")
out=$3
here=$(cd "$(dirname "$0")" && pwd)

rm -rf "$out"
mkdir -p "$out/home" "$out/pictures" "$out/exports"
out=$(realpath "$out")

for tool in xvfb-run dbus-run-session xdotool /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "the walk needs $tool (scripts/setup installs it)" >&2; exit 1; }
done

export QUARRION_HOME="$out/home"
export QUARRION_WALK_QUARRION="$quarrion"
export QUARRION_WALK_CLI="$cli"
export QUARRION_WALK_OUT="$out"

# The walk itself, inside the display and the session bus.
inner=$(cat <<'INNER'
set -euo pipefail
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
trap 'kill $launcher 2>/dev/null || true' EXIT
status=0
/usr/bin/python3 "$QUARRION_WALK_HERE/walk.py" || status=$?
exit $status
INNER
)
export QUARRION_WALK_HERE="$here"
# A display number of its own, away from :99 where every other xvfb-run -a starts, so
# walks and tests started at the same moment do not race for one display. A display
# lost before the program could start (status 3) is tried again on another one.
for attempt in 1 2 3; do
  status=0
  xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x900x24" \
    dbus-run-session -- bash -c "$inner" || status=$?
  [ "$status" -eq 3 ] || break
  echo "the X server went away before the program started; trying another display" >&2
done
exit "$status"
