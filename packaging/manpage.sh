#!/bin/sh
# Writes a program's manual page from its own --help (and, for a program of commands, each
# command's --help), so that the page lists the options the program has:
#
#   manpage.sh PROGRAM "WHAT IT DOES" PAGE.man DATE OUT.1.gz
#
# PAGE.man holds the hand-written sections in roff; the options and commands go where its line
# `.\" OPTIONS` stands. The synopsis, the options and the commands are taken from the help text
# (CLI11's layout or Qt's: "Usage:" lines, "Options:", "Positionals:" and "Subcommands:" sections,
# entries of two blanks' indent, a description after two or more blanks or on deeper lines).
set -eu
program=$1 what=$2 page=$3 date=$4 out=$5
name=${program##*/}
version=$("$program" --version | awk '{print $NF; exit}')
help=$("$program" --help)
commands=$(printf '%s\n' "$help" | awk '/^Subcommands:/ {on = 1; next} on && /^$/ {exit}
    on && /^  [^ ]/ {print $1}')

# Roff: blanks and hyphens of option names kept, a leading dot or quote made harmless.
escape() { sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"; }

# The entries of a help text's Options and Positionals sections as tagged paragraphs; with
# "skip-help", the help option (said once for the program) is left out.
entries() {
    awk -v skip="$1" '
        /^[A-Za-z][A-Za-z ]*:$/ { on = ($0 == "Options:" || $0 == "Positionals:"); next }
        !on || /^$/ { next }
        /^  [^ ]/ {
            line = substr($0, 3)
            tag = line; text = ""
            if (match(line, /   */)) { tag = substr(line, 1, RSTART - 1); text = substr(line, RSTART + RLENGTH) }
            # A positional is named by its first word; the rest is the parser'"'"'s type.
            if (tag !~ /^-/) sub(/ .*/, "", tag)
            dropped = skip == "skip-help" && tag ~ /--help/
            if (!dropped) { print ".TP"; print ".B " tag; if (text != "") print text }
            next
        }
        !dropped { sub(/^ +/, ""); print }' | sed -e 's/\\/\\e/g' -e '/^\.B /s/-/\\-/g'
}

# The synopsis line of a help text: its "Usage:" line, the program named by its own name.
synopsis() {
    awk -v name="$name" '/^Usage: / {
        $1 = ""; $2 = name; line = substr($0, 2)
        split(line, w, " "); bold = w[1]
        if (w[2] !~ /^[[A-Z]/ && w[2] != "") bold = bold " " w[2]
        print ".B " bold; rest = substr(line, length(bold) + 2); if (rest != "") print rest
        print ".br"; exit }' | sed -e '/^\.B /s/-/\\-/g'
}

page() {
    upper=$(printf '%s' "$name" | tr '[:lower:]' '[:upper:]')
    echo ".TH $upper 1 \"$date\" \"$name $version\" \"User Commands\""
    echo ".SH NAME"
    echo "$name \\- $what" | sed 's/\([^\\]\)-/\1\\-/g'
    echo ".SH SYNOPSIS"
    if [ -n "$commands" ]; then
        for c in $commands; do "$program" "$c" --help | synopsis; done
        printf '.B %s\n\\-\\-version\n' "$(echo "$name" | sed 's/-/\\-/g')"
    else
        printf '%s\n' "$help" | synopsis
    fi
    while IFS= read -r line; do
        if [ "$line" != '.\" OPTIONS' ]; then
            printf '%s\n' "$line"
            continue
        fi
        echo ".SH OPTIONS"
        printf '%s\n' "$help" | entries keep-help
        [ -n "$commands" ] || continue
        echo ".SH COMMANDS"
        for c in $commands; do
            sub=$("$program" "$c" --help)
            echo ".SS $c"
            printf '%s\n' "$sub" | sed -n '1{/^Usage:/!p}' | escape
            printf '%s\n' "$sub" | entries skip-help
        done
    done <"$page"
}

page >"${out%.gz}"
gzip -9nf "${out%.gz}"
