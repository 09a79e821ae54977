#!/usr/bin/env bash
# Installs the Debian packages that Kelvora needs, when they are missing.
#   scripts/deps.sh              what building and running the program needs
#   scripts/deps.sh --tests      that, and what the tests and benchmarks need
#   scripts/deps.sh --sanitize   the same as --tests (g++ brings its own sanitizer runtimes)
#   scripts/deps.sh --package    what building the program needs, and what making its .deb and
#                                checking the installed program need (scripts/install-check)
# Runs as root directly, otherwise through sudo. While another installation holds the package
# manager's lock, it waits for it (up to ten minutes) instead of failing.
set -euo pipefail

packages=(build-essential cmake qt6-base-dev libsqlite3-dev)
case "${1:-}" in
    "") ;;
    --tests | --sanitize)
        # fonts-dejavu-core: the offscreen tests measure and draw text in a known font.
        packages+=(libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core)
        ;;
    --package)
        # cpack's DEB generator reads the libraries linked with dpkg-shlibdeps (dpkg-dev),
        # which needs file; desktop-file-validate checks the installed menu entry.
        packages+=(dpkg-dev file desktop-file-utils)
        ;;
    *)
        echo "usage: $0 [--tests | --sanitize | --package]" >&2
        exit 2
        ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
((${#missing[@]})) || exit 0

as_root=()
if [[ $(id -u) -ne 0 ]]; then
    if ! command -v sudo >/dev/null; then
        echo "Missing packages: ${missing[*]}; run this as root or install sudo." >&2
        exit 1
    fi
    as_root=(sudo)
fi

lock_wait=600
# apt-get waits for the dpkg lock by itself when told to; a lock it does not wait for (an older
# apt, the package lists) fails the call, which is then tried again until the time is up. Any
# other failure ends the script.
apt_get() {
    local deadline=$((SECONDS + lock_wait))
    local errors
    errors=$(mktemp)
    while true; do
        if "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get -o DPkg::Lock::Timeout="$lock_wait" "$@" 2>"$errors"; then
            cat "$errors" >&2
            rm -f "$errors"
            return 0
        fi
        cat "$errors" >&2
        if ! grep -qi "lock" "$errors" || ((SECONDS >= deadline)); then
            rm -f "$errors"
            return 1
        fi
        echo "Another installation holds the package manager; waiting for it." >&2
        sleep 10
    done
}

echo "Installing: ${missing[*]}"
apt_get update -qq
apt_get install -y -qq --no-install-recommends "${missing[@]}"
