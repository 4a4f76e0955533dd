#!/usr/bin/env bash
# Installs what is missing, builds Quillmarten.exe and starts it under Wine: on $DISPLAY
# when there is one, else on a private Xvfb screen with a screenshot of the tray menu.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh windows
exec /usr/bin/python3 scripts/run_under_wine.py
