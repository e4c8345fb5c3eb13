#!/usr/bin/env bash
# Times a Manager Cheque conversion of 100,000 payments (tax items and two invoices each) against
# sha1sum plus cat of the bank file it produced into a new file, in the same run, and reports the
# ratio and the peak memory.
#
# Environment: BUILD_DIR (default build), WORK_DIR (default a fresh temporary directory, removed
# afterwards), PAYMENTS (default 100000), DETAIL=1 to convert with --print-detail as well.
# Needs /usr/bin/time (Debian package "time").
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${BUILD_DIR:-$here/../build}
cli=$build/bin/convertor-cli
payments=${PAYMENTS:-100000}
if [[ -n ${WORK_DIR:-} ]]; then
  work=$WORK_DIR
  mkdir -p "$work"
else
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi

[[ -x $cli ]] || { echo "no $cli: build first" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "/usr/bin/time is missing: apt-get install time" >&2; exit 1; }

payment_file=$work/mcp_payments.txt
invoice_file=$work/mcp_invoices.txt
echo "generating $payments payments ..."
python3 "$here/gen_mcp.py" "$payment_file" "$invoice_file" --payments "$payments"

now() { date +%s.%N; }

# One conversion in a fresh program directory, so every run starts from the delivered tables.
convert() {
  local name=$1
  shift
  local home=$work/home-$name
  rm -rf "$home" "$work/out-$name"
  mkdir -p "$home" "$work/out-$name"
  cp -r "$build/bin/Data" "$build/bin/Report" "$home/"
  local bank=$work/out-$name/bank.txt
  local start
  start=$(now)
  /usr/bin/time -v -o "$work/$name.time" "$cli" convert --product MCP --company BENCH \
    --source "$payment_file" --invoice "$invoice_file" --dest "$bank" --home "$home" "$@" > "$work/$name.out"
  local convert_s
  convert_s=$(echo "$(now) - $start" | bc -l)

  start=$(now)
  sha1sum "$bank" > /dev/null
  cat "$bank" > "$work/out-$name/copy.txt"
  local baseline_s
  baseline_s=$(echo "$(now) - $start" | bc -l)

  local peak_kb
  peak_kb=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/$name.time")
  printf '%s\n' "$name"
  printf '  bank file lines   %d (%s bytes)\n' "$(wc -l < "$bank")" "$(stat -c %s "$bank")"
  printf '  convert           %.2f s\n' "$convert_s"
  printf '  sha1sum + cat     %.2f s\n' "$baseline_s"
  printf '  ratio             %.1f\n' "$(echo "$convert_s / $baseline_s" | bc -l)"
  printf '  peak memory       %d MiB\n' "$((peak_kb / 1024))"
}

printf 'payments            %d (%s bytes), invoice lines %d\n' "$payments" "$(stat -c %s "$payment_file")" \
  "$(wc -l < "$invoice_file")"
convert plain
if [[ ${DETAIL:-0} == 1 ]]; then
  convert detail --print-detail --report "$work/out-detail/report.json"
fi
