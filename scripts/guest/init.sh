#!/bin/sh
# The guest's first and only process (the kernel's init=): mounts what Wine needs, mounts the
# host's share, runs its run.sh with the console as output, and powers the machine off. No init
# system: the guest exists to run one payload.
PATH=/usr/sbin:/usr/bin:/sbin:/bin
export PATH HOME=/root LANG=C.UTF-8
mount -t proc proc /proc 2>/dev/null  # the initrd may have left them mounted
mount -t sysfs sys /sys 2>/dev/null
mount -t devtmpfs dev /dev 2>/dev/null
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /tmp
mount -t tmpfs tmpfs /run
mount -o remount,rw /
hostname guest
modprobe 9pnet_virtio
mkdir -p /payload
if mount -t 9p -o trans=virtio,version=9p2000.L,msize=524288 payload /payload; then
  echo "guest: payload mounted, running run.sh"
  mkdir -p /payload/out
  status=0
  bash /payload/run.sh || status=$?
  echo "$status" >/payload/out/status
  echo "guest: run.sh exited with $status"
else
  echo "guest: no payload share"
fi
sync
umount /payload 2>/dev/null
mount -o remount,ro / 2>/dev/null
sync
echo "guest: powering off"
echo o >/proc/sysrq-trigger
sleep 10
