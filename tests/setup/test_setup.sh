#!/usr/bin/env bash
# The set-up's way through a failing mirror, with stand-in apt commands: each row gives what the
# update and the two installs return and what the set-up must do and say.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
SUDO=
QUILLORA_SETUP_FUNCTIONS_ONLY=1 source "$here/../../scripts/setup.sh"
set +e  # the set-up's own -e would end this test at its first failing row
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
printf 'NAME=Debian\nVERSION_CODENAME=trixie\n' >"$work/os-release"
os_release=$work/os-release

sync_error='E: Failed to fetch http://mirror/debian-security/dists/x-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?
E: Some index files failed to download. They have been ignored, or old ones used instead.'
broken='E: Unable to correct problems, you have held broken packages.'

# Stand-ins: the update's exit code and text come from the row; an install succeeds when the row
# says so for a plain install (plain) or one aimed at a suite (target), and logs its arguments.
apt_update() { printf '%s\n' "$update_out"; return "$update_rc"; }
apt_install() {
  echo "install $*" >>"$work/calls"
  if [ "$1" = -t ]; then [ "$target_ok" = 1 ] && return 0; else [ "$plain_ok" = 1 ] && return 0; fi
  echo "$broken"; return 100
}

failures=0
check() {  # row name, update rc, update text, plain ok, target ok, expected rc, expected calls, expected words
  local name=$1 want_rc=$6 want_calls=$7 want_words=$8
  update_rc=$2 update_out=$3 plain_ok=$4 target_ok=$5
  : >"$work/calls"
  (update_lists && install_packages "$work/log" wine xclip) >"$work/out" 2>&1
  local rc=$? calls
  calls=$(tr '\n' '|' <"$work/calls")
  if [ $rc -ne "$want_rc" ] || [ "$calls" != "$want_calls" ] || { [ -n "$want_words" ] && ! grep -qF -- "$want_words" "$work/out"; }; then
    echo "FAIL $name: rc $rc (want $want_rc), calls '$calls' (want '$want_calls'), output:"
    sed 's/^/  /' "$work/out"; echo "  (wanted to see: $want_words)"
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
}

check "all indexes fine"     0 ""              1 0 0 "install wine xclip|" ""
check "one index failed"     100 "$sync_error" 1 0 0 "install wine xclip|" \
  "skipped:
  http://mirror/debian-security/dists/x-security/main/binary-i386/Packages.xz"
check "base suite works"     100 "$sync_error" 0 1 0 "install wine xclip|install -t trixie wine xclip|" \
  "trying once more with the base suite trixie"
check "both installs fail"   100 "$sync_error" 0 0 1 "install wine xclip|install -t trixie wine xclip|" \
  "$broken"
check "update fails outright" 100 "E: Malformed entry 1 in list file" 1 1 1 "" \
  "E: Malformed entry 1 in list file"

[ $failures -eq 0 ]
