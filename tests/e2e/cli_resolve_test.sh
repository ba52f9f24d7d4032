#!/usr/bin/env bash
# End to end: the real quorrin-cli, nothing inside it replaced, resolves a
# share link over HTTPS against the stand-in service in a private namespace
# (see lib/namespace.sh), and its requests, cookies, output and exit status
# are checked from the outside.
#
# Usage: cli_resolve_test.sh BUILD_DIR
# Runs as root; exits 77 (skipped) with the reason when it cannot run here.
set -uo pipefail

here=$(dirname "$(realpath "$0")")
source "$here/lib/namespace.sh"

readonly LINK="https://v.douyin.com/AbCdEf1/?u_code=1a2b&from=share"
readonly REMOVED_LINK="https://v.douyin.com/gone/"
# Kept as the play endpoint wrote it: "&amp;" and "%2F" stay.
readonly ADDRESS="https://video.cdn.test/tos/cn/video.mp4?a=1128&amp;br=1024&amp;title=短视频&amp;sig=%2Fab%3D"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# run NAME ARGS...: runs the CLI, leaving its output in $out, $err, $status.
run() {
  local name=$1
  shift
  "$cli" "$@" >"$work/out" 2>"$work/err"
  status=$?
  out=$(cat "$work/out")
  err=$(cat "$work/err")
  echo "--- $name: status $status"
}

expect_status() { [ "$status" -eq "$1" ] || fail "$2: exit status $status, expected $1 (stderr: $err)"; }
expect_out() { [ "$out" = "$1" ] || fail "$2: standard output was '$out', expected '$1'"; }
expect_err() { [ "$err" = "$1" ] || fail "$2: standard error was '$err', expected '$1'"; }

# expect_requests NAME EXPECTED: the requests since the log was last cleared,
# as lib/request_log.py shows them, headers for the two resolver requests.
expect_requests() {
  local actual
  actual=$("$QUORRIN_PYTHON" "$here/lib/request_log.py" "$QUORRIN_REQUEST_LOG" \
    --headers-for v.douyin.com --headers-for aweme.snssdk.com \
    --headers-for douyin.com --headers-for snssdk.com)
  if [ "$actual" != "$2" ]; then
    fail "$1: the service saw other requests than expected (- expected, + seen):"
    diff <(echo "$2") <(echo "$actual") | sed 's/^/    /'
  fi
}
clear_log() { : >"$QUORRIN_REQUEST_LOG"; }

share_request() { # COOKIE-LINE-OR-EMPTY
  echo "GET v.douyin.com /AbCdEf1/?u_code=1a2b&from=share"
  echo "    accept: */*"
  echo "    accept-language: zh-cn"
  echo "    content-type: application/x-www-form-urlencoded"
  [ -n "$1" ] && echo "    cookie: $1"
  echo "    host: v.douyin.com"
  echo "    referer: $LINK"
  echo "    user-agent: $DESKTOP_AGENT"
}
play_request() { # VIDEO-ID COOKIE-LINE-OR-EMPTY
  echo "GET aweme.snssdk.com /aweme/v1/play/?video_id=$1&line=0"
  [ -n "$2" ] && echo "    cookie: $2"
  echo "    host: aweme.snssdk.com"
  echo "    user-agent: $MOBILE_AGENT"
}
readonly PAGE_REQUEST="GET www.iesdouyin.com /share/video/7301234567890123456/?region=CN&mid=42"

