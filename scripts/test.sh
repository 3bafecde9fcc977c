#!/usr/bin/env bash
# Runs the native tests directly and the Windows tests under Wine, then prints one
# summary line. Exits non-zero when any test failed.
set -u
cd "$(dirname "$0")/.."
status=0
passed=0
failed=0
for tree in build/native build/win64; do
  echo "== tests in $tree"
  log=$(mktemp)
  repeat=()
  # Under Wine a program start very rarely hangs (seen once in about 200 runs); a test
  # that fails there is run once more before it counts as failed.
  [ "$tree" = build/win64 ] && repeat=(--repeat until-pass:2)
  ctest --test-dir "$tree" -j2 --output-on-failure --timeout 300 "${repeat[@]}" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  [ "$rc" -eq 0 ] || status=1
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$line" ]; then
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  elif grep -q "No tests were found" "$log"; then
    :
  else
    status=1
  fi
  rm -f "$log"
done
echo "all tests: $passed passed, $failed failed"
exit $status
