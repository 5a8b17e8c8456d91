#!/usr/bin/env bash
# Usage: scripts/test-in-debian.sh RELEASE [-- COMMAND...]   (RELEASE 12 or 13)
# Runs COMMAND (default: bash scripts/test.sh) as root in a fresh minbase
# Debian chroot holding this working tree (tracked files and untracked ones
# that are not ignored), and exits with its status. The pristine chroot is
# made once with debootstrap and kept as a tarball in CTALLIX_CHROOT_CACHE
# (default ~/.cache/ctallix-chroots), next to the .deb files runs have
# downloaded; every run unpacks its own copy, so no run sees what an earlier
# one installed. Everything mounted is unmounted and the copy removed on exit.
set -euo pipefail
case ${1:-} in
  12) suite=bookworm ;;
  13) suite=trixie ;;
  *) echo "usage: $0 12|13 [-- COMMAND...]" >&2; exit 2 ;;
esac
release=$1 && shift
[ "${1:-}" = -- ] && shift
[ $# -gt 0 ] || set -- bash scripts/test.sh
[ "$(id -u)" -eq 0 ] || { echo "$0: needs root (debootstrap, chroot, mount)" >&2; exit 2; }
repo=$(cd "$(dirname "$0")/.." && pwd)
cache=${CTALLIX_CHROOT_CACHE:-$HOME/.cache/ctallix-chroots}
base=$cache/debian-$release.tar
archives=$cache/debian-$release-archives
mkdir -p "$cache" "$archives"
shopt -s nullglob
root="" # the chroot being made or used; removed on exit

# Ends every process whose root directory lies in the chroot, then unmounts
# everything below it (ours, or debootstrap's if it was interrupted), last
# mounted first, lazily where still busy; removes the chroot only once
# nothing is mounted below it, so that rm never reaches into the host.
# shellcheck disable=SC2317  # called through the traps
cleanup() {
  local rc=$? sig proc hit mp left
  trap - EXIT INT TERM
  set +e
  [ -n "$root" ] || exit "$rc"
  for sig in TERM KILL; do
    hit=0
    for proc in /proc/[0-9]*; do
      case $(readlink "$proc/root") in
        "$root" | "$root"/*) kill -"$sig" "${proc#/proc/}" && hit=1 ;;
      esac
    done 2>/dev/null
    [ "$hit" -eq 0 ] && break
    sleep 2
  done
  for mp in $(findmnt -rn -o TARGET | grep -F "$root/" | tac); do
    umount "$mp" 2>/dev/null || umount -l "$mp"
  done
  left=$(findmnt -rn -o TARGET | grep -F "$root")
  if [ -n "$left" ]; then
    echo "still mounted, so $root is kept: $left" >&2
    exit 1
  fi
  rm -rf --one-file-system "$root"
  exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# mnt ARGS... TARGET: mounts TARGET, private so that mounts made below a
# bind mount never propagate back to the host.
mnt() { mount "$@" && mount --make-private "${!#}"; }

# Stage 1: the pristine base, made once with debootstrap.
start=$SECONDS
if [ ! -f "$base" ]; then
  command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap >/dev/null ||
    { apt-get update -qq && apt-get install -y -qq debootstrap >/dev/null; }
  root=$(mktemp -d "${TMPDIR:-/var/tmp}/ctallix-debootstrap.XXXXXX")
  debootstrap --variant=minbase "$suite" "$root" http://deb.debian.org/debian >/dev/null
  tar -C "$root" -cf "$base.$$" . && mv "$base.$$" "$base"
  rm -rf --one-file-system "$root"
fi
root=$(mktemp -d "${TMPDIR:-/var/tmp}/ctallix-debian-$release.XXXXXX")
tar -C "$root" -xf "$base"
chmod 755 "$root" # the chroot's /, kept 0700 from mktemp: apt's _apt must enter it
echo "base (debian $release, $suite): $((SECONDS - start)) s"

# Stage 2: the working tree, files that were deleted but not yet staged left out.
start=$SECONDS
mkdir -p "$root/root/ctallix"
git -C "$repo" ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' f; do
    if [ -e "$repo/$f" ] || [ -L "$repo/$f" ]; then printf '%s\0' "$f"; fi
  done | tar -C "$repo" --null -T - -cf - | tar -C "$root/root/ctallix" -xf -
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
# Services that packages would start stay off: nothing may outlive the run.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
# The .deb files of earlier runs, linked where the cache shares the file
# system. Copied rather than bind-mounted: runs at the same time would fight
# over apt's lock in a shared folder.
# The base keeps debootstrap's own .deb files, which the cache may hold too.
for deb in "$archives"/*.deb; do
  target=$root/var/cache/apt/archives/${deb##*/}
  [ -e "$target" ] || ln "$deb" "$target" 2>/dev/null || cp "$deb" "$target"
done
echo "copy: $((SECONDS - start)) s"

# Stage 3: the command, in the background so that INT and TERM reach the
# traps at once instead of after the command ends.
start=$SECONDS
mnt -t proc proc "$root/proc"
mnt -t sysfs sysfs "$root/sys"
mnt --bind /dev "$root/dev"
mnt -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
mnt -t tmpfs -o mode=1777 shm "$root/dev/shm"
if [ -d /tmp/.X11-unix ]; then
  mkdir -p "$root/tmp/.X11-unix"
  mnt --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
fi
env=(PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8
  TERM="${TERM:-dumb}")
[ -n "${CTALLIX_FUZZ_SECONDS:-}" ] && env+=(CTALLIX_FUZZ_SECONDS="$CTALLIX_FUZZ_SECONDS")
rc=0
chroot "$root" /usr/bin/env -i "${env[@]}" /bin/bash -c 'cd /root/ctallix && exec "$@"' bash "$@" &
wait $! || rc=$?
echo "command: $((SECONDS - start)) s, status $rc"
# The .deb files this run downloaded join the cache (apt checks each one's
# hash before use, so one cut short by a crash is just fetched again).
for deb in "$root"/var/cache/apt/archives/*.deb; do
  [ -e "$archives/${deb##*/}" ] || ln "$deb" "$archives/" 2>/dev/null || cp "$deb" "$archives/"
done
exit "$rc"
