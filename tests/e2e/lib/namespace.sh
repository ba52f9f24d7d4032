# shellcheck shell=bash
# A private little internet for end-to-end runs: a network and mount
# namespace whose only interface is lo, where the service's host names lead
# to a stand-in service on 127.0.0.1:443 and a test authority made on the
# spot is the only one trusted. Nothing inside can reach another machine.
#
# Source this file from bash, then:
#
#   quorrin_namespace_unavailable
#       When no namespace can be made here (not root, no unshare, the kernel
#       refuses), prints the reason on one line and returns 0; otherwise
#       prints nothing and returns 1. Tests exit 77 (skipped) on 0.
#
#   quorrin_in_namespace WORK COMMAND [ARG...]
#       Runs COMMAND inside a fresh namespace with the stand-in service up
#       and returns COMMAND's exit status; the service is stopped before it
#       returns. WORK is a folder the caller owns (and removes); the
#       authority, the certificate and the hosts file are made there on the
#       first call and reused by later ones, so WORK/home and the request
#       log carry over from call to call.
#       Inside, /etc/hosts maps v.douyin.com, www.iesdouyin.com,
#       aweme.snssdk.com, douyin.com, snssdk.com and video.cdn.test to
#       127.0.0.1, and /etc/ssl/certs holds nothing but the test authority
#       as ca-certificates.crt. COMMAND runs with
#         HOME=WORK/home  XDG_DATA_HOME=WORK/home/.local/share
#         QUORRIN_REQUEST_LOG  the service's log, one JSON object per request
#                              (see tests/support/stand_in_service.py)
#         QUORRIN_TEST_CA      the authority's certificate (PEM)
#         QUORRIN_PYTHON       the Python that runs the service
#       and without SSL_CERT_FILE, SSL_CERT_DIR or CURL_CA_BUNDLE, so no
#       other trust can slip in.
#
#   quorrin_with_trust DIR COMMAND [ARG...]
#       Inside the namespace only: runs COMMAND with DIR over /etc/ssl/certs
#       for it alone (DIR holding a ca-certificates.crt), to try a client
#       against another set of trusted authorities.
#
# Example:
#   source tests/e2e/lib/namespace.sh
#   work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
#   quorrin_in_namespace "$work" build/src/platform/linux/quorrin-cli \
#       https://v.douyin.com/AbCdEf1/
#
# Needs: bash, util-linux (unshare, mount), iproute2 (ip), openssl, python3.
#
# It also names the two user agents quorrin sends, which the stand-in tells
# apart: DESKTOP_AGENT (the default header block's) and MOBILE_AGENT (the
# play request's; the play endpoint answers no other).

readonly DESKTOP_AGENT="Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; Trident/5.0)"
readonly MOBILE_AGENT="Mozilla/5.0 (Linux; Android 6.0; Nexus 5 Build/MRA58N) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/71.0.3578.80 Mobile Safari/537.36"

_quorrin_namespace_lib=$(realpath "${BASH_SOURCE[0]}")
_quorrin_service=$(realpath "$(dirname "$_quorrin_namespace_lib")/../../support/stand_in_service.py")
_quorrin_hosts="v.douyin.com www.iesdouyin.com aweme.snssdk.com douyin.com snssdk.com video.cdn.test"

# Debian's own interpreter first: a per-user shim may depend on HOME, which
# the commands inside see changed.
_quorrin_python() {
  if [ -x /usr/bin/python3 ]; then echo /usr/bin/python3; else command -v python3; fi
}

quorrin_namespace_unavailable() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "needs root for a private network and mount namespace (unshare --net --mount)"
    return 0
  fi
  local tool
  for tool in unshare mount ip openssl; do
    if ! command -v "$tool" >/dev/null; then
      echo "needs $tool (packages util-linux, iproute2, openssl)"
      return 0
    fi
  done
  if [ -z "$(_quorrin_python)" ]; then
    echo "needs python3 for the stand-in service"
    return 0
  fi
  if ! unshare --net --mount true 2>/dev/null; then
    echo "the kernel refuses a private network and mount namespace here (unshare --net --mount failed)"
    return 0
  fi
  return 1
}

