#!/usr/bin/env bash
# How long quorrin-cli takes to resolve a link, next to a curl pipeline that
# makes the same three exchanges (the share link with its redirect followed,
# the play endpoint without), and how much memory one resolution needs.
# Both run against the stand-in service over HTTPS in a private namespace
# (tests/e2e/lib/namespace.sh), so the network is loopback only and the
# figures are the programs' own cost. See cli_vs_curl.md.
#
# Usage (as root): bench/cli_vs_curl.sh BUILD_DIR [RUNS]
# Needs hyperfine and time (/usr/bin/time), besides the harness's packages.
set -uo pipefail

here=$(dirname "$(realpath "$0")")
source "$here/../tests/e2e/lib/namespace.sh"

readonly LINK="https://v.douyin.com/AbCdEf1/"

# The same work in curl: the request headers quorrin sends, a cookie jar read
# before and written after each request, and the two extractions done in the
# shell.
curl_pipeline() {
  local jar=$1
  cat <<EOF
page=\$(curl -sS -L -b '$jar' -c '$jar' -H 'Referer: $LINK' -H 'Accept: */*' \
-H 'Accept-Language: zh-cn' -A '$DESKTOP_AGENT' \
-H 'Content-Type: application/x-www-form-urlencoded' '$LINK')
id=\${page#*'v1/playwm/?video_id='}; id=\${id%%'&'*}
answer=\$(curl -sS -b '$jar' -c '$jar' -A '$MOBILE_AGENT' \
"https://aweme.snssdk.com/aweme/v1/play/?video_id=\$id&line=0")
address=\${answer#*'href="'}; printf '%s\n' "\${address%%'"'*}"
EOF
}

# peak_kib COMMAND [ARG...]: the command's peak resident memory in KiB.
peak_kib() {
  /usr/bin/time -v "$@" 2>&1 >/dev/null |
    sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): //p'
}

inside() {
  local cli=$1 runs=$2 system_bundle=$3
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  curl_pipeline "$work/curl-cookies.txt" >"$work/pipeline.sh"

  # Both must give the same address, or the comparison means nothing. The
  # first runs also leave cookies behind, so every timed run sends some.
  local from_cli from_curl
  from_cli=$("$cli" "$LINK") || { echo "quorrin-cli failed to resolve the link" >&2; return 1; }
  from_curl=$(bash "$work/pipeline.sh") || { echo "the curl pipeline failed" >&2; return 1; }
  if [ "$from_cli" != "$from_curl" ]; then
    echo "the two disagree: quorrin-cli '$from_cli', curl '$from_curl'" >&2
    return 1
  fi

  hyperfine --shell=bash --warmup 5 --runs "$runs" --style basic \
    --export-json "$work/times.json" \
    --command-name quorrin-cli "'$cli' '$LINK'" \
    --command-name curl-pipeline "bash '$work/pipeline.sh'" || return 1

  # Peak memory, also with a trust bundle of a real system's size: the TLS
  # library parses every authority in it.
  local peak peak_full_bundle
  peak=$(peak_kib "$cli" "$LINK")
  mkdir "$work/full-trust"
  cat "$system_bundle" "$QUORRIN_TEST_CA" >"$work/full-trust/ca-certificates.crt"
  peak_full_bundle=$(quorrin_with_trust "$work/full-trust" \
    bash -c "$(declare -f peak_kib); peak_kib '$cli' '$LINK'")

  "$QUORRIN_PYTHON" - "$work/times.json" "$peak" "$peak_full_bundle" \
    "$(grep -c 'BEGIN CERTIFICATE' "$work/full-trust/ca-certificates.crt")" <<'EOF'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
cli, pipeline = results["quorrin-cli"]["median"], results["curl-pipeline"]["median"]
ratio = cli / pipeline
print()
print(f"median quorrin-cli     {cli * 1000:8.2f} ms")
print(f"median curl pipeline   {pipeline * 1000:8.2f} ms")
print(f"ratio (cli / curl)     {ratio:8.3f}   goal <= 1.0: {'met' if ratio <= 1.0 else 'MISSED'}")
for label, kib in (("peak memory, one run", int(sys.argv[2])),
                   (f"  with {sys.argv[4]} authorities", int(sys.argv[3]))):
    verdict = "met" if kib * 1024 < 20e6 else "MISSED"
    print(f"{label:<22} {kib * 1024 / 1e6:8.2f} MB  goal < 20 MB: {verdict}")
EOF
}

if [ "${1:-}" = "--inside" ]; then
  shift
  inside "$@"
  exit $?
fi

build=${1:?usage: cli_vs_curl.sh BUILD_DIR [RUNS]}
runs=${2:-50}
if reason=$(quorrin_namespace_unavailable); then
  echo "cli_vs_curl: cannot run here: $reason" >&2
  exit 1
fi
for tool in hyperfine /usr/bin/time curl; do
  command -v "$tool" >/dev/null || {
    echo "cli_vs_curl: needs $tool (packages hyperfine, time, curl)" >&2
    exit 1
  }
done
cli=$(realpath -m "$build/src/platform/linux/quorrin-cli")
[ -x "$cli" ] || {
  echo "cli_vs_curl: no quorrin-cli at $cli (build the quorrin-cli target)" >&2
  exit 1
}
namespace_work=$(mktemp -d)
trap 'rm -rf "$namespace_work"' EXIT
# Inside, the system's bundle is hidden under the test's; take a copy first.
cp /etc/ssl/certs/ca-certificates.crt "$namespace_work/system-bundle.crt" || exit 1
quorrin_in_namespace "$namespace_work" bash "$(realpath "$0")" --inside "$cli" \
  "$runs" "$(realpath "$namespace_work/system-bundle.crt")"
