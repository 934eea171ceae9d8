#!/usr/bin/env bash
# Installs what is missing, builds everything, installs the bundled demo into
# a platform root of its own under the build folder and starts Zentrix on it.
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

# Install: the demo tree and the engine program into <root>/programs/Zentrix
# Demo, the registry entry (HomeDir, GraphicDir, DatabaseDir) into the root's
# registry store. Attempts recorded by an earlier run are kept.
export ZENTRIX_PLATFORM_ROOT="$PWD/$build/demo-root"
"$build/demo/zentrix-demo-install" "$build/demo/tree" --program "$build/engine/zentrix"
home="$ZENTRIX_PLATFORM_ROOT/programs/Zentrix Demo"
echo "demo.sh: the demo is installed in $home"

case "$run" in
  none)
    exit 0 ;;
  xvfb)
    echo "demo.sh: starting Zentrix under xvfb-run (close it with Ctrl+C)"
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$home/zentrix" ;;
esac

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat <<EOF
demo.sh: there is no display here (DISPLAY and WAYLAND_DISPLAY are empty), so
Zentrix was built and the demo installed, but not started. To run it:
  - on a virtual display:          scripts/demo.sh --xvfb
                                   (or: xvfb-run -a scripts/demo.sh)
  - from a desktop session:        ZENTRIX_PLATFORM_ROOT="$ZENTRIX_PLATFORM_ROOT" "$home/zentrix"
EOF
  exit 0
fi
echo "demo.sh: starting Zentrix"
exec "$home/zentrix"
