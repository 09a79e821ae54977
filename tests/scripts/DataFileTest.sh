#!/usr/bin/env bash
# The person's data file survives a rebuild of the delivered data, and the tests never see it;
# an update carries what was entered in the file beside the program into the person's:
#   DataFileTest.sh SOURCE_DIR BUILD_DIR
# Uses the programs already built in BUILD_DIR. The program runs offscreen with a home, data and
# configuration folder of its own; data/schema.sql gets a new time stamp for the rebuild and its
# old one back afterwards. The update puts a member into BUILD_DIR/bin/vdsys.vs_ for a while,
# so nothing else may copy that file meanwhile; the file and the folder are left as they were.
set -uo pipefail
src=$1
build=$2
work=$(mktemp -d)
schema=$src/data/schema.sql
template=$build/bin/vdsys.vs_
touch -r "$schema" "$work/schema.stamp"
cp -p "$template" "$work/template"
ls "$template".earlier* >"$work/kept.before" 2>/dev/null
restore() {
    touch -r "$work/schema.stamp" "$schema"
    # No member of this test stays in the template, and no file kept from it stays beside: a
    # real start would carry it over into a person's folder.
    if [[ ! -f $template ||
        -n $(sql "$template" "SELECT 1 FROM usr WHERE FirstN = 'Updatetest'" 2>&1) ]]; then
        cp -p "$work/template" "$template.restore" && mv -f "$template.restore" "$template"
    fi
    local kept
    for kept in "$template".earlier*; do
        [[ -e $kept ]] && ! grep -qxF "$kept" "$work/kept.before" && rm -f "$kept"
    done
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

[[ -z $(sql "$template" "SELECT FirstN FROM usr") ]] || {
    echo "$template holds members: it is someone's data, not a template to test with" >&2
    exit 77
}

# A home of its own: the person's data file, preferences and the program's lock.
new_home() {
    mkdir -p "$work/$1/home" "$work/$1/data" "$work/$1/config" "$work/$1/run"
    chmod 700 "$work/$1/run"
    export HOME=$work/$1/home XDG_DATA_HOME=$work/$1/data XDG_CONFIG_HOME=$work/$1/config
    export XDG_RUNTIME_DIR=$work/$1/run QT_QPA_PLATFORM=offscreen
    own=$XDG_DATA_HOME/Kelvora/vdsys.vs_
    ini=$XDG_CONFIG_HOME/Kelvora/Kelvora.ini
}
new_home first

# Starts the program and ends it once the check "$@" passes with the program's process id
# added, once the program ends by itself, or after 20 seconds.
start_until() {
    "$build/bin/kelvora" >>"$work/program.log" 2>&1 &
    local pid=$! i
    for ((i = 0; i < 200; i++)); do
        "$@" "$pid" && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}
# Whether the program holds its data file open and has stored it as the data path, which it
# does straight after; the file's name goes to $work/opened.
holds_its_file() {
    local opened
    opened=$(find "/proc/$1/fd" -lname '*.vs_' -printf '%l\n' 2>/dev/null | head -n 1)
    [[ -n $opened ]] && grep -qxF "data%20path=$opened" "$ini" 2>/dev/null &&
        echo "$opened" >"$work/opened"
}
# Starts the program until it works in its data file; prints that file's name.
start_once() {
    rm -f "$work/opened"
    start_until holds_its_file
    cat "$work/opened" 2>/dev/null
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

# The data tool keeps a file in its output's place that is no data file, and replaces its own.
tool() { "$build/tools/kelvora_mkdata" "$schema" "$src/data/rows" "$work/tool/vdsys.vs_"; }
mkdir "$work/tool"
echo "not a data file" >"$work/tool/vdsys.vs_"
{ tool && tool; } >"$work/tool.log" 2>&1 || fail "the data tool failed: $(cat "$work/tool.log")"
[[ $(cat "$work/tool/vdsys.vs_.earlier" 2>/dev/null) == "not a data file" &&
    $(ls "$work/tool" | wc -l) == 2 ]] ||
    fail "the data tool kept other than the file that is no data file: $(ls "$work/tool")"

# The update: the file beside the program as the earlier layout left it, writable with a
# member, and the delivered data changed; building the program keeps it, and the first start
# in a new home carries the member over into the person's file, once.
new_home update
chmod 644 "$template"
sql "$template" "INSERT INTO usr (Prefix, FirstN) VALUES ('Ms.', 'Updatetest')" >/dev/null
sleep 1
touch "$schema"
cmake --build "$build" --target kelvora >"$work/build.log" 2>&1 ||
    fail "the build after the update failed: $(tail -n 5 "$work/build.log")"
touch -r "$work/schema.stamp" "$schema"
kept=$(sed -n 's/.* it is kept as //p' "$work/build.log" | tail -n 1)
[[ -n $kept && $(sql "$kept" "SELECT FirstN FROM usr") == Updatetest ]] ||
    fail "the build did not keep the file with the member: $(grep kelvora_mkdata "$work/build.log")"
[[ $(stat -c %a "$template") == 444 && -z $(sql "$template" "SELECT FirstN FROM usr") ]] ||
    fail "the build put no fresh template in place"
carried_over() { [[ -f $kept.copied ]]; }
start_until carried_over # the program then shows what it did, and waits for OK
[[ $(sql "$own" "SELECT FirstN FROM usr") == Updatetest ]] ||
    fail "the member is not in the person's file after the update"
[[ -f $kept.copied && ! -e $kept ]] || fail "the kept file was not set aside as carried over"

if ((failures)); then
    echo "program output:" >&2
    cat "$work/program.log" >&2
    exit 1
fi
echo "the person's data file survives a rebuild and the tests, and an update carries it over"
