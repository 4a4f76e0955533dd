#!/usr/bin/env bash
# Installs what is missing, builds Quillmarten.exe and starts it under Wine: on $DISPLAY
# when there is one, else on a private Xvfb screen, where it shows the road of one drag.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh windows
# The native XDND drag source that drops the image on the drop window.
cmake --preset native >/dev/null
cmake --build --preset native --target qmxdnd -j2
exec /usr/bin/python3 scripts/run_under_wine.py
