#!/usr/bin/env bash
# Renders a report page to PNG with headless Chromium and fails when the browser reports an
# error, loads anything (the page must be self-contained) or draws a blank picture.
#
#   tests/render_html.sh PAGE.html OUT.png [WIDTH,HEIGHT]
#
# WIDTH,HEIGHT is the browser window (default 1280,1600); the screenshot shows that much of the
# page from its top. Installs chromium and imagemagick from Debian when they are missing (as root).
set -euo pipefail

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
  echo "usage: $0 PAGE.html OUT.png [WIDTH,HEIGHT]" >&2
  exit 2
fi
page=$(realpath "$1")
out=$2
size=${3:-1280,1600}
[ -f "$page" ] || { echo "$0: no such page: $1" >&2; exit 2; }

missing=()
command -v chromium >/dev/null 2>&1 || missing+=(chromium)
command -v identify >/dev/null 2>&1 || missing+=(imagemagick)
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq && apt-get install -y -qq "${missing[@]}" >/dev/null
fi

log=$(mktemp)
profile=$(mktemp -d)
trap 'rm -rf "$log" "$profile"' EXIT
rm -f "$out"
# --no-sandbox: CI runs as root, where Chromium's sandbox refuses to start. Logging to stderr shows
# the page's console messages, where a failed load or a parse error would appear.
status=0
timeout -s KILL 120 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
  --user-data-dir="$profile" --enable-logging=stderr --v=0 \
  --window-size="$size" --screenshot="$out" "file://$page" >"$log" 2>&1 || status=$?

fail() { echo "$0: $1" >&2; cat "$log" >&2; exit 1; }
[ "$status" -eq 0 ] || fail "chromium ended with status $status"
[ -s "$out" ] || fail "chromium wrote no picture"
if grep -E "CONSOLE|ERR_FILE_NOT_FOUND|net::ERR|Failed to load|error on line" "$log" >/dev/null; then
  fail "the page reported an error or tried to load something"
fi
colours=$(identify -format '%k' "$out")
[ "$colours" -gt 1 ] || fail "the picture is blank (one colour)"
echo "$out: $(identify -format '%wx%h' "$out"), $colours colours"
