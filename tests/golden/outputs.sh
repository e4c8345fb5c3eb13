#!/usr/bin/env bash
# Converts every file of tests/data with convertor-cli under a fixed date and prints one line per
# output: case, file, SHA-1 of its content. An archive is listed by its entries' contents, since
# its own bytes carry the time the entry was packed.
# usage: outputs.sh CLI SEED_DB REPORT_DIR TEST_DATA_DIR
set -euo pipefail
cli=$(realpath "$1") seed=$(realpath "$2") reports=$(realpath "$3") data=$(realpath "$4")
work=$(mktemp -d)
if [ -n "${KEEP:-}" ]; then echo "outputs kept in $work" >&2; else trap 'rm -rf "$work"' EXIT; fi
export TZ=UTC FAKETIME_DONT_RESET=1

run_case() {  # name, then convert options with paths relative to tests/data
    local name=$1
    shift
    local home=$work/$name
    mkdir -p "$home/Data" "$home/out"
    ln -s "$data" "$home/in"
    printf '[ReFormat]\r\nDCP=TRUE\r\nPAY=TRUE\r\nMCL=TRUE\r\nMCP=TRUE\r\nDefault=\r\nDefaultBranchCode=TRUE\r\nPrint=T\r\n' \
        >"$home/Data/Default.ini"
    cp "$seed" "$home/Data/zvb.db"
    ln -s "$reports" "$home/Report"
    local status=0
    (cd "$home" && faketime '2025-03-01 10:00:00' "$cli" convert "$@" --dest out/bank.txt --home . --report report.json >"$home/stdout" 2>"$home/stderr") || status=$?
    echo "$name exit $status"
    echo "$name stdout $(sha1sum <"$home/stdout" | cut -c1-40)"
    echo "$name stderr $(sha1sum <"$home/stderr" | cut -c1-40)"
    [ -f "$home/report.json" ] && echo "$name report.json $(sha1sum <"$home/report.json" | cut -c1-40)"
    local file
    for file in $(cd "$home/out" && ls | sort); do
        if [[ $file == *.zip ]]; then
            local entry
            for entry in $(unzip -Z1 "$home/out/$file"); do
                echo "$name $file:$entry $(unzip -p "$home/out/$file" "$entry" | sha1sum | cut -c1-40)"
            done
        else
            echo "$name $file $(sha1sum <"$home/out/$file" | cut -c1-40)"
        fi
    done
}

account=(--debit 1234567896 --fee 1234567896)
for file in "$data"/dcp/*.txt; do
    file=in/dcp/$(basename "$file")
    base=$(basename "$file" .txt)
    run_case "dcp-$base" --product DCP --company ACME01 "${account[@]}" --source "$file"
    run_case "dcp-$base-detail" --product DCP --company ACME01 "${account[@]}" --source "$file" --print-detail
done
run_case pay-nine --product PAY --company PAYCO "${account[@]}" --source in/dcp/nine.txt
run_case pay-eleven-detail --product PAY --company PAYCO "${account[@]}" --source in/dcp/eleven.txt --print-detail
for file in "$data"/mcl/*.txt; do
    file=in/mcl/$(basename "$file")
    base=$(basename "$file" .txt)
    run_case "mcl-$base" --product MCL --company C0001 --source "$file"
    run_case "mcl-$base-detail" --product MCL --company C0001 --source "$file" --print-detail
done
for base in basic mismatch single; do
    run_case "mcp-$base" --product MCP --company ACME01 --source "in/mcp/$base.txt" \
        --invoice "in/mcp/${base}_inv.txt"
    run_case "mcp-$base-detail" --product MCP --company ACME01 --source "in/mcp/$base.txt" \
        --invoice "in/mcp/${base}_inv.txt" --print-detail
done
