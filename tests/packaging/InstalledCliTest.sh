#!/usr/bin/env bash
# Installs the build to a temporary prefix with a read-only Data/ and runs the installed
# convertor-cli as a user who cannot write there: the run must succeed on a per-user copy of the
# tables and leave the install folder as it was.
# Usage: InstalledCliTest.sh BUILD_DIR MEDIA_CLEARING_FILE INSTALL_DIR_BELOW_PREFIX
set -euo pipefail
build=$1 source=$2 below=$3
skip=77

as_user=()
if [ "$(id -u)" -eq 0 ]; then
  # Root writes read-only folders anyway: run as nobody.
  if command -v setpriv >/dev/null && id nobody >/dev/null 2>&1; then
    as_user=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
  elif command -v runuser >/dev/null && id nobody >/dev/null 2>&1; then
    as_user=(runuser -u nobody --)
  else
    echo "SKIP: running as root and neither setpriv nor runuser can drop to another user"
    exit $skip
  fi
fi

work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"
prefix=$work/prefix user=$work/user
cmake --install "$build" --prefix "$prefix" >/dev/null
programs=$prefix/$below
chmod -R a-w "$programs/Data"
mkdir -p "$user/home" "$user/out"
[ ${#as_user[@]} -eq 0 ] || chown -R nobody "$user"

# The header's effective date must not lie in the past.
{ head -c 30 "$source"; date -d '+2 days' +%d%m%Y; tail -c +39 "$source"; } >"$user/mcl.txt"
before=$(cd "$programs" && find . -type f -exec sha256sum {} + | sort)

set +e
output=$(cd "$user" && env -i PATH=/usr/bin:/bin HOME="$user/home" "${as_user[@]}" \
  "$prefix/bin/convertor-cli" convert --product MCL --company C0001 --source "$user/mcl.txt" \
  --dest "$user/out/bank.txt" 2>&1)
status=$?
set -e
fail() { echo "FAIL: $*"; echo "$output"; exit 1; }
[ $status -eq 0 ] || fail "convert exited with $status"
copy=$user/home/.local/share/convertor/Data
[ -f "$copy/zvb.db" ] && [ -f "$copy/Default.ini" ] || fail "no per-user copy in $copy"
cmp -s "$copy/zvb.db" "$programs/Data/zvb.db" && fail "the new banks and branches did not reach the per-user tables"
after=$(cd "$programs" && find . -type f -exec sha256sum {} + | sort)
[ "$before" = "$after" ] || fail "the install folder changed"
verify=$("$prefix/bin/convertor-cli" verify "$user/out/bank.txt") || fail "verify: $verify"
echo "PASS"