inside() {
  cli=$1
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  local cookie_file=$XDG_DATA_HOME/quorrin/cookies.txt

  # The share link is followed to the page (the 302 goes nowhere else), the
  # play endpoint is not: the video host never hears from us. A first run
  # has no cookies to send.
  clear_log
  run "first run" "$LINK"
  expect_status 0 "first run"
  expect_out "$ADDRESS" "first run"
  expect_err "" "first run"
  expect_requests "first run" "$(share_request "")
$PAGE_REQUEST
$(play_request 7301234567890123456 "")"

  # What the page (the share link's final answer) and the play endpoint set
  # in the first run comes back in the second, from the cookie file alone;
  # the prefixed one too, which only goes out over https. The HTTP object
  # orders a Cookie line as its cookie engine does, longer names first.
  clear_log
  run "second run" "$LINK"
  expect_status 0 "second run"
  expect_out "$ADDRESS" "second run"
  expect_requests "second run" "$(share_request "page_sid=pg-1a2b")
$PAGE_REQUEST
$(play_request 7301234567890123456 "__Host-play_guard=g-5e6f; play_sid=pl-3c4d")"

  # curl reads the same file: each cookie goes back to the host the store
  # keeps it for.
  clear_log
  [ -s "$cookie_file" ] || fail "no cookie file at $cookie_file"
  curl -sS -A cookie-check -b "$cookie_file" -o /dev/null https://douyin.com/ \
    -o /dev/null https://snssdk.com/ ||
    fail "curl could not load the cookie file or reach the service"
  expect_requests "curl -b" "GET douyin.com /
    accept: */*
    cookie: page_sid=pg-1a2b
    host: douyin.com
    user-agent: cookie-check
GET snssdk.com /
    accept: */*
    cookie: play_sid=pl-3c4d
    host: snssdk.com
    user-agent: cookie-check"

  # A page without an identifier still leads to the play request, with an
  # empty one; its answer names no address.
  clear_log
  run "removed video" "$REMOVED_LINK"
  expect_status 1 "removed video"
  expect_out "" "removed video"
  expect_err "quorrin-cli: no download address found" "removed video"
  local seen
  seen=$("$QUORRIN_PYTHON" "$here/lib/request_log.py" "$QUORRIN_REQUEST_LOG" | tail -n 1)
  [ "$seen" = "GET aweme.snssdk.com /aweme/v1/play/?video_id=&line=0" ] ||
    fail "removed video: last request was '$seen', expected the play request with an empty identifier"

  # Certificates are verified: with another authority as the only trusted
  # one, no request gets past the handshake and nothing resolves.
  mkdir "$work/other-trust"
  openssl req -x509 -new -nodes -newkey ec -pkeyopt ec_paramgen_curve:P-256 \
    -keyout "$work/other.key" -out "$work/other-trust/ca-certificates.crt" \
    -days 2 -subj "/CN=Some other authority" 2>/dev/null ||
    fail "could not make a second authority"
  clear_log
  quorrin_with_trust "$work/other-trust" "$cli" "$LINK" >"$work/out" 2>"$work/err"
  status=$? out=$(cat "$work/out") err=$(cat "$work/err")
  echo "--- untrusted certificate: status $status"
  expect_status 1 "untrusted certificate"
  expect_out "" "untrusted certificate"
  [ -s "$QUORRIN_REQUEST_LOG" ] &&
    fail "untrusted certificate: requests got through: $(cat "$QUORRIN_REQUEST_LOG")"

  # The command line. None of these but the "--" cases reach the network.
  local -a cases=(
    # status|stdout|stderr|arguments (separated by "|")
    "2|none|usage|"
    "2|none|usage|$LINK|$LINK"
    "2|none|usage|-x|$LINK"
    "2|none|usage|-"
    "2|none|usage|--link=$LINK"
    "0|usage|none|--help"
    "0|usage|none|--help|$LINK"
    "0|address|none|--|$LINK"
    "1|none|not-found|--|--help"
  )
  local entry expected_status want_out want_err
  for entry in "${cases[@]}"; do
    IFS='|' read -r -a fields <<<"$entry"
    expected_status=${fields[0]} want_out=${fields[1]} want_err=${fields[2]}
    clear_log
    run "arguments (${fields[*]:3})" "${fields[@]:3}"
    expect_status "$expected_status" "arguments (${fields[*]:3})"
    case $want_out in
      none) expect_out "" "arguments (${fields[*]:3})" ;;
      address) expect_out "$ADDRESS" "arguments (${fields[*]:3})" ;;
      usage) [[ $out == Usage:\ quorrin-cli* ]] || fail "arguments (${fields[*]:3}): no usage on standard output: '$out'" ;;
    esac
    case $want_err in
      none) expect_err "" "arguments (${fields[*]:3})" ;;
      usage) [[ $err == *"Usage: quorrin-cli"* ]] || fail "arguments (${fields[*]:3}): no usage on standard error: '$err'" ;;
      not-found) expect_err "quorrin-cli: no download address found" "arguments (${fields[*]:3})" ;;
    esac
    if [ "$want_out" != address ] && [ "$want_err" != not-found ] &&
      [ -s "$QUORRIN_REQUEST_LOG" ]; then
      fail "arguments (${fields[*]:3}): made requests although nothing was to be resolved"
    fi
  done

  # An address that cannot be written is an error, not a success: a full
  # disk, and a reader that is gone before the address comes.
  "$cli" "$LINK" >/dev/full 2>"$work/err"
  status=$? err=$(cat "$work/err")
  echo "--- full disk: status $status"
  expect_status 1 "full disk"
  [[ $err == "quorrin-cli: cannot write the address"* ]] || fail "full disk: standard error was '$err'"

  "$QUORRIN_PYTHON" - "$cli" "$LINK" >"$work/err" <<'EOF'
import os, subprocess, sys
read_end, write_end = os.pipe()
os.close(read_end)
# The child gets the signal's default disposition back (restore_signals).
child = subprocess.run(sys.argv[1:], stdout=write_end, stderr=subprocess.PIPE)
print(child.returncode)
print(child.stderr.decode().strip())
EOF
  status=$(sed -n 1p "$work/err") err=$(sed -n 2p "$work/err")
  echo "--- closed pipe: status $status"
  expect_status 1 "closed pipe"
  [[ $err == "quorrin-cli: cannot write the address"* ]] || fail "closed pipe: standard error was '$err'"

  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    echo "--- stand-in service log:"
    cat "$QUORRIN_REQUEST_LOG"
    return 1
  fi
  echo "all checks passed"
}

if [ "${1:-}" = "--inside" ]; then
  shift
  inside "$@"
  exit $?
fi

build=${1:?usage: cli_resolve_test.sh BUILD_DIR}
if reason=$(quorrin_namespace_unavailable); then
  echo "SKIP: $reason"
  exit 77
fi
cli=$(realpath -m "$build/src/platform/linux/quorrin-cli")
[ -x "$cli" ] || {
  echo "FAIL: no quorrin-cli at $cli (build the quorrin-cli target)"
  exit 1
}
namespace_work=$(mktemp -d)
trap 'rm -rf "$namespace_work"' EXIT
quorrin_in_namespace "$namespace_work" bash "$(realpath "$0")" --inside "$cli"
