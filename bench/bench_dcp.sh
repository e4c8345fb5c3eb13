#!/usr/bin/env bash
# Times a 999,999-line Direct Credit conversion against sha1sum + cat of the bank file it writes.
source "$(dirname "${BASH_SOURCE[0]}")/bench_common.sh"
LINES="${1:-999999}"
python3 "$ROOT/bench/gen_dcp.py" "$WORK/dcp.txt" "$LINES"
bench_conversion "Direct Credit" "$WORK/bank.txt" convert --product DCP --company BENCH01 \
  --debit 1234567896 --fee 1234567896 --source "$WORK/dcp.txt" --dest "$WORK/bank.txt" --home "$BIN"
