#!/usr/bin/env bash
# End-to-end export runs of the real xlsamples.exe under Wine, driven from outside with
# session_driver.exe as a user would click:
#   program_export_test.sh CASE BUILD_DIR SOURCE_DIR WINEPREFIX
# CASE is one of
#   samples          buttons 1, 2, 3, each followed by "&Create Excel-Sheet": every
#                    workbook lands in the program directory (not the working one) as a
#                    compound file that opens with the expected sheet
#   cancel           "&Cancel" in the progress dialog of a big table: the closing box, a
#                    shorter but valid workbook; a second, uncancelled run has no box
#   read_only_dir    the program directory read-only after a good run: the error
#                    dialog, exit code 1, the old workbook byte for byte, no temporary file
#   locked_workbook  the old workbook cannot be replaced: the same, and the log file
# The program directory holds only the program; the tables are in a working directory
# of their own, so that a read-only program directory does not stop the table start-up.
# Root ignores file modes, so as root the directory or file is made immutable instead.
set -u
case_name=${1:?case}
build=${2:?build directory}
source=${3:?source directory}
prefix=${4:?wine prefix}

driver="$build/tests/gui/session_driver.exe"
make_samples="$build/tools/make_samples.exe"
exe="$build/shell/xlsamples.exe"
main_title='Create EXCEl-Sheets with Morvex2 ( Update : 4 )'
big_records=20000

base="$build/tests/shell/export-e2e-$case_name"
prog="$base/program"
work="$base/work"
app=""
locked=()

wine_run() { "$source/scripts/wine-run.sh" --prefix="$prefix" "$@"; }
drive() { wine_run "$driver" "$@" </dev/null 2>/dev/null; }
# The texts of a window's controls, one a line (Windows line ends made Unix ones).
window_texts() { drive texts "$1" | tr -d '\r'; }

make_read_only() {
  if [ "$(id -u)" = 0 ]; then chattr +i "$1"; else chmod a-w "$1"; fi || return 1
  locked+=("$1")
}
undo_read_only() {
  local path
  for path in "${locked[@]}"; do
    if [ "$(id -u)" = 0 ]; then chattr -i "$path"; else chmod u+w "$path"; fi
  done
  locked=()
}
stop_program() {
  [ -n "$app" ] || return 0
  # The wrapper's child is the Windows process itself.
  pkill -TERM -P "$app" 2>/dev/null
  kill "$app" 2>/dev/null
  wait "$app" 2>/dev/null
  app=""
}
cleanup() {
  stop_program
  undo_read_only
}
trap cleanup EXIT

fail() {
  echo "FAIL [$case_name]: $*" >&2
  exit 1
}

# A fresh program directory with the program, a working directory with the tables.
lay_out() {
  rm -rf "$base"
  mkdir -p "$prog" "$work" || fail "cannot make $base"
  cp "$exe" "$prog/" || fail "no $exe"
  cp "$source"/data/PRODUCT.DBF "$source"/data/PRODUCT1.DBF "$source"/data/PRODUCT1.FPT "$work/" ||
    fail "no sample tables in $source/data"
}

start_program() {
  (cd "$work" && exec "$source/scripts/wine-run.sh" --prefix="$prefix" "$prog/xlsamples.exe" \
    </dev/null >"$base/xlsamples.out" 2>&1) &
  app=$!
  drive wait-window "$main_title" 60000 || fail "the main dialog did not appear"
}

# The exit code of the program, after it ended by itself.
wait_program() {
  local waited=0
  while kill -0 "$app" 2>/dev/null; do
    [ "$waited" -lt 600 ] || fail "the program did not end"
    sleep 0.1
    waited=$((waited + 1))
  done
  wait "$app"
  local rc=$?
  app=""
  return "$rc"
}

exit_program() {
  drive press "$main_title" 10 || fail "could not press Exit"
  wait_program
  local rc=$?
  [ "$rc" -eq 0 ] || fail "Exit ended the program with exit code $rc, not 0"
}

meter_title() { echo "Total : $1 EXCEL-Products will be created ..."; }

