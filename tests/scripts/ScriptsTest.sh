#!/usr/bin/env bash
# The set-up scripts against stand-ins for the package manager, sudo and cmake, which log how
# they were called:
#   ScriptsTest.sh SOURCE_DIR
set -uo pipefail
src=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

mkdir -p "$work/bin"
# dpkg-query: the packages named in $INSTALLED are installed.
cat >"$work/bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
for p in $INSTALLED; do [[ $p == "${!#}" ]] && { echo "install ok installed"; exit 0; }; done
exit 1
EOF
# apt-get: logged; while $work/locked holds a number, that many calls fail as a held lock would.
cat >"$work/bin/apt-get" <<EOF
#!/usr/bin/env bash
echo "apt-get \$* DEBIAN_FRONTEND=\${DEBIAN_FRONTEND:-}" >>"$work/log"
n=\$(cat "$work/locked" 2>/dev/null || echo 0)
if ((n > 0)); then
    echo \$((n - 1)) >"$work/locked"
    echo "E: Could not get lock /var/lib/dpkg/lock-frontend. It is held by process 4242 (apt-get)" >&2
    exit 100
fi
EOF
cat >"$work/bin/sudo" <<EOF
#!/usr/bin/env bash
echo "sudo \$1" >>"$work/log"
exec "\$@"
EOF
cat >"$work/bin/id" <<'EOF'
#!/usr/bin/env bash
echo "$FAKE_UID"
EOF
cat >"$work/bin/sleep" <<'EOF'
#!/usr/bin/env bash
exit 0
EOF
cat >"$work/bin/cmake" <<EOF
#!/usr/bin/env bash
echo "cmake \$*" >>"$work/log"
EOF
cat >"$work/bin/ctest" <<EOF
#!/usr/bin/env bash
echo "ctest \$*" >>"$work/log"
EOF
chmod +x "$work/bin/"*

run() { # run UID INSTALLED SCRIPT ARGS...
    local uid=$1 installed=$2
    shift 2
    : >"$work/log"
    PATH="$work/bin:$PATH" FAKE_UID=$uid INSTALLED=$installed "$@" >/dev/null 2>&1
}

# As root, nothing installed: no sudo, the lock is waited for, and the program's packages only.
run 0 "" "$src/scripts/deps.sh" || fail "deps.sh as root ended with an error"
grep -q "^sudo" "$work/log" && fail "deps.sh used sudo as root"
install=$(grep " install " "$work/log")
[[ $install == *"DPkg::Lock::Timeout="* ]] || fail "deps.sh does not wait for the lock: $install"
[[ $install == *"--no-install-recommends"* ]] || fail "deps.sh installs recommendations"
[[ $install == *"DEBIAN_FRONTEND=noninteractive"* ]] || fail "deps.sh may ask questions"
[[ $install == *"qt6-base-dev"* && $install == *"libsqlite3-dev"* ]] ||
    fail "deps.sh misses the program's packages: $install"
[[ $install == *"libgtest-dev"* || $install == *"libbenchmark-dev"* ]] &&
    fail "the program alone installs the test packages: $install"

# The tests' packages on demand; the sanitizer runtimes come with g++.
run 0 "" "$src/scripts/deps.sh" --sanitize || fail "deps.sh --sanitize ended with an error"
install=$(grep " install " "$work/log")
[[ $install == *"libgtest-dev"* && $install == *"libbenchmark-dev"* ]] ||
    fail "deps.sh --sanitize misses the test packages: $install"
[[ $install == *"clang"* ]] && fail "deps.sh --sanitize installs clang's runtime: $install"

# What packaging and the install check need, only for them.
[[ $install == *"desktop-file-utils"* ]] && fail "deps.sh --sanitize installs the packaging tools"
run 0 "" "$src/scripts/deps.sh" --package || fail "deps.sh --package ended with an error"
install=$(grep " install " "$work/log")
[[ $install == *"desktop-file-utils"* && $install == *"dpkg-dev"* && $install == *"qt6-base-dev"* ]] ||
    fail "deps.sh --package misses what packaging needs: $install"

# What is installed already is not installed again; with everything there nothing runs.
run 0 "build-essential cmake qt6-base-dev" "$src/scripts/deps.sh" || fail "deps.sh failed"
install=$(grep " install " "$work/log")
[[ $install == *"cmake"* ]] && fail "deps.sh installs what is there: $install"
run 0 "build-essential cmake qt6-base-dev libsqlite3-dev" "$src/scripts/deps.sh" ||
    fail "deps.sh failed with everything installed"
[[ -s $work/log ]] && fail "deps.sh ran the package manager with everything installed"

# Another user goes through sudo, environment included.
run 1000 "" "$src/scripts/deps.sh" || fail "deps.sh as a user ended with an error"
grep -q "^sudo" "$work/log" || fail "deps.sh as a user does not go through sudo: $(cat "$work/log")"

# A lock held by another installation is waited for.
echo 2 >"$work/locked"
run 0 "" "$src/scripts/deps.sh" || fail "deps.sh gave up on a held lock"
[[ $(grep -c " install " "$work/log") -eq 1 ]] || fail "deps.sh did not install after the lock"

# scripts/start configures and builds the program alone.
mkdir -p "$work/build/bin"
printf '#!/usr/bin/env bash\necho "kelvora $*" >>"%s/log"\n' "$work" >"$work/build/bin/kelvora"
chmod +x "$work/build/bin/kelvora"
KELVORA_BUILD_DIR=$work/build run 0 "build-essential cmake qt6-base-dev libsqlite3-dev" \
    "$src/scripts/start" || fail "start ended with an error"
configure=$(grep "cmake -S" "$work/log")
[[ $configure == *"-DKELVORA_TESTS=OFF"* && $configure == *"-DKELVORA_BENCH=OFF"* ]] ||
    fail "start configures the tests or benchmarks: $configure"
grep -q "cmake --build .* --target kelvora" "$work/log" || fail "start builds more than the program"
grep -q "^kelvora" "$work/log" || fail "start did not start the program"
[[ $configure == *"-DKELVORA_WERROR=ON"* ]] || fail "start builds without warnings as errors"

# scripts/test builds everything with warnings as errors and runs ctest.
KELVORA_BUILD_DIR=$work/build run 0 "" "$src/scripts/test" || fail "test ended with an error"
configure=$(grep "cmake -S" "$work/log")
[[ $configure == *"-DKELVORA_WERROR=ON"* && $configure == *"-DKELVORA_TESTS=ON"* ]] ||
    fail "test configures without warnings as errors or tests: $configure"
grep -q "^ctest --test-dir $work/build" "$work/log" || fail "test did not run ctest"

if ((failures)); then
    exit 1
fi
echo "the set-up scripts behave"
