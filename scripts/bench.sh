#!/usr/bin/env bash
# Runs every benchmark program: the native ones of build/bench (bench_*), then the
# Windows ones of build/win64 (bench_*.exe) under Wine. Each prints its own figures
# and its ratio against the peer it measures in the same run.
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
status=0
for b in $(find build/bench -type f -name 'bench_*' -perm -u+x 2>/dev/null | sort); do
  echo "== $b"
  "$b" || status=1
done
if [ -d build/win64 ]; then
  for b in $(find build/win64 -type f -name 'bench_*.exe' 2>/dev/null | sort); do
    echo "== $b (under Wine)"
    "$root/scripts/wine-run.sh" --prefix="$root/build/win64/wineprefix" "$b" || status=1
  done
fi
exit $status
