#!/usr/bin/env bash
# Makes what a Windows user downloads, from the release copy of the program
# (build/windows/release/Quillora.exe, without debug information):
#   dist/Quillora-<version>-win32.zip   Quillora/ with Quillora.exe, README.txt and LICENSE.txt
#   dist/Quillora-<version>.msi         the per-user installer (packaging/Quillora.wxs), the
#                                       same three files in the installed folder
# The version is project()'s in CMakeLists.txt, as the build wrote it.
#
#   scripts/package.sh [--version X.Y] [--out DIR] [--built]
#     --version  labels the packages with another version (the program inside is the same);
#                the upgrade test makes an older package with it
#     --out      the folder for the packages instead of dist/
#     --built    takes the program as it is in build/windows, without set-up or build: for the
#                build on Windows itself (.github/workflows/windows.yml), where neither applies
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

version= out="$root/dist" built=
while [ $# -gt 0 ]; do
  case "$1" in
    --version) version=${2:?}; shift 2 ;;
    --out) out=${2:?}; shift 2 ;;
    --built) built=1; shift ;;
    *) echo "usage: scripts/package.sh [--version X.Y] [--out DIR] [--built]" >&2; exit 2 ;;
  esac
done

if [ -z "$built" ]; then
  ./scripts/setup.sh
  ./scripts/build.sh >/dev/null || { echo "package: the build failed (run scripts/build.sh to see why)" >&2; exit 1; }
fi
exe=build/windows/release/Quillora.exe
[ -f "$exe" ] || { echo "package: $exe is missing" >&2; exit 1; }
if [ -z "$version" ]; then
  version=$(sed -n 's/^#define QUILLORA_VERSION_TEXT "\(.*\)"\r*$/\1/p' build/windows/generated/QuilloraVersion.h)
fi
[[ $version =~ ^[0-9]+(\.[0-9]+){1,2}$ ]] || { echo "package: '$version' is not a version such as 6.20" >&2; exit 1; }

stage=$(mktemp -d /tmp/quillora-package.XXXXXX)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/Quillora" "$out"
crlf() { sed 's/\r*$/\r/' "$@"; }   # the text files are for Notepad
cp "$exe" "$stage/Quillora/Quillora.exe"
crlf packaging/README.txt | sed "s/@VERSION@/$version/" >"$stage/Quillora/README.txt"
crlf LICENSE >"$stage/Quillora/LICENSE.txt"

zip="$out/Quillora-$version-win32.zip"
rm -f "$zip"
(cd "$stage" && zip -q -X -r "$zip" Quillora)

# The product code follows from the version: a package made again for the same version is the
# same product. wixl takes its sources by names relative to the folder it runs in.
hash=$(printf 'Quillora %s' "$version" | sha1sum | tr a-f A-F)
product="${hash:0:8}-${hash:8:4}-5${hash:13:3}-A${hash:17:3}-${hash:20:12}"
msi="$out/Quillora-$version.msi"
cp app/res/MAINICON.ico "$stage/Quillora.ico"
if ! (cd "$stage" && wixl -D Version="$version" -D ProductCode="$product" \
        -D ExeSource=Quillora/Quillora.exe -D ReadmeSource=Quillora/README.txt \
        -D LicenseSource=Quillora/LICENSE.txt \
        -D IconSource=Quillora.ico -o "$msi" "$root/packaging/Quillora.wxs") >"$stage/wixl.log" 2>&1; then
  cat "$stage/wixl.log" >&2
  echo "package: wixl could not make $msi" >&2; exit 1
fi
for f in "$zip" "$msi"; do
  echo "package: ${f#"$root"/} ($(stat -c %s "$f") bytes)"
done
