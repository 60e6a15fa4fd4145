#!/bin/sh
# Writes the quarrion-cli manual page from the tool's own help, so the page never
# drifts from the options: make_man_page.sh OUT CLI VERSION
set -eu
out=$1 cli=$2 version=$3
include=$(mktemp)
trap 'rm -f "$include"' EXIT
{
    echo "[COMMANDS]"
    for command in $("$cli" --help | awk '/^Subcommands:/ { listing = 1; next } listing && NF { print $1 }'); do
        echo ".SS $command"
        echo ".nf"
        # Backslashes and leading dots would read as roff requests.
        "$cli" "$command" --help | sed -e 's/\\/\\e/g' -e 's/^\./\\\&./' -e 's/^'"'"'/\\\&'"'"'/'
        echo ".fi"
    done
    echo "[EXIT STATUS]"
    echo "0 success, 1 the command ran and failed (a type could not be searched, a file not"
    echo "written), 2 the command line was wrong."
    echo "[ENVIRONMENT]"
    echo ".TP"
    echo ".B QUARRION_HOME"
    echo "The data folder (database, settings, error log, sample company); --home overrides it."
} >"$include"
help2man --no-info --no-discard-stderr --version-string="$version" \
    --name="find QuickBooks lists and transactions from a terminal" \
    --include="$include" --output="$out" "$cli"
