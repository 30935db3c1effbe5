#!/bin/sh
# A job killed at any moment (at random times while it reads, writes and commits, and between
# two steps of its commit) leaves each output the old or the new one, byte for byte. The next
# job in the folder then finishes what the killed one left: the first board's outputs are all
# old or all new, and no temporary file or commit record remains.
#   kill_check.sh QUORLIN_CLI BENCH_GENERATOR [RUNNER]    RUNNER runs the program (wine)
set -eu
cli=$(realpath "$1") gen=$(realpath "$2") runner=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Two versions of a board large enough to be killed while it is written.
"$gen" pcb 1 1 full.pcb && head -n 30000 full.pcb >old.pcb
"$gen" pcb 1 2 full.pcb && head -n 30000 full.pcb >new.pcb
head -n 300 old.pcb >other.pcb
rm full.pcb

convert() { # folder board [environment]
    (cd "$1" && exec env ${3:-} $runner "$cli" pcb "$2" </dev/null >"$work/log" 2>&1)
}
for v in old new; do
    mkdir $v && cp $v.pcb $v/board.pcb
    start=$(date +%s%N)
    convert $v board.pcb
    took=$((($(date +%s%N) - start) / 1000000))
    rm $v/board.pcb
done
names=$(ls old new | grep -v ':$' | sort -u)

same() { # expected actual: both absent or both the same bytes
    if [ -e "$1" ]; then [ -e "$2" ] && cmp -s "$1" "$2"; else [ ! -e "$2" ]; fi
}
all_as() {
    for f in $names; do same "$1/$f" "$2/$f" || return 1; done
}
failures=0 left=0
fail() {
    echo "kill at $moment: $*" >&2
    failures=$((failures + 1))
}

# Moments spread over a whole run (plus a little), and the steps of the commit.
moments=$(awk -v t="$took" 'BEGIN { srand(7); for (i = 0; i < 14; i++)
    printf "%.3f\n", (i + rand()) * t * 1.2 / 14 / 1000 }')
for moment in $moments steps=1 steps=2 steps=3 steps=4; do
    rm -rf run && cp -r old run && cp new.pcb run/board.pcb
    case $moment in
        steps=*) convert run board.pcb "QUORLIN_KILL_AFTER_COMMIT_STEPS=${moment#steps=}" || true ;;
        *)
            (cd run && exec $runner "$cli" pcb board.pcb </dev/null >"$work/log" 2>&1) &
            pid=$!
            sleep "$moment"
            kill -9 "$pid" 2>/dev/null || true
            { wait "$pid"; } 2>/dev/null || true
            ;;
    esac
    for f in $names; do
        same "old/$f" "run/$f" || same "new/$f" "run/$f" || fail "$f is neither old nor new"
    done

    ls run | grep -qE '\.(tmp|commit)[0-9]+_[0-9]+$' && left=$((left + 1))
    cp other.pcb run/other.pcb
    convert run other.pcb || fail "the next job failed: $(cat "$work/log")"
    all_as old run || all_as new run || fail "outputs of two runs after the next job"
    stray=$(ls run | grep -E '\.(tmp|commit)[0-9]+_[0-9]+$' || true)
    [ -z "$stray" ] || fail "left behind: $stray"
    case $moment in
        steps=*) tr -d '\r' <"$work/log" | grep -q "^Completed an interrupted conversion: .*board.pcb$" ||
            fail "no word of the finished commit" ;;
    esac
done
echo "kill_check: 14 random moments over ${took} ms and 4 commit steps ($left left files for the next job), $failures failed"
[ "$failures" -eq 0 ]
