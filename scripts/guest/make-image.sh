#!/usr/bin/env bash
# Makes the emulated guest in which the 32-bit Windows programs run, once per machine: a
# Debian 12 amd64 system from Debian's registry with i386 multiarch and 32-bit Wine, on an ext4
# disk image made without loop mounts, booted once to make its Wine prefix. Kept in
# ~/.cache/quillmere/guest-KEY/, KEY a hash of the files that go into it; does nothing when that
# is there. Needs root (debootstrap, chroot).
#
# Usage: scripts/guest/make-image.sh      prints the image's folder on its last line
set -euo pipefail
source "$(dirname "$0")/lib.sh"
here=$(cd "$guest_scripts/../.." && pwd)
mirror=${QUILLMERE_GUEST_MIRROR:-http://deb.debian.org/debian}
dir=$(guest_dir)
if [ -f "$dir/ready" ]; then
  echo "guest image cached: $dir"
  echo "$dir"
  exit 0
fi
[ "$(id -u)" -eq 0 ] || { echo "making the guest image needs root (debootstrap, chroot)" >&2; exit 1; }
"$here/scripts/install-deps.sh" "${GUEST_HOST_PACKAGES[@]}"

mkdir -p "$(dirname "$dir")"
exec 8>"$dir.lock"
flock 8  # another test command making the same image: wait for it
if [ -f "$dir/ready" ]; then echo "$dir"; exit 0; fi

started=$SECONDS
step() { echo "-- guest image: $1 ($((SECONDS - started)) s)"; }
work="$dir.making"
rootfs="$work/rootfs"
unmount() { umount "$rootfs/proc" 2>/dev/null || true; }
trap unmount EXIT
unmount
rm -rf "$work"
mkdir -p "$work"

debootstrap --variant=minbase --arch=amd64 bookworm "$rootfs" "$mirror" >"$work/debootstrap.log" 2>&1 ||
  { tail -30 "$work/debootstrap.log"; echo "debootstrap failed" >&2; exit 1; }
step "debootstrap"

# No services start inside the chroot; the initrd must find the virtio disk and share.
printf '#!/bin/sh\nexit 101\n' >"$rootfs/usr/sbin/policy-rc.d"
chmod +x "$rootfs/usr/sbin/policy-rc.d"
# An initrd of just these modules, made once: with all of them mkinitramfs takes minutes, and a
# trigger would make it a second time.
mkdir -p "$rootfs/etc/initramfs-tools/conf.d"
printf '%s\n' virtio_pci virtio_blk ext4 >"$rootfs/etc/initramfs-tools/modules"
echo MODULES=list >"$rootfs/etc/initramfs-tools/conf.d/quillmere"
printf 'update_initramfs=no\nbackup_initramfs=no\n' >"$rootfs/etc/initramfs-tools/update-initramfs.conf"
mount -t proc proc "$rootfs/proc"
in_root() { DEBIAN_FRONTEND=noninteractive LC_ALL=C chroot "$rootfs" "$@"; }
in_root dpkg --add-architecture i386
in_root apt-get -o Acquire::Retries=3 update >"$work/apt.log" 2>&1
mapfile -t packages < <(guest_packages)
in_root apt-get -o Acquire::Retries=3 -o Dpkg::Options::=--force-confold install -y --no-install-recommends \
  "${packages[@]}" >>"$work/apt.log" 2>&1 || { tail -40 "$work/apt.log"; echo "installing the guest's packages failed" >&2; exit 1; }
in_root apt-get clean
rm -rf "$rootfs"/var/lib/apt/lists/*
unmount
step "packages installed in the guest"

install -m 755 "$guest_scripts/init.sh" "$rootfs/sbin/quillmere-init"
cp "$rootfs"/boot/vmlinuz-* "$work/vmlinuz"
cp "$rootfs"/boot/initrd.img-* "$work/initrd.img"
truncate -s 6G "$work/base.raw"
mkfs.ext4 -q -F -L quillmere-guest -d "$rootfs" "$work/base.raw"
rm -rf "$rootfs"
step "disk image"

payload="$work/payload"
mkdir -p "$payload/out"
cp "$guest_scripts/make-prefix.sh" "$payload/run.sh"
guest_boot "$work" write "$payload" "$work/prefix-boot.log" 1500 || true
if [ "$(cat "$payload/out/status" 2>/dev/null)" != 0 ]; then
  tail -40 "$work/prefix-boot.log"
  echo "the guest did not make its Wine prefix (serial log: $work/prefix-boot.log)" >&2
  exit 1
fi
cp "$payload/out/wine-version" "$work/"
rm -rf "$payload"
step "Wine prefix made in the guest"

touch "$work/ready"
rm -rf "$dir"
mv "$work" "$dir"
echo "guest image made in $((SECONDS - started)) s: $dir"
echo "$dir"
