#!/usr/bin/env bash
# Installs what is missing, builds everything, installs the bundled demo with
# the setup program from the distribution medium into a platform root of its
# own under the build folder and starts Zentrix from the shortcut it made.
#
#   scripts/demo.sh            build, install, run (needs a display)
#   scripts/demo.sh --xvfb     the same, the engine running under xvfb-run
#   scripts/demo.sh --no-run   build and install only
#
# The build folder is $ZENTRIX_BUILD_DIR, else build/. The demo's platform
# root (registry store, programs folder, trash, temporary folder) is
# <build>/demo-root, so the demo never touches the user's own Zentrix files.
set -euo pipefail
cd "$(dirname "$0")/.."

run=display
case "${1:-}" in
  "") ;;
  --xvfb) run=xvfb ;;
  --no-run) run=none ;;
  -h | --help) sed -n '2,11p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
  *) echo "demo.sh: unknown option $1 (use --xvfb or --no-run)" >&2; exit 2 ;;
esac

scripts/install-deps.sh
build=${ZENTRIX_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc)"

# Install through the setup program on the distribution medium
# (<build>/medium), unattended, into the demo's own platform root. An earlier
# demo install is uninstalled first by its own uninstaller: its folder goes to
# <build>/demo-root/Trash, where the attempts recorded in it can be restored.
# The second run of the setup adds the medium's exam package (the Security
# Basics course) and updates the engine to the medium's newer one.
case "$build" in
  /*) built="$build" ;;
  *) built="$PWD/$build" ;;
esac
export ZENTRIX_PLATFORM_ROOT="$built/demo-root"
medium="$built/medium"
windows="$ZENTRIX_PLATFORM_ROOT/windows"
home="$ZENTRIX_PLATFORM_ROOT/programs/Zentrix"
if [ -x "$windows/uninstall-zentrix" ] && [ -f "$windows/zentrix-uninstall.ini" ] && [ -e "$home/zentrix" ]; then
  "$windows/uninstall-zentrix" --unattended -u zentrix-uninstall.ini
fi
(cd "$medium" && ./zentrix-install --unattended)
(cd "$medium" && ./zentrix-install --unattended)
entry="$ZENTRIX_PLATFORM_ROOT/applications/Zentrix/Zentrix.desktop"
echo "demo.sh: the demo is installed in $home; its shortcut is $entry"

case "$run" in
  none)
    exit 0 ;;
  xvfb)
    echo "demo.sh: starting Zentrix under xvfb-run (close it with Ctrl+C)"
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$medium/zentrix-install" --run-shortcut "$entry" ;;
esac

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat <<EOF
demo.sh: there is no display here (DISPLAY and WAYLAND_DISPLAY are empty), so
Zentrix was built and the demo installed, but not started. To run it:
  - on a virtual display:          scripts/demo.sh --xvfb
                                   (or: xvfb-run -a scripts/demo.sh)
  - from a desktop session:        ZENTRIX_PLATFORM_ROOT="$ZENTRIX_PLATFORM_ROOT" \\
                                     "$medium/zentrix-install" --run-shortcut "$entry"
EOF
  exit 0
fi
echo "demo.sh: starting Zentrix from its shortcut"
exec "$medium/zentrix-install" --run-shortcut "$entry"
