#!/usr/bin/env bash
# The scripted session of `make run` without a display:
#   session.sh RUN_DIR WINEPREFIX
# Starts a private virtual display, runs the program in RUN_DIR on it, drives it with
# session_driver.exe (a small Windows program that posts clicks to the program's windows),
# takes screenshots into RUN_DIR, ends the program through "&Exit" and checks that its
# exit code is 0.
# To add a step: write a function step_<name> (use drive and shot) and list it in
# `steps` before step_exit. A step that fails ends the session with its message.
set -u
run=${1:?run directory}
prefix=${2:?wine prefix}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${XB_BUILD_DIR:-$root/build/win64}
# Relative directories are taken from where the script was started; it changes directory.
build=$(cd "$build" 2>/dev/null && pwd) || { echo "session: no build directory $build" >&2; exit 2; }
run=$(cd "$run" 2>/dev/null && pwd) || { echo "session: no run directory $run" >&2; exit 2; }
case "$prefix" in /*) ;; *) prefix="$(pwd)/$prefix" ;; esac
driver="$build/tests/gui/session_driver.exe"
title='Create EXCEl-Sheets with Morvex2 ( Update : 4 )'

[ -f "$driver" ] || { echo "session: $driver is missing (build the win64 tree)" >&2; exit 2; }
[ -f "$run/xlsamples.exe" ] || { echo "session: $run/xlsamples.exe is missing" >&2; exit 2; }

# A display number nobody uses.
display=""
for n in $(seq 90 189); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
    display=":$n"
    break
  fi
done
[ -n "$display" ] || { echo "session: no free display" >&2; exit 2; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=""
cleanup() {
  # The wrapper's child is the Windows program itself, which would outlive the wrapper.
  [ -n "$app" ] && pkill -TERM -P "$app" 2>/dev/null
  [ -n "$app" ] && kill "$app" 2>/dev/null
  kill "$xvfb" 2>/dev/null
}
trap cleanup EXIT
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done
export DISPLAY=$display

wine_run() { "$root/scripts/wine-run.sh" --prefix="$prefix" --x11 "$@"; }
drive() { wine_run "$driver" "$@" </dev/null >/dev/null 2>&1; }
shot() {
  sleep 0.5
  import -window root "$run/$1.png" && echo "session: screenshot $run/$1.png"
}
fail() {
  echo "session: $*" >&2
  shot "failed" >/dev/null 2>&1
  exit 1
}

step_open() {
  drive wait-window "$title" 60000 || fail "the main dialog did not appear"
  shot 01-main-dialog
}

step_customer_header() {
  # The "Customer" header of the column browser (control 110): past the record selector
  # and the 50-pixel "ID-No." column, a few pixels below the top edge.
  drive click "$title" 110 120 6 || fail "could not click the Customer header"
  shot 02-customer-header-clicked
}

# Each sample button, then "&Create Excel-Sheet": the progress dialog shows while the
# workbook is written into the program directory (the run directory).
export_sample() {
  local button=$1 file=$2 shot_name=$3
  rm -f "$run/$file"
  drive press "$title" "$button" || fail "could not press sample button $button"
  drive press "$title" 20 || fail "could not press Create Excel-Sheet"
  if drive wait-window "Total : 320 EXCEL-Products will be created ..." 20000; then
    shot "$shot_name"
  fi
  drive wait-gone "Total : 320 EXCEL-Products will be created ..." 120000 ||
    fail "the progress dialog of sample $button did not close"
  for _ in $(seq 100); do
    [ -s "$run/$file" ] && break
    sleep 0.2
  done
  [ -s "$run/$file" ] || fail "no $file after sample $button"
  echo "session: workbook $run/$file"
}
step_exports() {
  export_sample 1 Matrix.xls 03-progress-matrix
  export_sample 2 Invoice.xls 04-progress-invoice
  export_sample 3 Product.xls 05-progress-product
}

step_exit() {
  drive press "$title" 10 || fail "could not press Exit"
  drive wait-gone "$title" 30000 || fail "the dialog did not close"
}

steps=(step_open step_customer_header step_exports step_exit)

cd "$run"
wine_run ./xlsamples.exe </dev/null >"$run/xlsamples.out" 2>&1 &
app=$!
for step in "${steps[@]}"; do
  "$step"
done
wait "$app"
rc=$?
app=""
echo "xlsamples ended with exit code $rc"
[ "$rc" -eq 0 ] || exit 1

# The big-table scenario: in a program directory of its own (so the workbooks of the
# samples above stay as they are), a generated PRODUCT.DBF big enough for the progress
# dialog to be seen working. It is screenshot with its bar under way, then Cancel stops
# the run and the "EXEL-Converting closed !" box is screenshot; the run still saves its
# workbook.
big_records=20000
big_meter="Total : $big_records EXCEL-Products will be created ..."
bigdir="$run/big-table"
make_samples="$build/tools/make_samples.exe"
[ -f "$make_samples" ] || fail "$make_samples is missing (build the win64 tree)"
rm -rf "$bigdir"
mkdir -p "$bigdir"
cp "$run/xlsamples.exe" "$run/PRODUCT1.DBF" "$run/PRODUCT1.FPT" "$bigdir/"
cd "$bigdir" || fail "cannot enter $bigdir"
wine_run "$make_samples" --large "$big_records" PRODUCT.DBF </dev/null >/dev/null 2>&1 ||
  fail "could not make a table of $big_records records"
wine_run ./xlsamples.exe </dev/null >"$run/xlsamples-big-table.out" 2>&1 &
app=$!
drive wait-window "$title" 60000 || fail "the main dialog did not appear for the big table"
drive press "$title" 2 || fail "could not press Invoice-Overview for the big table"
drive press "$title" 20 || fail "could not press Create Excel-Sheet for the big table"
drive wait-window "$big_meter" 60000 || fail "the progress dialog of the big table did not appear"
sleep 1
shot 06-progress-big-table
drive press "$big_meter" 103 || fail "the big-table run ended before Cancel could be pressed"
drive wait-window "ATTENTION" 60000 || fail "no box after the cancelled run"
shot 07-cancelled-box
drive answer-box "ATTENTION" 5000 || fail "could not answer the box after the cancelled run"
drive wait-gone "$big_meter" 30000 || fail "the progress dialog stayed open after Cancel"
[ -s "$bigdir/Invoice.xls" ] || fail "the cancelled run saved no Invoice.xls"
echo "session: workbook of the cancelled run $bigdir/Invoice.xls"
drive press "$title" 10 || fail "could not press Exit for the big table"
wait "$app"
rc=$?
app=""
echo "xlsamples with the big table ended with exit code $rc"
[ "$rc" -eq 0 ] || fail "the big-table run ended with $rc, not 0"

# The error scenario: a program directory of its own, a working directory without
# PRODUCT.DBF. The error dialog appears; Quit ends the run with exit code 1 and leaves
# ERROR_1.log in the program directory, which is copied next to the screenshots.
errprog="$run/error-program"
errwork="$run/error-work"
rm -rf "$errprog" "$errwork"
mkdir -p "$errprog" "$errwork"
cp "$run/xlsamples.exe" "$errprog/"
cd "$errwork"
wine_run "$errprog/xlsamples.exe" </dev/null >"$run/xlsamples-error.out" 2>&1 &
app=$!
drive wait-window "Error-Message" 60000 || fail "the error dialog did not appear"
shot 09-error-dialog
drive press "Error-Message" 110 || fail "could not press Quit in the error dialog"
wait "$app"
rc=$?
app=""
echo "xlsamples without PRODUCT.DBF ended with exit code $rc"
[ "$rc" -eq 1 ] || fail "the error run ended with $rc, not 1"
[ -f "$errprog/ERROR_1.log" ] || fail "no ERROR_1.log in the program directory"
cp "$errprog/ERROR_1.log" "$run/ERROR_1.log" && echo "session: log $run/ERROR_1.log"
exit 0
