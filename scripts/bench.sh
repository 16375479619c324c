#!/usr/bin/env bash
# Builds and runs the benchmarks on a virtual display in a private Wine prefix and prints
# their figures:
#   scripts/bench.sh picks [PICKS]                    the cost of one pick, split into its parts,
#                                                     and of the profile look-up at a pick's start;
#                                                     then at 600 % with the grid and a mark
#   scripts/bench.sh freeze [RUNS]                    F in a keyboard pick at 1280 x 1024 and at
#                                                     3840 x 2160: time to the still picture on
#                                                     the screen, working set around the pick
#   scripts/bench.sh view [RUNS]                      the colour-blindness view at 1280 x 1024 and
#                                                     3840 x 2160: menu choice to the view on the
#                                                     screen, a switch of vision, working set
#   scripts/bench.sh longrun [PICKS] [DIALOGS] [CYCLES] [MENUS]  objects and memory over a long session
#   scripts/bench.sh dialogs [COUNT1] [COUNT2]        growth per opening of the Save colour dialog,
#                                                     and of a bare program making the same calls
#                                                     with some of them left out
#   scripts/bench.sh store [RUNS] [ENTRIES...]       My colours (open, to the end, delete, objects,
#                                                     working set) and the contrast dialog with
#                                                     stores of 2, 3000, 20000 and 100000 entries
#   scripts/bench.sh variations [RUNS]                the variations dialog: menu choice to painted,
#                                                     allocations while the selection moves
#   scripts/bench.sh startup [RUNS]                   time to the painted window and working set
#                                                     of the release program against the floor
#                                                     (the same windows, no logic), in turn
#   scripts/bench.sh vision [RUNS]                    the vision filter on Linux: its tables'
#                                                     build and ns a pixel of a 3840 x 2160 picture
#   scripts/bench.sh suggestions [RUNS]               the contrast dialog's four suggestions of
#                                                     some pairs, us a pair: the Windows program's
#                                                     core under Wine, then the Linux build's
#   scripts/bench.sh convert [RUNS]                   Quillora.exe --convert, start to exit (the
#                                                     release program; --version for comparison)
#   scripts/bench.sh hostile [RUNS] [CAP]             writes of a settings file with 1000, 10000
#                                                     and 100000 lines in [RECENT] that do not read
#                                                     and 20000 saved colours, 8-bit and UTF-16:
#                                                     ms a write, each size cut off after CAP s
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
# Pure core: built and run on Linux, no Wine needed.
if [ "${1:-}" = vision ]; then
  [ -f build/host/CMakeCache.txt ] || cmake -S . -B build/host -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build/host --target vision_bench >/dev/null
  exec build/host/tests/vision_bench "${2:-20}"