# Makes the authority, the service's certificate for all the names, the
# hosts file and the trust folder in WORK, once.
_quorrin_prepare() {
  local work=$1 pki=$1/pki
  [ -s "$pki/server.pem" ] && return 0
  mkdir -p "$pki" "$work/trust" "$work/home"
  openssl req -x509 -new -nodes -newkey ec -pkeyopt ec_paramgen_curve:P-256 \
    -keyout "$pki/ca.key" -out "$pki/ca.pem" -days 2 \
    -subj "/CN=Quorrin end-to-end test authority" \
    -addext "basicConstraints=critical,CA:TRUE" \
    -addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null || return 1
  local names="" host
  for host in $_quorrin_hosts; do names+="${names:+,}DNS:$host"; done
  printf '%s\n' "basicConstraints=CA:FALSE" "keyUsage=critical,digitalSignature" \
    "extendedKeyUsage=serverAuth" "subjectAltName=$names" >"$pki/server.ext"
  openssl req -new -nodes -newkey ec -pkeyopt ec_paramgen_curve:P-256 \
    -keyout "$pki/server.key" -out "$pki/server.csr" \
    -subj "/CN=v.douyin.com" 2>/dev/null || return 1
  openssl x509 -req -in "$pki/server.csr" -CA "$pki/ca.pem" -CAkey "$pki/ca.key" \
    -CAcreateserial -days 2 -extfile "$pki/server.ext" \
    -out "$pki/server.pem" 2>/dev/null || return 1
  cp "$pki/ca.pem" "$work/trust/ca-certificates.crt"
  {
    echo "127.0.0.1 localhost"
    echo "127.0.0.1 $_quorrin_hosts"
  } >"$work/hosts"
  : >"$work/requests.jsonl"
}

quorrin_in_namespace() {
  local work
  work=$(realpath "$1") || return 1
  shift
  _quorrin_prepare "$work" || {
    echo "namespace: could not make the test certificates in $work" >&2
    return 1
  }
  unshare --net --mount -- bash "$_quorrin_namespace_lib" --inside "$work" "$@"
}

quorrin_with_trust() {
  local trust=$1
  shift
  # shellcheck disable=SC2016  # expanded by the inner shell
  unshare --mount -- sh -c 'mount --bind "$1" /etc/ssl/certs && shift && exec "$@"' \
    sh "$trust" "$@"
}

# Runs in the new namespace: the part of quorrin_in_namespace that must be
# inside it.
_quorrin_inside() {
  set -uo pipefail
  local work=$1
  shift
  ip link set lo up || return 1
  # A mount namespace made by unshare does not propagate mounts back, so
  # these vanish with it.
  mount --bind "$work/hosts" /etc/hosts || return 1
  mount --bind "$work/trust" /etc/ssl/certs || return 1

  local python ready=$work/service.ready
  python=$(_quorrin_python)
  rm -f "$ready"
  "$python" "$_quorrin_service" --cert "$work/pki/server.pem" \
    --key "$work/pki/server.key" --log "$work/requests.jsonl" \
    --ready "$ready" 2>>"$work/service.err" &
  _quorrin_service_pid=$!
  trap 'kill "$_quorrin_service_pid" 2>/dev/null; wait "$_quorrin_service_pid" 2>/dev/null' EXIT
  local tries=0
  until [ -e "$ready" ]; do
    if ! kill -0 "$_quorrin_service_pid" 2>/dev/null || [ $((tries += 1)) -gt 100 ]; then
      echo "namespace: the stand-in service did not start:" >&2
      cat "$work/service.err" >&2
      return 1
    fi
    sleep 0.1
  done

  local status=0
  env -u SSL_CERT_FILE -u SSL_CERT_DIR -u CURL_CA_BUNDLE \
    HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" \
    QUORRIN_REQUEST_LOG="$work/requests.jsonl" \
    QUORRIN_TEST_CA="$work/pki/ca.pem" QUORRIN_PYTHON="$python" \
    "$@" || status=$?
  return "$status"
}

if [ "${BASH_SOURCE[0]}" = "$0" ] && [ "${1:-}" = "--inside" ]; then
  shift
  _quorrin_inside "$@"
  exit $?
fi
