#!/usr/bin/env bash
# Builds and runs the report benchmark: a 10,000-line detail report to HTML and to PDF.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target report_bench delivered_data >/dev/null
out="$build/bench-out"
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen "$build/tools/report_bench" "$build/bin/Report" "$out" "${1:-10000}"
