# Shared by scripts/run, scripts/test and scripts/screenshots: sourced, not run.
# Installs what is missing, builds, and prepares Wine on an X display.

set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
WINE="/usr/lib/wine/wine64"

log() { printf '\033[1m==> %s\033[0m\n' "$*" >&2; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Debian packages the build and the tests need. xvfb only where there is no display to use.
PACKAGES=(cmake ninja-build g++ libgtest-dev googletest libbenchmark-dev
          g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
          wine64 locales fonts-wqy-microhei fonts-wine xdotool xclip x11-utils imagemagick
          clang-14 libclang-rt-14-dev)

install_packages() {
  local wanted=("${PACKAGES[@]}" "$@") missing=()
  if [ -z "${DISPLAY:-}" ]; then wanted+=(xvfb); fi
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    log "installing ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
      "${missing[@]}" >/dev/null
  fi
  # zh_CN.UTF-8 gives Wine the ANSI code page 936 (GBK).
  if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    log "generating the zh_CN.UTF-8 locale"
    as_root sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
  fi
}

build_native() {
  log "building the native core, tests and benchmarks"
  cmake --preset native -S "$ROOT" >/dev/null
  cmake --build --preset native -j 2
}

# The native suite again under AddressSanitizer with UndefinedBehaviorSanitizer, and under
# ThreadSanitizer: the runs share word lists and the result box across threads.
test_sanitized() {
  local preset
  for preset in native-asan native-tsan; do
    log "native tests under $preset"
    cmake --preset "$preset" -S "$ROOT" >/dev/null
    cmake --build --preset "$preset" -j 2
    ASAN_OPTIONS=detect_leaks=1 TSAN_OPTIONS=halt_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --preset "$preset" -j 2
  done
}

# Every fuzz target for WC_FUZZ_SECONDS (30 by default), two at a time, each from a copy of its
# committed corpus under build/fuzz so that a run leaves the repository as it was. A crash or
# a disagreement with a reference fails the run; its input is kept beside the target's log.
test_fuzz() {
  local seconds="${WC_FUZZ_SECONDS:-30}" runs="$BUILD/fuzz/runs" failed=0 corpus target
  local -a pids=() targets=()
  log "fuzzing each target for $seconds s"
  cmake --preset fuzz -S "$ROOT" >/dev/null
  cmake --build --preset fuzz -j 2
  rm -rf "$runs"
  for corpus in "$ROOT"/fuzz/corpus/*/; do
    target="$(basename "$corpus")"
    mkdir -p "$runs/$target"
    cp -r "$corpus" "$runs/$target/corpus"
    if [ ${#pids[@]} -ge 2 ]; then
      fuzz_report "${targets[0]}" "${pids[0]}" "$runs" || failed=1
      pids=("${pids[@]:1}") targets=("${targets[@]:1}")
    fi
    "$BUILD/fuzz/${target}_fuzz" -max_total_time="$seconds" -artifact_prefix="$runs/$target/" \
      "$runs/$target/corpus" >"$runs/$target/log" 2>&1 &
    pids+=($!) targets+=("$target")
  done
  for i in "${!pids[@]}"; do fuzz_report "${targets[$i]}" "${pids[$i]}" "$runs" || failed=1; done
  return "$failed"
}

# Waits for one fuzz target and prints its line: the executions it made, or why it failed.
fuzz_report() {
  local target="$1" pid="$2" log="$3/$1/log"
  if wait "$pid"; then
    printf '%-18s %s\n' "$target" "$(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log")" >&2
    return 0
  fi
  tail -n 30 "$log" >&2
  log "$target FAILED: its log and failing input are in $3/$target/"
  return 1
}

build_windows() {
  log "building WordCombiner.exe and its tests with MinGW-w64"
  cmake --preset windows -S "$ROOT" >/dev/null
  cmake --build --preset windows -j 2
}

# An X display for Wine: the user's own, or a private Xvfb when there is none (or in CI).
XVFB_PID=""
start_display() {
  if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ] && [ -z "${WC_FORCE_XVFB:-}" ]; then return; fi
  local out
  out="$(mktemp)"
  Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$out" 2>/dev/null &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$out" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(tr -dc 0-9 <"$out")"
  rm -f "$out"
  log "Xvfb on $DISPLAY"
}

stop_display() {
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null || true; wait "$XVFB_PID" 2>/dev/null || true; fi
  XVFB_PID=""
}

# A Wine prefix of the project's own, ready for tests: Chinese locale, Wine-drawn frames,
# a crash that fails at once instead of waiting in a dialog, and a wineserver kept alive so
# that Wine's helpers do not hold ctest's pipes.
wine_env() {
  export WINEPREFIX="${WINEPREFIX:-$BUILD/wineprefix}"
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe="
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
}

start_wine() {
  wine_env
  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then log "creating the Wine prefix $WINEPREFIX"; fi
  # A server left from an earlier run would keep a desktop bound to a display that is gone.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  # The server first, kept alive: Wine's own background processes then start under it with
  # no inherited pipes, instead of starting with the first test and holding ctest's output.
  wineserver -p </dev/null >/dev/null 2>&1
  "$WINE" wineboot --init </dev/null >/dev/null 2>&1
  "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Debugger /t REG_SZ /d no-such-debugger.exe /f </dev/null >/dev/null 2>&1
  # Wine draws the frames itself, and waits for no window manager: on a bare Xvfb a managed
  # window's hiding waits two seconds for an acknowledgement that never comes.
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f \
    </dev/null >/dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    </dev/null >/dev/null 2>&1
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
}

stop_wine() {
  wine_env
  wineserver -k 2>/dev/null || true
  timeout 20 wineserver -w 2>/dev/null || true
}
