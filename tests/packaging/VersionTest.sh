#!/usr/bin/env bash
# Both programs answer --version with the project's version and exit 0, without a display and
# without a subcommand; the packaged changelog's latest entry names the same version.
# Usage: VersionTest.sh VERSION CHANGELOG CONVERTOR_CLI [CONVERTOR]
set -euo pipefail
version=$1 changelog=$2 cli=$3 gui=${4:-}
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect NAME COMMAND...: prints "NAME VERSION" and exits 0, with no display to connect to.
expect() {
  local name=$1 output status=0
  output=$(env -i PATH=/usr/bin:/bin HOME="${HOME:-/tmp}" "${@:2}" 2>&1) || status=$?
  [ "$status" -eq 0 ] || fail "$* exited with $status: $output"
  [ "$output" = "$name $version" ] || fail "$*: printed '$output', not '$name $version'"
}
expect convertor-cli "$cli" --version
if [ -n "$gui" ]; then
  expect convertor "$gui" --version
  help=$(env -i PATH=/usr/bin:/bin "$gui" --help 2>&1) || fail "convertor --help exited with $?: $help"
  grep -q '^Usage: convertor ' <<<"$help" || fail "convertor --help shows no usage: $help"
fi

# The CLI contract stays: a subcommand is still required, and a missing one is a usage error.
status=0
"$cli" >/dev/null 2>&1 || status=$?
[ "$status" -eq 64 ] || fail "convertor-cli without a subcommand exited with $status, not 64"

head=$(head -n 1 "$changelog")
[[ "$head" == "convertor ($version) "* ]] ||
  fail "the latest entry of packaging/changelog is '$head', not version $version: add an entry"

[ "$failures" -eq 0 ] || exit 1
echo "PASS"
