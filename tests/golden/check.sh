#!/usr/bin/env bash
# Fails when any output of the tests' data differs from tests/golden/expected.txt.
# After an intended change of output, regenerate: outputs.sh ... > expected.txt, and say why.
# usage: check.sh CLI SEED_DB REPORT_DIR TEST_DATA_DIR
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
command -v faketime >/dev/null || { echo "faketime is not installed"; exit 1; }
diff -u "$here/expected.txt" <(bash "$here/outputs.sh" "$@")
echo "all $(grep -c ' exit ' "$here/expected.txt") runs give the expected outputs"
