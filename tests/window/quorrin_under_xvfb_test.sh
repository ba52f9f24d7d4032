#!/usr/bin/env bash
# The real quorrin in a private X server, driven with xdotool as a person
# would: the window appears with its title, centred, at its fixed size; it
# cannot be resized or maximised but can be minimised and restored; a link
# typed into 编辑框1 and a click on 按钮1 fill 编辑框2, read back through the
# clipboard; Esc closes the window and the program exits with status 0.
# Without a display it says so in one line and fails.
#
# Usage: quorrin_under_xvfb_test.sh BUILD_DIR
#
# Screenshots land in BUILD_DIR/window-test/. The click resolves against the
# stand-in service inside the end-to-end namespace (tests/e2e/lib) where one
# can be made; elsewhere quorrin runs in a network namespace with nothing but
# lo, every request fails, and 编辑框2 must come out empty. Nothing ever leaves
# the machine. Exits 77 (skipped) when a tool is missing.
#
# Needs: xvfb, xdotool, xclip, x11-utils (xprop, xwininfo), openbox (a window
# manager, which is what enforces the fixed size), imagemagick (import),
# fonts-wqy-microhei, util-linux (unshare).

set -uo pipefail

readonly build=$(realpath "${1:?usage: $0 BUILD_DIR}")
readonly here=$(dirname "$(realpath "$0")")
readonly quorrin=$build/src/platform/linux/quorrin
readonly shots=$build/window-test
readonly title=QuorrinbyHalvest

# The share link and the address the stand-in service gives for it.
readonly LINK="https://v.douyin.com/AbCdEf1/?u_code=1a2b&from=share"
readonly ADDRESS="https://video.cdn.test/tos/cn/video.mp4?a=1128&amp;br=1024&amp;title=短视频&amp;sig=%2Fab%3D"
readonly OFFLINE_LINK="https://v.douyin.com/Offline1/"

# Client-area positions of the controls, as the window's layout has them.
readonly EDIT1_AT="252 28" EDIT2_AT="264 84" BUTTON_AT="404 140"

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
failures=0

for tool in Xvfb xdotool xclip xprop xwininfo openbox import unshare; do
  command -v "$tool" >/dev/null || skip "needs $tool (packages xvfb xdotool xclip x11-utils openbox imagemagick util-linux)"
done
[ -x "$quorrin" ] || { echo "FAIL: $quorrin not built" >&2; exit 1; }

# --- no display: one line that points to quorrin-cli, a failing status ----

no_display=$(env -u DISPLAY timeout 10 "$quorrin" 2>&1 >/dev/null)
status=$?
if [ "$status" -eq 0 ] || [ "$status" -eq 124 ] || [ "$(wc -l <<<"$no_display")" -ne 1 ] ||
  [[ $no_display != *quorrin-cli* ]]; then
  fail "without a display: status $status, output '$no_display'"
fi

work=$(mktemp -d)
xvfb_pid="" wm_pid="" quorrin_pid="" window=""
cleanup() {
  # A window still open is closed through the X server, which ends quorrin
  # wherever it runs; then the servers this script started.
  [ -n "$window" ] && xdotool windowkill "$window" 2>/dev/null
  [ -n "$quorrin_pid" ] && wait "$quorrin_pid" 2>/dev/null
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$shots" "$work/home"

# Polls COMMAND for up to 10 seconds; true as soon as it succeeds.
eventually() {
  local tries=0
  until "$@"; do
    [ $((tries += 1)) -gt 100 ] && return 1
    sleep 0.1
  done
}

# --- the X server and a window manager -----------------------------------

# -displayfd: the server picks a free display number itself and writes it
# when it is ready for clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" \
  2>"$work/xvfb.err" &
xvfb_pid=$!
eventually test -s "$work/display" || { cat "$work/xvfb.err" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$work/display")

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
eventually wm_running || { echo "FAIL: the window manager did not start" >&2; exit 1; }

# --- starting quorrin ----------------------------------------------------

# Starts quorrin in the end-to-end namespace with the stand-in service up;
# quorrin_in_namespace returns quorrin's own exit status.
run_quorrin_against_stand_in_service() {
  quorrin_in_namespace "$work/service" "$quorrin" &
  quorrin_pid=$!
}

# Starts quorrin with no network but lo: every request fails at once.
run_quorrin_offline() {
  env HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" \
    unshare "${offline_flags[@]}" -- "$quorrin" &
  quorrin_pid=$!
}

mode=""
if [ -r "$here/../e2e/lib/namespace.sh" ]; then
  # shellcheck source=../e2e/lib/namespace.sh
  source "$here/../e2e/lib/namespace.sh"
  if reason=$(quorrin_namespace_unavailable); then
    echo "note: no stand-in service here ($reason); resolving offline"
  else
    mode=service
  fi
fi
if [ -z "$mode" ]; then
  if unshare --net true 2>/dev/null; then
    offline_flags=(--net)
  elif unshare --user --map-root-user --net true 2>/dev/null; then
    offline_flags=(--user --map-root-user --net)
  else
    skip "cannot make a network namespace, and the click must send nothing off this machine"
  fi
  mode=offline
fi
mkdir -p "$work/service"
if [ "$mode" = service ]; then run_quorrin_against_stand_in_service; else run_quorrin_offline; fi

find_window() { window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1); [ -n "$window" ]; }
eventually find_window || { echo "FAIL: no visible window titled $title" >&2; exit 1; }
frame=$(xwininfo -tree -id "$window" | awk '/Parent window id/ {print $4}')

# --- place and size --------------------------------------------------------

# "X Y WIDTH HEIGHT" of the window's client area on the screen.
client_geometry() {
  xwininfo -id "$window" | awk '
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print x, y, w, h}'
}
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
# Centred by the outer size the window has on its original platform.
expected_geometry="$(((screen_w - 475) / 2)) $(((screen_h - 182) / 2)) 469 153"
settled_at() { [ "$(client_geometry)" = "$1" ]; }
eventually settled_at "$expected_geometry" ||
  fail "window at $(client_geometry), expected $expected_geometry (x y width height)"

