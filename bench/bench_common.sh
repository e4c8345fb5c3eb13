# Shared by the benchmark scripts: time a conversion and, in the same run, the baseline
# "sha1sum of the bank file plus cat of it into a new file".
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BIN="${BUILD_DIR:-$ROOT/build}/bin"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

seconds() { date +%s.%N; }

# bench_conversion NAME BANKFILE convertor-cli-args...
bench_conversion() {
  local name=$1 bank=$2
  shift 2
  local start end convert baseline peak
  start=$(seconds)
  /usr/bin/time -v -o "$WORK/time.txt" "$BIN/convertor-cli" "$@" >"$WORK/stdout" || {
    cat "$WORK/stdout"
    echo "conversion failed" >&2
    exit 1
  }
  end=$(seconds)
  convert=$(echo "$end - $start" | bc -l)
  peak=$(awk -F: '/Maximum resident/ {gsub(/ /, "", $2); print $2}' "$WORK/time.txt")
  "$BIN/convertor-cli" verify "$bank" >/dev/null

  sync
  start=$(seconds)
  sha1sum "$bank" >/dev/null
  cat "$bank" >"$WORK/copy.txt"
  end=$(seconds)
  baseline=$(echo "$end - $start" | bc -l)
  rm -f "$WORK/copy.txt"

  printf '%s: %d lines in the bank file, %s bytes\n' "$name" "$(wc -l <"$bank")" "$(stat -c %s "$bank")"
  printf '  conversion          %6.2f s, peak memory %s KiB\n' "$convert" "$peak"
  printf '  sha1sum + cat       %6.2f s\n' "$baseline"
  printf '  ratio               %6.2f\n' "$(echo "$convert / $baseline" | bc -l)"
}

# A fresh program directory, so each run starts from the delivered database (conversions add
# rows to the tables).
fresh_home() {
  rm -rf "$WORK/home"
  mkdir -p "$WORK/home"
  cp -r "$BIN/Data" "$BIN/Report" "$WORK/home/"
}
