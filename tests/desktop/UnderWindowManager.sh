#!/bin/sh
# Runs a desktop test program on a real X server with a window manager, where
# windows are activated and keys are routed as on a clerk's desktop rather
# than by the offscreen platform. Usage: UnderWindowManager.sh PROGRAM ARGS...
# Exit 77 (a skip to ctest) when the X server or the window manager is not
# installed: apt-get install xvfb xauth matchbox-window-manager.
for tool in xvfb-run matchbox-window-manager; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "skipped: $tool is not installed (apt-get install xvfb xauth matchbox-window-manager)"
        exit 77
    fi
done
# The window manager needs a moment to take over the screen before the first
# window is mapped, or that window is never managed.
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    matchbox-window-manager -use_titlebar no & wm=$!
    sleep 1
    QT_QPA_PLATFORM=xcb "$@"; rc=$?
    kill $wm
    exit $rc' sh "$@"
