#!/usr/bin/env bash
# Runs each fuzz target of build/fuzz over its seed corpus for a few minutes
# (FUZZ_SECONDS, default 180; FUZZ_BUILD names another build tree). New inputs go to a
# scratch corpus in the build tree, so the committed seeds stay as they are. Exits
# non-zero when a target finds a crash (the input is kept under <build>/artifacts).
set -u
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-180}
build=${FUZZ_BUILD:-build/fuzz}
status=0
for target in dbf fpt cdx; do
  bin=$build/tests/fuzz/fuzz_$target
  if [ ! -x "$bin" ]; then
    echo "fuzz: $bin is missing (run make fuzz)" >&2
    status=1
    continue
  fi
  work=$build/corpus/$target
  mkdir -p "$work" "$build/artifacts"
  echo "== fuzz_$target for ${seconds}s"
  log=$build/fuzz_$target.log
  "$bin" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
    -artifact_prefix="$build/artifacts/$target-" "$work" tests/fuzz/corpus/"$target" >"$log" 2>&1
  rc=$?
  grep -E "^(#[0-9]+ +DONE|==[0-9]+==ERROR|SUMMARY|Done)" "$log"
  if [ $rc -ne 0 ]; then
    echo "fuzz_$target failed (exit $rc); see $log" >&2
    status=1
  fi
done
exit $status
