#!/usr/bin/env bash
# Times a Manager Cheque conversion of 100,000 payments (tax items and two invoices each) against
# sha1sum + cat of the bank file it writes.
# DETAIL=1 times a second conversion with --print-detail and its JSON report as well.
source "$(dirname "${BASH_SOURCE[0]}")/bench_common.sh"
PAYMENTS="${1:-100000}"
python3 "$ROOT/bench/gen_mcp.py" "$WORK/payments.txt" "$WORK/invoices.txt" --payments "$PAYMENTS"

fresh_home
bench_conversion "Manager Cheque" "$WORK/bank.txt" convert --product MCP --company BENCH01 \
  --source "$WORK/payments.txt" --invoice "$WORK/invoices.txt" --dest "$WORK/bank.txt" --home "$WORK/home"
if [[ ${DETAIL:-0} == 1 ]]; then
  fresh_home
  bench_conversion "Manager Cheque, print detail" "$WORK/bank.txt" convert --product MCP --company BENCH01 \
    --source "$WORK/payments.txt" --invoice "$WORK/invoices.txt" --dest "$WORK/bank.txt" --home "$WORK/home" \
    --print-detail --report "$WORK/report.json"
fi
