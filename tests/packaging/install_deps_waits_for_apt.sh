#!/usr/bin/env bash
# install-deps.sh while another package manager holds apt's locks (by fcntl, as
# apt does) in an apt root of the test's own: it says that it waits, goes on
# once the locks are free, and fails with apt's message if they stay taken.
set -euo pipefail
install_deps=${1:?usage: install_deps_waits_for_apt.sh INSTALL_DEPS}
# Another user's install-deps.sh would run the system's apt through sudo.
[ "$(id -u)" -eq 0 ] || { echo "Skipped: needs root"; exit 0; }
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
mkdir -p "$root"/etc/apt/{apt.conf.d,preferences.d} "$root"/var/{lib/dpkg,lib/apt/lists,cache/apt/archives}/partial
touch "$root"/var/lib/dpkg/status "$root"/etc/apt/sources.list
printf 'Dir "%s/";\nDir::State::status "%s/var/lib/dpkg/status";\n' "$root" "$root" >"$root/apt.conf"
export APT_CONFIG=$root/apt.conf DPKG_ADMINDIR=$root/var/lib/dpkg
# run LISTS DPKG WAIT: holds the package lists' lock for LISTS seconds and
# dpkg's for DPKG more while install-deps.sh, in a root that has no packages,
# waits up to WAIT.
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
expect() { grep -q "$1" "$root/out" || { echo "FAILED: $2"; cat "$root/out"; exit 1; }; }
run 1 3 60
expect "Waiting up to [0-9]* s for another package manager: Could not get lock .*/lists/lock" "no word of waiting"
expect "Unable to locate package" "did not go on once the locks were free"
run 60 0 3
expect "^E: Could not get lock .*/lists/lock" "did not give up with apt's message"
! grep -q "Unable to locate package" "$root/out" || { echo "FAILED: went on while the lock was taken"; exit 1; }