# Presses sample button $1 and then "&Create Excel-Sheet"; waits until $2 is written and
# the progress dialog (title for $3 records) has closed.
export_sample() {
  local button=$1 file=$2 records=$3 waited=0
  rm -f "$prog/$file"
  drive press "$main_title" "$button" || fail "could not press sample button $button"
  drive press "$main_title" 20 || fail "could not press Create Excel-Sheet"
  until [ -s "$prog/$file" ]; do
    [ "$waited" -lt 1200 ] || fail "no $file in the program directory after sample $button"
    sleep 0.1
    waited=$((waited + 1))
  done
  drive wait-gone "$(meter_title "$records")" 60000 ||
    fail "the progress dialog of sample $button did not close"
}

expect_compound_file() {
  local signature
  signature=$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')
  [ "$signature" = d0cf11e0a1b11ae1 ] || fail "$1 is not a compound file (starts with $signature)"
}

have_xlrd() { [ -x /usr/bin/python3 ] && /usr/bin/python3 -c 'import xlrd' 2>/dev/null; }

# Prints, one a line: the sheet names, cell A1, the texts of row 3 and the number of rows.
sheet_facts() {
  /usr/bin/python3 - "$1" <<'PY'
import sys, xlrd
book = xlrd.open_workbook(sys.argv[1])
sheet = book.sheet_by_index(0)
print("sheets=" + ",".join(book.sheet_names()))
print("A1=" + str(sheet.cell_value(0, 0)))
print("row3=" + "|".join(str(v) for v in sheet.row_values(2)) if sheet.nrows > 2 else "row3=")
print("rows=%d" % sheet.nrows)
PY
}
fact() { sed -n "s/^$1=//p" <<<"$2"; }

# Checks that $1 opens as the workbook with title $2 and the header band $3 (| between).
expect_workbook() {
  local file=$1 title=$2 headers=$3 facts
  expect_compound_file "$file"
  have_xlrd || {
    echo "note: /usr/bin/python3 with xlrd is missing, $file is not opened"
    return 0
  }
  facts=$(sheet_facts "$file") || fail "$file does not open as a workbook"
  [ "$(fact sheets "$facts")" = Excel-Test ] || fail "$file: sheets $(fact sheets "$facts")"
  [ "$(fact A1 "$facts")" = "$title" ] || fail "$file: A1 is '$(fact A1 "$facts")', not '$title'"
  [ "$(fact row3 "$facts")" = "$headers" ] ||
    fail "$file: header band '$(fact row3 "$facts")', not '$headers'"
}

workbook_rows() { fact rows "$(sheet_facts "$1")"; }

no_temporary_files() {
  local left
  left=$(find "$prog" -maxdepth 1 \( -iname '~xl*' -o -iname '*.tmp' \) | head -n 5)
  [ -z "$left" ] || fail "temporary files left in the program directory: $left"
}

# The error dialog of a failed save names the operation and the file; Quit ends the
# program with exit code 1.
expect_save_error() {
  local file=$1 texts rc
  drive wait-window "Error-Message" 60000 || fail "no error dialog after the failed save"
  texts=$(window_texts "Error-Message")
  grep -q "SAVEAS" <<<"$texts" || fail "the error dialog does not name SAVEAS: $texts"
  grep -qF "$file" <<<"$texts" || fail "the error dialog does not name $file: $texts"
  drive press "Error-Message" 110 || fail "could not press Quit"
  wait_program
  rc=$?
  [ "$rc" -eq 1 ] || fail "Quit after the failed save ended the program with $rc, not 1"
}

case_samples() {
  lay_out
  start_program
  local button file title headers
  # button | workbook | title in A1 | header band in row 3
  while IFS='|' read -r button file title headers; do
    export_sample "$button" "$file" 320
    [ ! -e "$work/$file" ] || fail "$file was written into the working directory"
    expect_workbook "$prog/$file" "$title" "$headers"
    echo "ok: sample $button wrote $file ($(stat -c %s "$prog/$file") bytes)"
  done <<'TABLE'
1|Matrix.xls|Matrix-Sample|ID-NR|Customer|Product 1|Product 2|Product 3|Product 4|Product 5|Product 6|Product 7|Product 8|Product 9|Product 10
2|Invoice.xls|Invoice-Overview|ID-No|Customer|Invoice|Product|Value
3|Product.xls|Product-Overview|Product|Value|Customer
TABLE
  exit_program
  no_temporary_files
}

