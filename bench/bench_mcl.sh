#!/usr/bin/env bash
# Times a 999,999-line Media Clearing conversion against sha1sum + cat of the bank file it writes.
# DETAIL=1 times a second conversion with --print-detail and its JSON report as well.
source "$(dirname "${BASH_SOURCE[0]}")/bench_common.sh"
LINES="${1:-999999}"
python3 "$ROOT/bench/gen_mcl.py" "$WORK/mcl.txt" --lines "$LINES"

fresh_home
bench_conversion "Media Clearing" "$WORK/bank.txt" convert --product MCL --company BENCH01 \
  --source "$WORK/mcl.txt" --dest "$WORK/bank.txt" --home "$WORK/home"
if [[ ${DETAIL:-0} == 1 ]]; then
  fresh_home
  bench_conversion "Media Clearing, print detail" "$WORK/bank.txt" convert --product MCL --company BENCH01 \
    --source "$WORK/mcl.txt" --dest "$WORK/bank.txt" --home "$WORK/home" --print-detail \
    --report "$WORK/report.json"
fi