hints=$(xprop -id "$window" WM_NORMAL_HINTS)
grep -q "minimum size: 469 by 153" <<<"$hints" && grep -q "maximum size: 469 by 153" <<<"$hints" ||
  fail "the window does not ask for a fixed size: $hints"
actions=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
grep -qE "_NET_WM_ACTION_(RESIZE|MAXIMIZE)" <<<"$actions" && fail "the window manager offers resizing or maximising: $actions"
grep -q "_NET_WM_ACTION_MINIMIZE" <<<"$actions" || fail "the window manager offers no minimising: $actions"

# A person dragging the frame asks the window manager for another size.
xdotool windowsize "$window" 700 400
sleep 0.5
[ "$(client_geometry)" = "$expected_geometry" ] || fail "resized to $(client_geometry)"

wm_state() { xprop -id "$window" WM_STATE | grep -q "window state: $1"; }
xdotool windowminimize "$window"
eventually wm_state Iconic || fail "the window did not minimise"
xdotool windowactivate "$window"
eventually wm_state Normal || fail "the window did not come back from minimised"
eventually settled_at "$expected_geometry" || fail "restored at $(client_geometry)"

import -window "$frame" "$shots/quorrin-start.png" || fail "no screenshot"

# --- typing, the button, the clipboard ------------------------------------

click_at() { xdotool mousemove --window "$window" $1 click 1; }

# 编辑框2 first gets some text of the user's: the click must replace it.
click_at "$EDIT2_AT"
xdotool type --delay 5 "typed before the click"
click_at "$EDIT1_AT"
xdotool key ctrl+a BackSpace
if [ "$mode" = service ]; then link=$LINK expected=$ADDRESS; else link=$OFFLINE_LINK expected=""; fi
xdotool type --delay 5 "$link"
click_at "$BUTTON_AT"

# The whole of 编辑框2 to the clipboard, with a "|" typed at its end so that
# an empty box copies something too. The keys wait in the queue while the
# click's requests run.
click_at "$EDIT2_AT"
xdotool key ctrl+End
xdotool type "|"
xdotool key ctrl+a ctrl+c
copied() { clip=$(xclip -o -selection clipboard 2>/dev/null) && [ "${clip: -1}" = "|" ]; }
if eventually copied; then
  [ "$clip" = "$expected|" ] || fail "编辑框2 held '${clip%|}', expected '$expected' ($mode)"
else
  fail "nothing came to the clipboard from 编辑框2"
fi
# The marker goes again, and the focus to the button, for a clean picture.
xdotool key ctrl+End BackSpace Tab
sleep 0.3
import -window "$frame" "$shots/quorrin-resolved.png" || fail "no screenshot"

# 编辑框1 still holds the link as typed.
click_at "$EDIT1_AT"
xdotool key ctrl+a ctrl+c
copied_link() { [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$link" ]; }
eventually copied_link || fail "编辑框1 held '$(xclip -o -selection clipboard 2>/dev/null)', expected '$link'"

# --- Esc closes, status 0 ---------------------------------------------------

xdotool key Escape
gone() { ! kill -0 "$quorrin_pid" 2>/dev/null || [ -n "$(ps -o stat= -p "$quorrin_pid" | grep Z)" ]; }
if eventually gone; then
  wait "$quorrin_pid"
  status=$?
  quorrin_pid="" window=""
  [ "$status" -eq 0 ] || fail "quorrin exited with status $status after Esc"
else
  fail "Esc did not close the window"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed; screenshots in $shots" >&2
  exit 1
fi
echo "PASS ($mode): screenshots in $shots"
