#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The bash completion of quorvale-cli against the tool's help texts:
#   completion-test.sh COMPLETION_FILE CLI_FOLDER
# Each case is the command line up to the cursor (the last word is the one
# being completed) and the completions expected, in sorted order.
COMPLETION=${1:?completion file}
CLI_FOLDER=$(cd "${2:?folder of quorvale-cli}" && pwd) || exit 1
export PATH="$CLI_FOLDER:$PATH"
# shellcheck source=/dev/null
source "$COMPLETION"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir site
touch article.txt rules.txt

failures=0
check() {
    local expected=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    _quorvale_cli 2>/dev/null
    local got
    got=$(printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort | paste -sd ' ')
    if [[ $got != "$expected" ]]; then
        echo "FAIL: '$*': expected '$expected', got '$got'"
        failures=$((failures + 1))
    fi
}

check "build check-rules count-words demo import-thesaurus project rewrite spin" quorvale-cli ""
check "rewrite" quorvale-cli re
check "--version" quorvale-cli --v
check "--help --home" quorvale-cli demo --h
check "--max-items" quorvale-cli import-thesaurus --m
check "--help -h" quorvale-cli count-words -
check "site" quorvale-cli rewrite --home ""
check "site" quorvale-cli build --home = ""
check "site" quorvale-cli build --out ""
check "--project" quorvale-cli build --pro
check "article.txt rules.txt site" quorvale-cli import-thesaurus -o ""
check "rules.txt" quorvale-cli rewrite --rules r
check "" quorvale-cli rewrite --seed ""
check "article.txt" quorvale-cli rewrite --spintax a
check "" quorvale-cli demo ""
check "" quorvale-cli no-such-command --

((failures == 0)) && echo "All completions as expected"
exit $((failures > 0))
