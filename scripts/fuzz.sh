#!/usr/bin/env bash
# Fuzzes the pure core on Linux: libFuzzer targets built with AddressSanitizer and
# UndefinedBehaviorSanitizer, one per parser that the settings file feeds, one per family
# of colour texts and one for colour profiles (tests/fuzz/Fuzz*.cpp).
#
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
#   SECONDS  how long each target runs (default 60)
#   TARGET   a name from tests/fuzz, e.g. FuzzColorLine (default: every target)
# Environment:
#   FUZZ_JOBS  targets run at a time (default 1)
#   FUZZ_NICE  niceness of the fuzzers (default 19: they yield to builds and tests)
#
# Everything lands under build/fuzz: the targets, a working corpus per target in
# build/fuzz/corpus/<target> (seeded from the small checked-in tests/fuzz/corpus/<target> and
# kept from run to run), logs in build/fuzz/logs and crashing inputs in
# build/fuzz/crashes/<target>. Replay a crash with: build/fuzz/<target> <crash file>
# Prints executions, executions per second, corpus size and the verdict per target; the exit
# status is non-zero when a target crashed or did not build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

seconds=${1:-60}
[ $# -gt 0 ] && shift
if ! [[ $seconds =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]" >&2; exit 2
fi
jobs=${FUZZ_JOBS:-1}
niceness=${FUZZ_NICE:-19}

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for f in tests/fuzz/Fuzz*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
for t in "${targets[@]}"; do
  [ -f "tests/fuzz/$t.cpp" ] || { echo "fuzz: no target tests/fuzz/$t.cpp" >&2; exit 2; }
done

# --- Compiler and sanitizer runtimes (Debian packages), installed only when missing ---
have_tools() {
  command -v clang++ >/dev/null &&
    compgen -G "/usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null
}
if ! have_tools; then
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "fuzz: clang missing; run as root or install sudo" >&2; exit 1; }
    sudo=sudo
  else
    sudo=
  fi
  echo "fuzz: installing clang and libclang-rt-14-dev"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq || { echo "fuzz: apt-get update failed" >&2; exit 1; }
  if ! $sudo apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev \
      >/tmp/quillora-fuzz-setup.log 2>&1; then
    tail -n 20 /tmp/quillora-fuzz-setup.log >&2
    echo "fuzz: apt-get install failed (log: /tmp/quillora-fuzz-setup.log)" >&2; exit 1
  fi
  have_tools || { echo "fuzz: clang or its fuzzer runtime still missing" >&2; exit 1; }
fi

# --- Build: the core (its rooms' .cpp files; the Windows halves, *.win.cpp, stay out), then the targets ---
out=build/fuzz
mkdir -p "$out/obj" "$out/logs"
flags=(-std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Icore)
echo "fuzz: building ${#targets[@]} target(s) into $out"
objects=()
for src in core/*/*.cpp; do
  [[ $src == *.win.cpp ]] && continue
  obj="$out/obj/$(basename "$src" .cpp).o"
  clang++ "${flags[@]}" -c "$src" -o "$obj"
  objects+=("$obj")
done
for t in "${targets[@]}"; do
  clang++ "${flags[@]}" "${objects[@]}" "tests/fuzz/$t.cpp" -o "$out/$t"
done

# --- Run ---
run_one() {  # target; runs in the background, and a TERM ends its fuzzer with it
  local t=$1 child= status=0
  trap '[ -n "$child" ] && kill "$child" 2>/dev/null; exit 143' TERM
  mkdir -p "$out/corpus/$t" "$out/crashes/$t"
  if [ -d "tests/fuzz/corpus/$t" ]; then cp -n "tests/fuzz/corpus/$t"/* "$out/corpus/$t"/ 2>/dev/null || true; fi
  nice -n "$niceness" "$out/$t" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
    -rss_limit_mb=1024 -artifact_prefix="$out/crashes/$t/" "$out/corpus/$t" \
    >"$out/logs/$t.log" 2>&1 &
  child=$!
  wait "$child" || status=$?
  echo "$status" >"$out/logs/$t.status"
}

# Stopping the script stops exactly the runs it started, and each run its own fuzzer.
runs=()
stop() {
  local p
  for p in "${runs[@]}"; do kill -TERM "$p" 2>/dev/null || true; done
  wait || true
  exit 130
}
trap stop INT TERM

echo "fuzz: ${seconds}s per target, $jobs at a time, nice $niceness"
for t in "${targets[@]}"; do
  rm -f "$out/logs/$t.status"
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_one "$t" &
  runs+=($!)
done
wait || true
trap - INT TERM

# --- Report ---
final_stat() {  # log, name
  sed -n "s/^stat::$2: *//p" "$1" | tail -n 1
}
failed=0
printf '%-20s %8s %14s %10s %8s  %s\n' target seconds executions exec/s corpus result
for t in "${targets[@]}"; do
  log="$out/logs/$t.log"
  status=$(cat "$out/logs/$t.status" 2>/dev/null || echo "?")
  execs=$(final_stat "$log" number_of_executed_units); execs=${execs:-?}
  rate=$(final_stat "$log" average_exec_per_sec); rate=${rate:-?}
  corpus=$(find "$out/corpus/$t" -type f | wc -l)
  crash=$(ls -t "$out/crashes/$t" 2>/dev/null | head -n 1)
  if [ "$status" = 0 ]; then
    result=ok
  else
    failed=1
    result="CRASH (exit $status)${crash:+: $out/crashes/$t/$crash}"
  fi
  printf '%-20s %8s %14s %10s %8s  %s\n' "$t" "$seconds" "$execs" "$rate" "$corpus" "$result"
done
if [ $failed -ne 0 ]; then
  echo "fuzz: a target crashed; its log is in $out/logs/<target>.log" >&2
fi
exit $failed
