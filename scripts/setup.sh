#!/usr/bin/env bash
# Installs what building, testing and packaging Quillora need on Debian 12, and nothing when all is
# there. Safe to run again; fails loudly with the reason when a package cannot be installed.
set -euo pipefail

# Debian package -> a file that proves it is installed. Checking files instead of asking
# dpkg for every package keeps the common case (everything present) well under a second.
declare -A WANT=(
  [g++-mingw-w64-i686-posix]=/usr/bin/i686-w64-mingw32-g++-posix
  [gcc-mingw-w64-i686-posix]=/usr/bin/i686-w64-mingw32-gcc-posix
  [binutils-mingw-w64-i686]=/usr/bin/i686-w64-mingw32-windres
  [wine]=/usr/bin/wine
  [wine32:i386]=/usr/lib/wine/wine
  [xvfb]=/usr/bin/Xvfb
  [xserver-xephyr]=/usr/bin/Xephyr
  [xdotool]=/usr/bin/xdotool
  [xclip]=/usr/bin/xclip
  [x11-utils]=/usr/bin/xwininfo
  [x11-xserver-utils]=/usr/bin/xsetroot
  [imagemagick]=/usr/bin/import
  [fonts-wqy-microhei]=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
  [googletest]=/usr/src/googletest/CMakeLists.txt
  [cmake]=/usr/bin/cmake
  [ninja-build]=/usr/bin/ninja
  [g++]=/usr/bin/g++
  [zlib1g-dev]=/usr/include/zlib.h
  [file]=/usr/bin/file
  [wixl]=/usr/bin/wixl
  [msitools]=/usr/bin/msiinfo
  [zip]=/usr/bin/zip
  [unzip]=/usr/bin/unzip
  [libxfixes3:i386]=/usr/lib/i386-linux-gnu/libXfixes.so.3
  [libxrender1:i386]=/usr/lib/i386-linux-gnu/libXrender.so.1
  [libxrandr2:i386]=/usr/lib/i386-linux-gnu/libXrandr.so.2
  [libxinerama1:i386]=/usr/lib/i386-linux-gnu/libXinerama.so.1
  [libxcursor1:i386]=/usr/lib/i386-linux-gnu/libXcursor.so.1
  [libxi6:i386]=/usr/lib/i386-linux-gnu/libXi.so.6
  [libxcomposite1:i386]=/usr/lib/i386-linux-gnu/libXcomposite.so.1
  [libxxf86vm1:i386]=/usr/lib/i386-linux-gnu/libXxf86vm.so.1
  # The colour-profile tests read these profiles; transicc made their expected values.
  [liblcms2-utils]=/usr/bin/transicc
  [argyll-ref]=/usr/share/color/argyll/ref/DisplayP3.icm
  [colord-data]=/usr/share/color/icc/colord/sRGB.icc
)

# The apt commands, one function each, so that a test can stand in for them.
apt_update()  { $SUDO apt-get update -qq; }
apt_install() { $SUDO apt-get install -y -qq --no-install-recommends "$@"; }
os_release=${QUILLORA_OS_RELEASE:-/etc/os-release}

# Brings the package lists up to date. A mirror caught mid-sync fails one index or another
# ("File has unexpected size ... Mirror sync in progress?") while apt keeps the rest: name the
# failed ones and go on. Any other failure of the update ends the set-up with apt's reason.
update_lists() {
  local out rc=0
  out=$(apt_update 2>&1) || rc=$?
  local failed
  failed=$(grep -oE '^[EW]: Failed to fetch [^ ]+' <<<"$out" | sed -E 's/^[EW]: Failed to fetch //') || true
  if [ -n "$failed" ]; then
    echo "setup: these package indexes failed to download and are skipped:" >&2
    sed 's/^/  /' <<<"$failed" >&2
    return 0
  fi
  [ $rc -eq 0 ] && return 0
  printf '%s\n' "$out" >&2
  echo "setup: apt-get update failed; check the package sources" >&2
  return 1
}

# The release's base suite, such as bookworm, from the os-release file.
base_suite() {
  (. "$os_release" 2>/dev/null && printf '%s' "${VERSION_CODENAME:-}")
}

# Installs the packages. When a partial update leaves the 32-bit packages on the base suite's
# versions and their 64-bit twins on newer ones, apt finds no solution ("held broken packages");
# a second try with the base suite as the target takes the versions that match.
install_packages() {
  local log=$1; shift
  apt_install "$@" >"$log" 2>&1 && return 0
  local suite
  suite=$(base_suite)
  if [ -n "$suite" ]; then
    echo "setup: apt-get install failed; trying once more with the base suite $suite as the target" >&2
    apt_install -t "$suite" "$@" >>"$log" 2>&1 && return 0
  fi
  grep -E '^E: ' "$log" >&2 || tail -n 30 "$log" >&2
  echo "setup: apt-get install failed for: $* (full log: $log)" >&2
  return 1
}

# Sourced by the set-up's own test, which brings its own apt commands: only the functions.
[ "${QUILLORA_SETUP_FUNCTIONS_ONLY:-}" = 1 ] && return 0

missing=()
for pkg in "${!WANT[@]}"; do
  [ -e "${WANT[$pkg]}" ] || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then SUDO=sudo; else
    echo "setup: missing packages: ${missing[*]}; run as root or install sudo" >&2; exit 1
  fi
else
  SUDO=
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
update_lists || exit 1
install_packages /tmp/quillora-setup.log "${missing[@]}" || exit 1

still=()
for pkg in "${missing[@]}"; do [ -e "${WANT[$pkg]}" ] || still+=("$pkg:${WANT[$pkg]}"); done
if [ ${#still[@]} -ne 0 ]; then
  echo "setup: installed, but these files are still missing: ${still[*]}" >&2; exit 1
fi
echo "setup: done"
