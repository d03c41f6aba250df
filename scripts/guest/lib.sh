# Shared by the guest scripts: where the cached guest lives and how it boots.
# shellcheck shell=bash
guest_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Host packages: debootstrap makes the guest, mkfs.ext4 its disk, QEMU runs it.
GUEST_HOST_PACKAGES=(debootstrap qemu-system-x86 qemu-utils e2fsprogs)

# The guest's packages, without comments.
guest_packages() {
  sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$guest_scripts/packages.txt"
}

# Everything that goes into the image; a change to any of it makes a new one.
guest_key() {
  cat "$guest_scripts/make-image.sh" "$guest_scripts/init.sh" "$guest_scripts/packages.txt" \
    "$guest_scripts/make-prefix.sh" | sha256sum | cut -c1-16
}

guest_dir() {
  echo "${QUILLMERE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quillmere}/guest-$(guest_key)"
}

# guest_boot IMAGE_DIR DISK_MODE PAYLOAD_DIR SERIAL_LOG SECONDS
# Boots the guest of IMAGE_DIR with PAYLOAD_DIR as its share and the serial console in
# SERIAL_LOG; killed after SECONDS whatever it does. DISK_MODE "write" changes the image itself
# (only while making it); "snapshot" throws every write away, so the cached image stays clean.
# Software emulation (no KVM here); -smap off, as with it 32-bit Wine processes oops the kernel.
guest_boot() {
  local image=$1 mode=$2 payload=$3 log=$4 seconds=$5 snapshot=on
  [ "$mode" = write ] && snapshot=off
  local accel=tcg
  [ -w /dev/kvm ] && accel=kvm:tcg
  timeout -k 10 "$seconds" qemu-system-x86_64 \
    -accel "$accel" -cpu max,-smap -smp 2 -m "${QUILLMERE_GUEST_MEMORY:-3072}" \
    -kernel "$image/vmlinuz" -initrd "$image/initrd.img" \
    -append "console=ttyS0 root=/dev/vda rw init=/sbin/quillmere-init panic=1 loglevel=4" \
    -drive "file=$image/base.raw,format=raw,if=virtio,snapshot=$snapshot,cache=unsafe" \
    -virtfs "local,path=$payload,mount_tag=payload,security_model=none,id=payload" \
    -display none -monitor none -serial "file:$log" -nic none -no-reboot
}
