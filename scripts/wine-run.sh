#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix: wine-run.sh PREFIX PROGRAM.exe [ARGUMENT...].
# CMake's emulator for the Windows build (cmake/MinGW.cmake), so ctest runs the test programs through it.
# The first run makes the prefix (a few seconds). Wine's server and its service processes are started here with
# their output going nowhere and kept for a while (WINE_SERVER_SECONDS, 30), so that the next program starts in
# a tenth of a second and no Wine process outlives a test holding the test's output open (ctest would wait for
# it). All of that under a lock, so that parallel tests wait for one another's start. Wine's own messages are off,
# and Mono and Gecko are not asked for (console programs need neither).
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$prefix")"
{
  flock 9
  if [ ! -f "$prefix.made" ]; then
    wineboot --init </dev/null >/dev/null 2>&1 9>&-
    touch "$prefix.made"
  fi
  if wineserver -p"${WINE_SERVER_SECONDS:-30}" </dev/null >/dev/null 2>&1 9>&-; then
    wine cmd /c exit </dev/null >/dev/null 2>&1 9>&-
  fi
} 9>"$prefix.lock"
exec wine "$@"
