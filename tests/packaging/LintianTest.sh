#!/usr/bin/env bash
# Builds the DEB package with cpack into a temporary folder and runs lintian on it: no error and
# no warning, and the package holds its copyright, changelog and manual pages. Skipped (77)
# without lintian or dpkg-shlibdeps. Needs neither root nor the network.
# Usage: LintianTest.sh BUILD_DIR
set -euo pipefail
build=$1
skip=77
for tool in lintian dpkg-shlibdeps cpack; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (Debian package lintian, dpkg-dev)"; exit $skip; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1
fi
deb=$(ls "$work"/*.deb)

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Root is told it should not run lintian; that is all lintian says on stderr otherwise.
report=$(lintian --info "$deb" 2>&1 | grep -v '^running with root privileges' || true)
echo "$report"
grep -qE '^[EW]: ' <<<"$report" && fail "lintian reports errors or warnings"

contents=$(dpkg-deb -c "$deb")
for file in ./usr/share/doc/convertor/copyright ./usr/share/doc/convertor/changelog.gz \
            ./usr/share/man/man1/convertor-cli.1.gz; do
  grep -q " $file\$" <<<"$contents" || fail "the package lacks $file"
done
if grep -q ' ./usr/bin/convertor -> ' <<<"$contents"; then
  grep -q ' ./usr/share/man/man1/convertor.1.gz$' <<<"$contents" || fail "the package lacks convertor.1.gz"
fi
# CPack escapes some text for XML; the control file must show it as written.
description=$(dpkg-deb -f "$deb" Description)
grep -q '&[a-z]*;' <<<"$description" && fail "the description holds XML entities: $description"

[ "$failures" -eq 0 ] || exit 1
echo "PASS"
