#!/usr/bin/env bash
# Makes the .deb with cpack from the build tree and checks what it holds, its
# control fields, lintian (no error or warning), the AppStream metainfo
# against the tree it installs, and the desktop entry.
# Usage: package_test.sh CPACK CPACK_CONFIG VERSION PRIVATE_ABI (allowed or forbidden)
set -uo pipefail
cpack=$1 config=$2 version=$3 private_abi=$4
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

deb=$dir/ctallix_${version}_$(dpkg --print-architecture).deb
timeout 300 "$cpack" --config "$config" -G DEB -B "$dir" >"$dir/cpack.log" 2>&1
[ -f "$deb" ] || { cat "$dir/cpack.log" >&2; echo "FAIL: cpack wrote no $(basename "$deb")" >&2; exit 1; }

# Exactly these files, the program executable.
expected="./usr/bin/ctallix -rwxr-xr-x
./usr/share/applications/io.github.ctallix.cTallix.desktop -rw-r--r--
./usr/share/doc/ctallix/changelog.gz -rw-r--r--
./usr/share/doc/ctallix/copyright -rw-r--r--
./usr/share/man/man1/ctallix.1.gz -rw-r--r--
./usr/share/metainfo/io.github.ctallix.cTallix.metainfo.xml -rw-r--r--"
files=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6, $1 }' | LC_ALL=C sort)
[ "$files" = "$expected" ] || fail "files differ from the expected ones:
$(diff <(echo "$expected") <(echo "$files"))"

# Control fields; Depends has the fonts, the platform plugins and what
# dpkg-shlibdeps found the program linking (Debian 13 names the libraries
# of its 64-bit time transition with "t64"), and where it is forbidden not
# Qt's private ABI, which every upload of Qt would break.
[ "$(dpkg-deb -f "$deb" Section)" = utils ] || fail "Section is '$(dpkg-deb -f "$deb" Section)'"
depends=", $(dpkg-deb -f "$deb" Depends),"
for pkg in fonts-ipafont-gothic fonts-arphic-ukai qt6-qpa-plugins libqt6widgets6 libqt6gui6 libqt6core6 libc6; do
  [[ $depends == *", $pkg"[,\ ]* || $depends == *", ${pkg}t64"[,\ ]* ]] || fail "Depends lacks $pkg: $depends"
done
[[ $private_abi = allowed || ($depends != *private-abi* && $depends != *qt6-base-abi*) ]] ||
  fail "Depends names Qt's private ABI: $depends"

# (lintian's stderr only warns that it runs as root, unless it breaks.)
report=$(timeout 300 lintian --fail-on error,warning "$deb" 2>"$dir/lintian.err") ||
  fail "lintian: $report$(grep -v 'root privileges' "$dir/lintian.err")"

mkdir "$dir/root" && dpkg-deb -x "$deb" "$dir/root"
# validate-tree runs validate on the metainfo and checks that its launchable
# names a desktop entry of the tree.
report=$(timeout 60 appstreamcli validate-tree --no-net "$dir/root" 2>&1) || fail "appstreamcli: $report"
report=$(desktop-file-validate "$dir"/root/usr/share/applications/*.desktop 2>&1)
[ $? -eq 0 ] && [ -z "$report" ] || fail "desktop-file-validate: $report"
# The menu entry and the software centre's text in each language of the
# program; gettext 0.23 writes the metainfo's tags as BCP 47 (zh-Hans-CN),
# older ones as the locale's name (zh_CN).
for lang in de ja zh_CN:zh-Hans-CN zh_TW:zh-Hant-TW; do
  grep -q "^Name\[${lang%%:*}\]=" "$dir"/root/usr/share/applications/*.desktop &&
    grep -Eq "<summary xml:lang=\"(${lang%%:*}|${lang##*:})\">" "$dir"/root/usr/share/metainfo/*.xml ||
    fail "no ${lang%%:*} texts"
done

[ $failures -eq 0 ] && echo "package checks passed: $(basename "$deb"), $(stat -c %s "$deb") bytes"
[ $failures -eq 0 ]
