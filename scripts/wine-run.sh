#!/usr/bin/env bash
# Runs a Windows program under Wine with a private prefix, for tests and `make run`.
#   wine-run.sh --prefix=DIR [--x11] program.exe [args...]
# The prefix is made once (under a lock), with the fonts linked in, the crash dialog off
# and, unless --x11 is given, Wine's null graphics driver, so no display is needed.
# The wineserver is started detached, so its helpers never hold the caller's pipes open.
# The exit code is the program's.
set -u
prefix=""
x11=0
while [ $# -gt 0 ]; do
  case "$1" in
    --prefix=*) prefix="${1#--prefix=}"; shift ;;
    --x11) x11=1; shift ;;
    *) break ;;
  esac
done
[ -n "$prefix" ] || { echo "wine-run: --prefix=DIR is required" >&2; exit 2; }
case "$prefix" in /*) ;; *) prefix="$(pwd)/$prefix" ;; esac
loader=/usr/lib/wine/wine64
[ -x "$loader" ] || loader=$(command -v wine64 || command -v wine)
server=/usr/lib/wine/wineserver64
[ -x "$server" ] || server=$(command -v wineserver)

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$prefix")"

make_prefix() {
  "$loader" wineboot -i </dev/null >/dev/null 2>&1
  "$server" -w </dev/null >/dev/null 2>&1
  mkdir -p "$prefix/drive_c/windows/Fonts"
  ln -sf /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null
  local reg="$prefix/xlsamples.reg" graphics='"Graphics"="null"'
  [ "$x11" = 1 ] && graphics='"Graphics"="x11"'
  cat >"$reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]
$graphics

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"
"Decorated"="Y"

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
"Microsoft Sans Serif"="Liberation Sans"
REG
  "$loader" regedit /S "$reg" </dev/null >/dev/null 2>&1
  "$server" -w </dev/null >/dev/null 2>&1
  touch "$prefix/.xlsamples-ready"
}

if [ ! -f "$prefix/.xlsamples-ready" ]; then
  exec 9>"$prefix.lock"
  flock 9
  [ -f "$prefix/.xlsamples-ready" ] || make_prefix
  flock -u 9
  exec 9>&-
fi
# A persistent, detached server: later programs start in a tenth of a second.
# When this call started it, Wine's own helper processes are started too, detached, so
# that they never inherit the caller's pipes (CTest would wait for them).
if "$server" -p30 </dev/null >/dev/null 2>&1; then
  "$loader" wineboot </dev/null >/dev/null 2>&1
fi
"$loader" "$@"