fi
./scripts/setup.sh
./scripts/build.sh >/dev/null
source scripts/wine-env.sh
work=$(mktemp -d /tmp/quillora-bench.XXXXXX)
trap 'quillora_cleanup; rm -rf "$work"' EXIT
quillora_start_display
quillora_make_prefix "$work/prefix"
wineserver -p
wine build/windows/tests/probe.exe gone NoSuchWindowClass 0 </dev/null >/dev/null 2>&1
case "${1:-picks}" in
  picks)
    # The monitor gets a wide-gamut profile, so that picks convert through a real one and the
    # look-up at a pick's start has a file to find.
    color_dir="$WINEPREFIX/drive_c/windows/system32/spool/drivers/color"
    mkdir -p "$color_dir"
    cp /usr/share/color/argyll/ref/DisplayP3.icm "$color_dir/"
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\ICM\mntr' /v DisplayP3.icm /t REG_SZ /d "" /f >/dev/null 2>&1
    wine build/windows/tests/pick_bench.exe "${2:-2000}" | tr -d '\r'
    for mode in 600 grid; do
      echo "== $mode: at 600 %$([ $mode = grid ] && echo ', with the grid and a mark')"
      wine build/windows/tests/pick_bench.exe $mode "${2:-2000}" | tr -d '\r'
    done ;;
  freeze|view)
    for screen in 1280x1024x24 3840x2160x24; do
      quillora_cleanup
      QUILLORA_SCREEN=$screen quillora_start_display
      wineserver -p
      wine build/windows/tests/pick_bench.exe "${1/view/vision}" "${2:-10}" </dev/null | tr -d '\r'
    done ;;
  longrun) wine build/windows/tests/long_run.exe "${2:-100000}" "${3:-500}" "${4:-200}" "${5:-100}" | tr -d '\r' ;;
  dialogs)
    counts=("${2:-500}" "${3:-2000}")
    # The programs read their own Unix-side heap through this process id (exec keeps it).
    run() { (export QUILLORA_UNIX_PID=$BASHPID; exec wine "$@" </dev/null) | tr -d '\r'; }
    run build/windows/tests/dialog_bench.exe "${counts[@]}"
    run build/windows/tests/dialog_bench.exe "${counts[@]}" thread | tail -n +3
    for words in "" thread nopaint nofonts nolabels noprops nosubclass noedits nobuttons nopanel \
                 nochildren noenable noforeground notexts reuse noshow toplevel; do
      # shellcheck disable=SC2086
      run build/windows/tests/bare_dialog.exe "${counts[@]}" $words | tail -n +3
    done ;;
  store) wine build/windows/tests/dialog_bench.exe store "${@:2}" </dev/null | tr -d '\r' ;;
  variations) wine build/windows/tests/dialog_bench.exe variations "${@:2}" </dev/null | tr -d '\r' ;;
  suggestions)
    echo "Windows program's core, under Wine:"
    wine build/windows/tests/suggestions_bench.exe "${2:-50}" </dev/null | tr -d '\r'
    cmake --build build/host --target suggestions_bench >/dev/null
    echo "Linux build:"
    build/host/tests/suggestions_bench "${2:-50}" ;;
  convert)
    # Each run a new process, as a script starts it; the median and the range in ms.
    exe=build/windows/release/Quillora.exe
    for args in "--version" "--convert #FF8000 --format oklch" "--convert rgb(255,128,0) --format name"; do
      times=()
      for ((i = 0; i < ${2:-15}; i++)); do
        start=$(date +%s%N)
        wine "$exe" $args >/dev/null
        times+=($(( ($(date +%s%N) - start) / 1000000 )))
      done
      sorted=($(printf '%s\n' "${times[@]}" | sort -n))
      echo "$args: median ${sorted[$(( ${#sorted[@]} / 2 ))]} ms (${sorted[0]}..${sorted[-1]}), ${#sorted[@]} runs"
    done ;;
  hostile)
    cap=${3:-600}
    for encoding in 8-bit utf16; do
      echo "== $encoding file: median ms of ${2:-3} runs; left: [RECENT] lines after the later write"
      printf '%7s %6s %10s %10s %10s %10s %5s\n' junk MiB "first" later delete zoom left
      for junk in 1000 10000 100000; do
        # shellcheck disable=SC2046
        timeout "$cap" wine build/windows/tests/rewrite_bench.exe "$junk" "${2:-3}" \
          $([ $encoding = utf16 ] && echo utf16) </dev/null | tr -d '\r' ||
          echo " (did not finish within $cap s)"
      done
    done ;;
  startup)
    b=build/windows
    floor=$(winepath -w $b/tests/floor.exe)
    wine $b/tests/startup_bench.exe "${2:-15}" floor "$floor" QuilloraFloor -- \
      "bare window" "$floor" QuilloraFloor bare -- \
      Quillora "$(winepath -w $b/release/Quillora.exe)" TfrmMain -- \
      "Quillora, debug info" "$(winepath -w $b/Quillora.exe)" TfrmMain </dev/null | tr -d '\r' ;;
  *) echo "usage: scripts/bench.sh picks [PICKS] | freeze [RUNS] | view [RUNS] | longrun [PICKS] [DIALOGS] [CYCLES] | dialogs [COUNT1] [COUNT2] | store [RUNS] [ENTRIES...] | variations [RUNS] | startup [RUNS] | vision [RUNS] | suggestions [RUNS] | convert [RUNS] | hostile [RUNS] [CAP]" >&2; exit 2 ;;
esac
