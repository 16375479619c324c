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
if ! $SUDO apt-get update -qq; then
  echo "setup: apt-get update failed; check the package sources" >&2; exit 1
fi
if ! $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/tmp/quillora-setup.log 2>&1; then
  tail -n 30 /tmp/quillora-setup.log >&2
  echo "setup: apt-get install failed for: ${missing[*]} (full log: /tmp/quillora-setup.log)" >&2
  exit 1
fi

still=()
for pkg in "${missing[@]}"; do [ -e "${WANT[$pkg]}" ] || still+=("$pkg:${WANT[$pkg]}"); done
if [ ${#still[@]} -ne 0 ]; then
  echo "setup: installed, but these files are still missing: ${still[*]}" >&2; exit 1
fi
echo "setup: done"
