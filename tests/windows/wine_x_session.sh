#!/bin/sh
# Runs SCRIPT (shell code) under Wine in a virtual X server, in a Wine prefix
# of its own in WORK_DIR (made on the first run), whose server lives only for
# this run. The exit status is SCRIPT's. The Windows editor tests use it.
# The screen is WINE_X_SCREEN, 1280x1024x24 unless set.
#
#   wine_x_session.sh WORK_DIR SCRIPT
set -eu
export WINEPREFIX="$1/wineprefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINE_X_SESSION_SCRIPT="$2"

xvfb-run -a -s "-screen 0 ${WINE_X_SCREEN:-1280x1024x24} -nolisten tcp" sh -c '
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    # No two-second wait for the window manager on every window close.
    wine reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
  fi
  rc=0
  sh -c "$WINE_X_SESSION_SCRIPT" || rc=$?
  wineserver -k || true
  exit $rc
'
