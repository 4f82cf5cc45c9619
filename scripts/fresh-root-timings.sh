#!/usr/bin/env bash
# Times the README's two commands in a fresh Debian 12 root made by debootstrap in FOLDER, with the
# packages they install fetched first (the timed runs take them from apt's cache, so the network
# is not timed but for apt-get update's look at the package lists, timed on its own). Prints wall
# and CPU seconds of each command and the machine's load; the root is left for a second look.
#
#   bash scripts/fresh-root-timings.sh FOLDER       (as root; about 1.5 GB)
source "$(dirname "$0")/common.sh"
FRESH="${1:?usage: bash scripts/fresh-root-timings.sh FOLDER}"
install_packages debootstrap time
[ -d "$FRESH/usr" ] || debootstrap --variant=minbase bookworm "$FRESH" http://deb.debian.org/debian
mounts=(proc sys dev dev/pts)
for m in "${mounts[@]}"; do mountpoint -q "$FRESH/$m" || mount --bind "/$m" "$FRESH/$m"; done
trap 'for m in dev/pts dev sys proc; do umount "$FRESH/$m" 2>/dev/null || true; done' EXIT
cp /etc/resolv.conf "$FRESH/etc/resolv.conf"
IN_ROOT=(chroot "$FRESH" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8)
in_root() { "${IN_ROOT[@]}" "$@"; }
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends git ca-certificates >/dev/null
rm -rf "$FRESH/root/quorella"
git clone -q "$ROOT" "$FRESH/root/quorella"
# Every package either command installs, fetched now and not timed.
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends --download-only \
  "${APP_PACKAGES[@]}" "${TEST_PACKAGES[@]}" npm >/dev/null
timed() { # LABEL COMMAND...: "LABEL: wall W s, CPU C s (user U, system S)"
  local label=$1 out
  shift
  /usr/bin/time -o "$FRESH/root/times" -f "%e %U %S" "${IN_ROOT[@]}" "$@" >"$FRESH/root/log" 2>&1 ||
    { tail -20 "$FRESH/root/log"; echo "$label failed" >&2; }
  out=$(tail -1 "$FRESH/root/times")
  awk -v l="$label" '{ printf "%s: wall %.0f s, CPU %.0f s (user %.0f, system %.0f)\n", l, $1, $2 + $3, $2, $3 }' <<<"$out"
}
echo "machine: $(nproc) cores, load before: $(cut -d' ' -f1-3 /proc/loadavg)"
timed "apt-get update (network)" apt-get update -qq
timed "start.sh (packages from the cache, build, sample site)" bash -c 'cd /root/quorella && bash scripts/start.sh'
timed "test.sh (packages, build, every test)" bash -c 'cd /root/quorella && bash scripts/test.sh'
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
