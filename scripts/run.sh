#!/usr/bin/env bash
# Lays out a program directory under build/run/ (the program and the sample tables) and
# starts the program there under Wine: on the user's display when there is one, else on
# a private virtual display, where a scripted session runs (scripts/session.sh).
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
run="$root/build/run"
mkdir -p "$run"
cp build/win64/shell/xlsamples.exe "$run/"
for f in data/*.DBF data/*.FPT data/*.dbf data/*.fpt; do
  [ -f "$f" ] && cp "$f" "$run/"
done
prefix="$root/build/run-wineprefix"
cd "$run"
if [ -n "${DISPLAY:-}" ]; then
  "$root/scripts/wine-run.sh" --prefix="$prefix" --x11 ./xlsamples.exe
  rc=$?
  echo "xlsamples ended with exit code $rc"
  exit $rc
fi
if [ -x "$root/scripts/session.sh" ]; then
  exec "$root/scripts/session.sh" "$run" "$prefix"
fi
# No display and no scripted session: a private virtual display.
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
DISPLAY=$display "$root/scripts/wine-run.sh" --prefix="$prefix" --x11 ./xlsamples.exe
rc=$?
echo "xlsamples ended with exit code $rc"
exit $rc
