#!/usr/bin/env bash
# Installs what is missing, builds, and shows the recogniser on the bundled example data.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
cli=build/bin/parlomat-cli
echo "== The control's interface (first lines of 133 members):"
"$cli" members | head -n 8
echo "== A property read after a setting:"
"$cli" --set Speech_sampling_time_in_ms=2500 get Current_Word_no_Processed Platinum_Word_1_Font
