#!/usr/bin/env bash
# scripts/install-deps.sh while another package manager holds apt's locks (with
# fcntl, as apt takes them), in an apt root of the test's own: it must say that
# it waits, go on once the locks are free, and fail with apt's message if they
# stay taken. Usage: install_deps_waits_for_apt.sh INSTALL_DEPS
set -euo pipefail
install_deps=$1
# Another user's install-deps.sh would run the system's apt through sudo.
[ "$(id -u)" -eq 0 ] || { echo "Skipped: needs root"; exit 0; }
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root"/etc/apt/{apt.conf.d,preferences.d} "$root"/var/lib/dpkg "$root"/var/lib/apt/lists/partial "$root"/var/cache/apt/archives/partial
touch "$root"/var/lib/dpkg/status "$root"/etc/apt/sources.list
printf 'Dir "%s/";\nDir::State::status "%s/var/lib/dpkg/status";\n' "$root" "$root" >"$root/apt.conf"
export APT_CONFIG=$root/apt.conf DPKG_ADMINDIR=$root/var/lib/dpkg

# run LISTS DPKG WAIT: holds the package lists' lock for LISTS seconds and
# dpkg's for DPKG more while install-deps.sh waits up to WAIT. The root has no
# packages to install.
run() {
    exec 3< <(python3 -c 'import fcntl, os, sys, time
lists, dpkg = (os.open(path, os.O_RDWR | os.O_CREAT) for path in sys.argv[3:])
for fd in lists, dpkg: fcntl.lockf(fd, fcntl.LOCK_EX)
print(flush=True); time.sleep(float(sys.argv[1])); os.close(lists); time.sleep(float(sys.argv[2]))' \
        "$1" "$2" "$root"/var/lib/apt/lists/lock "$root"/var/lib/dpkg/lock-frontend)
    local holder=$!
    read -r _ <&3
    DUVORA_APT_LOCK_WAIT=$3 "$install_deps" icons >"$root/out" 2>&1 || true
    kill "$holder" 2>/dev/null || true
}
fail() { echo "FAILED: $1"; cat "$root/out"; exit 1; }

run 1 3 60
grep -q "Waiting up to [0-9]* s for another package manager: Could not get lock .*/lists/lock" "$root/out" ||
    fail "no word of waiting"
grep -q "Unable to locate package" "$root/out" || fail "did not go on once the locks were free"
run 60 0 3
grep -q "^E: Could not get lock .*/lists/lock" "$root/out" || fail "did not give up with apt's message"
! grep -q "Unable to locate package" "$root/out" || fail "went on although the lock was taken"
