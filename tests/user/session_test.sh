#!/usr/bin/env bash
# A user's session with WordCombiner.exe, driven from outside the program through the X server
# as a hand on the mouse and keyboard would drive it: Chinese words pasted from the clipboard,
# boxes ticked, a count typed, the run watched on the bar, the result exported and its bytes
# checked, then Esc. Needs DISPLAY and the Wine environment of scripts/common.sh.
#
# usage: session_test.sh WordCombiner.exe WINE-LOADER DIRECTORY-FOR-THE-FAILURE-SCREENSHOT
set -euo pipefail

exe="$1"
wine="$2"
shots="$3"
title='青禾词语组合器 V1.0'

work="$(mktemp -d)"
program_pid=""
window=""

fail() {
  echo "FAILED: $*" >&2
  mkdir -p "$shots"
  import -display "$DISPLAY" -window root "$shots/user-session-failure.png" 2>/dev/null &&
    echo "screenshot of the failure: $shots/user-session-failure.png" >&2
  exit 1
}

cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# The program writes its export file beside itself, so it runs from a folder of this test's own.
cp "$exe" "$work/"
export_file="$work/青禾词语组合导出结果.txt"

(cd "$work" && exec "$wine" WordCombiner.exe) &
program_pid=$!

for _ in $(seq 300); do
  window="$(xdotool search --name "^$title\$" 2>/dev/null | head -1 || true)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "the main window did not appear"
sleep 1  # let it paint

# Wine draws the frame itself: a 3-pixel fixed frame and a 19-pixel caption above the client
# area, whose coordinates the window's layout uses.
eval "$(xdotool getwindowgeometry --shell "$window")"
client_x=$((X + 3))
client_y=$((Y + 22))

focus_main() { xdotool windowfocus --sync "$window"; }

# A click at a point of the client area. Clicks keep apart in time, so that two of them on one
# spot never make a double click.
click() {
  focus_main
  xdotool mousemove --sync $((client_x + $1)) $((client_y + $2)) click 1
  sleep 0.6
}

pixel() {
  import -display "$DISPLAY" -window root -crop "1x1+$((client_x + $1))+$((client_y + $2))" \
    -depth 8 txt:- 2>/dev/null | tail -1 | grep -o '#[0-9A-F]\{6\}'
}

# Pastes UTF-8 text into the box at (x, y) through the clipboard, as a user copying words
# from another program does; Wine hands the box GBK text with CR LF line breaks.
paste_into() {
  local x=$1 y=$2 text=$3
  printf '%s' "$text" | xclip -selection clipboard -quiet >/dev/null 2>&1 &
  local clip=$!
  sleep 0.3
  click "$x" "$y"
  xdotool key ctrl+v
  sleep 0.5
  kill "$clip" 2>/dev/null || true
  wait "$clip" 2>/dev/null || true
}

type_count() {
  click 425 485  # 编辑框_输出条数
  xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
  xdotool type --delay 50 "$1"
}

# The notice "提示" comes up, and the user presses Enter on it.
close_notice() {
  local box=""
  for _ in $(seq 100); do
    box="$(xdotool search --name '^提示$' 2>/dev/null | head -1 || true)"
    [ -n "$box" ] && break
    sleep 0.1
  done
  [ -n "$box" ] || fail "no notice came up after $1"
  sleep 0.3
  xdotool windowfocus --sync "$box"
  xdotool key Return
  for _ in $(seq 100); do
    xdotool search --name '^提示$' >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the notice after $1 did not close on Enter"
}

# The bar's right end turns from white to the bar's colour once every pass is made.
bar_right_end_empty() { [ "$(pixel 505 589)" = "#FFFFFF" ]; }
wait_for_full_bar() {
  for _ in $(seq 600); do
    bar_right_end_empty || return 0
    sleep 0.1
  done
  fail "the bar did not fill"
}

# The export file: GBK text (a round trip through UTF-8 gives the same bytes), CR LF after
# every line and nowhere else, `lines` lines, each one word of every taking-part column in
# column order. Leaves the file's lines, as UTF-8, in $work/lines.
check_export() {
  local lines=$1 pattern=$2
  [ -f "$export_file" ] || fail "no export file"
  iconv -f GBK -t UTF-8 <"$export_file" >"$work/utf8" || fail "the export file is not GBK text"
  iconv -f UTF-8 -t GBK <"$work/utf8" | cmp -s - "$export_file" ||
    fail "the export file does not survive a GBK round trip"
  local lf cr crlf
  lf=$(tr -cd '\n' <"$export_file" | wc -c)
  cr=$(tr -cd '\r' <"$export_file" | wc -c)
  crlf=$(grep -c $'\r$' "$export_file" || true)
  [ "$lf" -eq "$lines" ] || fail "expected $lines lines, the file has $lf"
  [ "$cr" -eq "$lines" ] && [ "$crlf" -eq "$lines" ] || fail "line ends other than CR LF"
  [ "$(tail -c 2 "$export_file" | od -An -tx1 | tr -d ' ')" = "0d0a" ] ||
    fail "the last line has no CR LF"
  tr -d '\r' <"$work/utf8" >"$work/lines"
  local bad
  bad=$(grep -cvxE "$pattern" "$work/lines" || true)
  [ "$bad" -eq 0 ] || fail "$bad lines are not one word of each column in order: $(grep -vxE "$pattern" "$work/lines" | head -3 | tr '\n' ' ')"
}

# Columns 1 to 3; column 4 stays empty.
paste_into 84 150 $'苹果\n香蕉\n橙子\n'
paste_into 260 150 $'手机\n电脑\n平板\n耳机\n'
paste_into 84 420 $'批发\n零售\n'
click 234 57  # 选择框_第二列
click 58 326  # 选择框_第三列
pattern='(苹果|香蕉|橙子)(手机|电脑|平板|耳机)(批发|零售)'

# A run of 500 lines, exported.
type_count 500
bar_right_end_empty || fail "the bar is not empty before the run"
click 432 532  # 按钮_输出 "随机组合"
wait_for_full_bar
click 436 448  # 按钮_导出
close_notice "the export"
check_export 500 "$pattern"
echo "exported 500 lines, GBK with CR LF, every line one word of columns 1, 2 and 3"

# Reset, then the same with de-duplication: 24 combinations, so 1000 passes leave each once.
click 486 447  # 按钮_重置
bar_right_end_empty || fail "reset left the bar full"
click 467 484  # 选择框_去重
close_notice "ticking 去重"
type_count 1000
click 432 532
wait_for_full_bar
click 436 448
close_notice "the export"
check_export 24 "$pattern"
duplicates=$(sort "$work/lines" | uniq -d | wc -l)
[ "$duplicates" -eq 0 ] || fail "$duplicates lines appear more than once with 去重 ticked"
echo "with 去重: all 24 combinations, each once"

# Esc closes the program, which ends with 0. The closed notice left no window active, so the
# user clicks the main window first, on a label that does nothing.
click 400 60  # 标签_输出结果
xdotool key Escape
code=0
for _ in $(seq 100); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && fail "Esc did not close the program"
wait "$program_pid" || code=$?
program_pid=""
[ "$code" -eq 0 ] || fail "the program ended with $code"
echo "Esc closed the program; exit code 0"
