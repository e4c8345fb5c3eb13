#!/usr/bin/env bash
# Builds and runs the report benchmark over the paged path: for each product's detail report and
# each size, the time from the hand-over to the first and the last page, the slowest of 20 pages
# at random, the PDF and the peak memory. SIZES and PRODUCTS choose a part of it; NO_PDF_OVER
# leaves the PDF out above that many rows.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target report_bench delivered_data seed_database >/dev/null
out="$build/bench-out"
mkdir -p "$out"
echo "| report | rows | pages | copy s | copy MiB | first page s | last page s | any page s | PDF s | window MiB |"
echo "|--------|------|-------|--------|----------|--------------|-------------|------------|-------|------------|"
for product in ${PRODUCTS:-DCP MCL MCP}; do
    for rows in ${SIZES:-10000 100000 999999}; do
        extra=()
        if [[ -n "${NO_PDF_OVER:-}" && "$rows" -gt "$NO_PDF_OVER" ]]; then
            extra=(--no-pdf)
        fi
        QT_QPA_PLATFORM=offscreen "$build/tools/report_bench" "$build/bin/Report" "$build/seed/zvb.db" "$out" \
            "$product" "$rows" "${extra[@]}" |
            awk '{ printf "| %s | %s | %s | %s | %s | %s | %s | %s | %s | %s |\n", $1, $2, $3, $4, $5, $6, $7, $8, $9, $10 }'
    done
done
rm -f "$out/report_bench.pdf"
