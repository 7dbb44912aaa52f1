#!/usr/bin/env bash
# Checks a report page in a real browser and renders it to PNG with headless Chromium. Fails when
# the page refers to anything outside itself, when the browser's XML parser reports an error in it,
# when the browser fails or logs a console message while rendering, or when the picture is blank.
#
#   tests/render_html.sh PAGE.html OUT.png [WIDTH,HEIGHT]
#
# WIDTH,HEIGHT is the browser window (default 1280,1600); the picture shows that much of the page
# from its top. Installs chromium and imagemagick from Debian when they are missing (as root).
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

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$0: $1" >&2; [ -s "$work/log" ] && cat "$work/log" >&2; exit 1; }

# --no-sandbox: CI runs as root, where Chromium's sandbox refuses to start.
browse() {
  timeout -s KILL 120 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
    --user-data-dir="$work/profile" "$@"
}

# Names in the page are escaped, so these can only come from the page's own markup and style.
if grep -E -n '<(script|link|img|iframe|object|embed)|(src|href)="' "$page" >&2 ||
  sed -n '/<style>/,/<\/style>/p' "$page" | grep -E -n 'url\(|@import' >&2; then
  fail "the page refers to something outside itself (lines above)"
fi

# The page must be well-formed XML: the browser's XML parser reads a copy named .xhtml and puts a
# <parsererror> in the document where it fails.
cp "$page" "$work/page.xhtml"
browse --dump-dom "file://$work/page.xhtml" >"$work/dom" 2>"$work/log" ||
  fail "chromium could not read the page as XHTML"
if grep -q parsererror "$work/dom"; then
  grep -o 'error on line[^<]*' "$work/dom" >&2 || true
  fail "the browser's XML parser reports an error"
fi

rm -f "$out"
status=0
browse --enable-logging=stderr --v=0 --window-size="$size" --screenshot="$out" "file://$page" \
  >"$work/log" 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "chromium ended with status $status"
[ -s "$out" ] || fail "chromium wrote no picture"
! grep -q "CONSOLE" "$work/log" || fail "the page logged a console message"
colours=$(identify -format '%k' "$out")
[ "$colours" -gt 1 ] || fail "the picture is blank (one colour)"
echo "$out: $(identify -format '%wx%h' "$out"), $colours colours"
