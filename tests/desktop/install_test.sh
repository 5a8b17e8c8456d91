#!/usr/bin/env bash
# Installs the build into a fresh prefix with `cmake --install` and checks
# what lands there: bin/ctallix, the program just built, which starts and
# reports the missing display; and the desktop entry
# share/applications/io.github.ctallix.cTallix.desktop, valid, which launches
# it by name under the generic calculator icon.
#
# Usage: install_test.sh CMAKE BUILD_DIR BUILT_CTALLIX
set -uo pipefail
cmake_bin=$1
build=$2
built=$3

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

if ! "$cmake_bin" --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
  cat "$prefix.log" >&2
  rm -f "$prefix.log"
  echo "FAIL: cmake --install failed" >&2
  exit 1
fi
rm -f "$prefix.log"

program=$prefix/bin/ctallix
entry=$prefix/share/applications/io.github.ctallix.cTallix.desktop

# The program: the one just built, executable, found on PATH by the name the
# entry's Exec line uses, and able to run (it reports the missing display).
if [ ! -x "$program" ]; then
  fail "bin/ctallix is not installed as an executable"
else
  cmp -s "$program" "$built" || fail "bin/ctallix differs from the program built"
  found=$(PATH="$prefix/bin:/usr/bin:/bin" command -v ctallix)
  [ "$found" = "$program" ] || fail "ctallix on PATH is '$found', not the installed one"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1)
  status=$?
  [ $status -eq 1 ] || fail "installed ctallix without a display exited $status, not 1"
  case "$out" in
    "ctallix: cannot open the display:"*) ;;
    *) fail "installed ctallix without a display said: $out" ;;
  esac
fi

# The desktop entry.
if [ ! -f "$entry" ]; then
  fail "share/applications/io.github.ctallix.cTallix.desktop is not installed"
else
  # Value of KEY in the [Desktop Entry] group.
  value() {
    awk -v key="$1" '
      /^\[/ { group = $0; next }
      group == "[Desktop Entry]" && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }
    ' "$entry"
  }
  head -n 1 "$entry" | grep -qx '\[Desktop Entry\]' || fail "the entry does not start with [Desktop Entry]"
  [ "$(value Type)" = "Application" ] || fail "Type is '$(value Type)'"
  [ "$(value Name)" = "cTallix" ] || fail "Name is '$(value Name)'"
  [ "$(value Exec)" = "ctallix" ] || fail "Exec is '$(value Exec)'"
  [ "$(value Icon)" = "accessories-calculator" ] || fail "Icon is '$(value Icon)'"
  categories=";$(value Categories)"
  for category in Utility Calculator; do
    case "$categories" in
      *";$category;"*) ;;
      *) fail "Categories '$(value Categories)' lack $category" ;;
    esac
  done
  if command -v desktop-file-validate >/dev/null; then
    report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
    [ -z "$report" ] || fail "desktop-file-validate warns: $report"
  else
    echo "note: desktop-file-validate is not installed (package desktop-file-utils); skipped"
  fi
fi

if [ $failures -eq 0 ]; then
  echo "install checks passed: bin/ctallix and the desktop entry"
  exit 0
fi
exit 1
