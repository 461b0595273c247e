#!/bin/sh
# Runs a desktop test program on a real X server with a small window manager,
# where windows are activated and keys routed as on a clerk's desktop.
# Exit 77 (a skip to ctest) when either is not installed.
for tool in xvfb-run matchbox-window-manager; do
    command -v "$tool" >/dev/null 2>&1 || {
        echo "skipped: no $tool (apt-get install xvfb xauth matchbox-window-manager)"; exit 77; }
done
# The manager takes the screen before the first window is mapped.
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c \
    'matchbox-window-manager -use_titlebar no & sleep 1; QT_QPA_PLATFORM=xcb "$@"' sh "$@"