case_cancel() {
  lay_out
  rm -f "$work/PRODUCT.DBF"
  (cd "$work" && wine_run "$make_samples" --large "$big_records" PRODUCT.DBF </dev/null) ||
    fail "could not make a table of $big_records records"
  start_program
  local meter texts cancelled_rows full_rows
  meter=$(meter_title "$big_records")
  drive press "$main_title" 2 || fail "could not press Invoice-Overview"
  drive press "$main_title" 20 || fail "could not press Create Excel-Sheet"
  drive wait-window "$meter" 60000 || fail "the progress dialog did not appear"
  drive press "$meter" 103 || fail "the run ended before Cancel could be pressed"
  drive wait-window "ATTENTION" 60000 || fail "no box after the cancelled run"
  texts=$(window_texts "ATTENTION")
  grep -qxF "EXEL-Converting closed !" <<<"$texts" || fail "the box after Cancel says: $texts"
  drive answer-box "ATTENTION" 5000 || fail "could not answer the box"
  drive wait-gone "$meter" 10000 || fail "the progress dialog stayed open"
  expect_workbook "$prog/Invoice.xls" Invoice-Overview "ID-No|Customer|Invoice|Product|Value"
  if have_xlrd; then
    cancelled_rows=$(workbook_rows "$prog/Invoice.xls")
    # The header rows and at least the first customer, but not every record.
    [ "$cancelled_rows" -gt 4 ] || fail "the cancelled workbook has only $cancelled_rows rows"
    [ "$cancelled_rows" -lt $((big_records + 3)) ] ||
      fail "the cancelled workbook has all records ($cancelled_rows rows)"
  fi
  echo "ok: cancelled run saved Invoice.xls (${cancelled_rows:-?} rows)"

  # The next run is not cancelled: it writes every record and shows no box.
  export_sample 2 Invoice.xls "$big_records"
  ! drive wait-window "ATTENTION" 2000 || fail "a box appeared after an uncancelled run"
  if have_xlrd; then
    full_rows=$(workbook_rows "$prog/Invoice.xls")
    [ "$full_rows" -ge $((big_records + 3)) ] || fail "the full run wrote only $full_rows rows"
  fi
  echo "ok: full run saved Invoice.xls (${full_rows:-?} rows)"
  exit_program
  no_temporary_files
}

# $1: what is made read-only, the program directory or the old workbook.
failed_save_keeps_old_workbook() {
  local target=$1
  lay_out
  start_program
  export_sample 1 Matrix.xls 320
  cp "$prog/Matrix.xls" "$base/Matrix.before" || fail "cannot copy the first workbook"
  make_read_only "$target" || fail "cannot make $target read-only"
  drive press "$main_title" 20 || fail "could not press Create Excel-Sheet again"
  expect_save_error Matrix.xls
  undo_read_only
  cmp -s "$base/Matrix.before" "$prog/Matrix.xls" || fail "the old workbook was changed"
  no_temporary_files
}

case_read_only_dir() {
  failed_save_keeps_old_workbook "$prog"
  echo "ok: read-only program directory, old workbook intact, no temporary file"
}

case_locked_workbook() {
  failed_save_keeps_old_workbook "$prog/Matrix.xls"
  [ -f "$prog/ERROR_1.log" ] || fail "no ERROR_1.log in the program directory"
  grep -q "SAVEAS" "$prog/ERROR_1.log" || fail "ERROR_1.log does not name SAVEAS"
  echo "ok: unreplaceable workbook intact, no temporary file, ERROR_1.log written"
}

for tool in "$driver" "$make_samples" "$exe"; do
  [ -f "$tool" ] || fail "$tool is missing (build the win64 tree)"
done
case "$case_name" in
  samples | cancel | read_only_dir | locked_workbook) "case_$case_name" ;;
  *) fail "unknown case" ;;
esac
rm -rf "$base"
echo "passed: $case_name"
