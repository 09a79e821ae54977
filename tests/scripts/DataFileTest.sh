#!/usr/bin/env bash
# The person's data file survives a rebuild of the delivered data, and the tests never see it:
#   DataFileTest.sh SOURCE_DIR BUILD_DIR
# Uses the programs already built in BUILD_DIR. The program runs offscreen with a home, data and
# configuration folder of its own; data/schema.sql gets a new time stamp for the rebuild and its
# old one back afterwards.
set -uo pipefail
src=$1
build=$2
work=$(mktemp -d)
schema=$src/data/schema.sql
touch -r "$schema" "$work/schema.stamp"
restore() {
    touch -r "$work/schema.stamp" "$schema"
    rm -rf "$work"
}
trap restore EXIT
failures=0

fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

sql() { # sql FILE STATEMENT: the first column of the rows, one a line
    if command -v sqlite3 >/dev/null; then
        sqlite3 "$1" "$2"
    else
        python3 -c 'import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
for row in db.execute(sys.argv[2]): print(row[0])
db.commit()' "$1" "$2"
    fi
}
if ! command -v sqlite3 >/dev/null && ! python3 -c 'import sqlite3' 2>/dev/null; then
    echo "neither the sqlite3 command nor Python's sqlite3 is there" >&2
    exit 77
fi

mkdir -p "$work/home" "$work/data" "$work/config" "$work/run"
chmod 700 "$work/run"
export HOME=$work/home XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
export XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=offscreen
own=$XDG_DATA_HOME/Kelvora/vdsys.vs_
template=$build/bin/vdsys.vs_

ini=$XDG_CONFIG_HOME/Kelvora/Kelvora.ini
# Starts the program and waits until it holds its data file open and has stored it as the data
# path, which it does straight after; prints that file's name and ends the program.
start_once() {
    "$build/bin/kelvora" >>"$work/program.log" 2>&1 &
    local pid=$! opened="" i
    for ((i = 0; i < 200; i++)); do
        opened=$(find "/proc/$pid/fd" -lname '*.vs_' -printf '%l\n' 2>/dev/null | head -n 1)
        [[ -n $opened ]] && grep -qxF "data%20path=$opened" "$ini" 2>/dev/null && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    echo "$opened"
}

# The first start makes the person's own file and works in it.
opened=$(start_once)
[[ $opened == "$own" ]] || fail "the first start opened '$opened', not $own"
[[ -f $own ]] || fail "the first start made no data file in $XDG_DATA_HOME"
[[ $(stat -c %a "$own" 2>/dev/null) == 600 ]] || fail "the data file is not the person's alone"
grep -qxF "data%20path=$own" "$ini" 2>/dev/null ||
    fail "the data path stored is not the person's file"
[[ -w $template && $(id -u) != 0 ]] && fail "the delivered data file is writable"
[[ $(stat -c %a "$template") == 444 ]] || fail "the delivered data file is not read-only"

# A member is entered, then the delivered data are rebuilt.
sql "$own" "INSERT INTO usr (Prefix, FirstN) VALUES ('Ms.', 'Shelltest')" >/dev/null
before=$(stat -c %Y "$template")
sleep 1
touch "$schema"
cmake --build "$build" --target kelvora_datafile >"$work/build.log" 2>&1 ||
    fail "the rebuild failed: $(tail -n 5 "$work/build.log")"
[[ $(stat -c %Y "$template") != "$before" ]] || fail "touching the schema rebuilt nothing"
touch -r "$work/schema.stamp" "$schema"

[[ $(sql "$own" "SELECT FirstN FROM usr") == Shelltest ]] || fail "the member is gone after the rebuild"
[[ -z $(sql "$template" "SELECT FirstN FROM usr") ]] || fail "the template holds a member"
opened=$(start_once)
[[ $opened == "$own" ]] || fail "after the rebuild the program opened '$opened', not $own"
[[ $(sql "$own" "SELECT FirstN FROM usr") == Shelltest ]] || fail "the member is gone after a start"

# The tests, in this very home, work on their own copies: they pass (the options window lists
# the members of its data file), and the person's file is unchanged.
sum=$(sha256sum <"$own")
"$build/bin/test_frame" --gtest_brief=1 --gtest_filter='StartupTest.*:DataFileTest.*:OptionsTest.*' \
    >"$work/tests.log" 2>&1 ||
    fail "the frame tests failed beside a person's data file: $(grep -m 5 FAILED "$work/tests.log")"
[[ $(sha256sum <"$own") == "$sum" ]] || fail "the tests changed the person's data file"

if ((failures)); then
    echo "program output:" >&2
    cat "$work/program.log" >&2
    exit 1
fi
echo "the person's data file survives a rebuild and the tests"
