#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks of the Debian package, one step per CTest test:
#   package-check.sh build     BUILD_DIR   make the package with CPack into BUILD_DIR/package-check
#   package-check.sh lintian   BUILD_DIR   lintian: no errors and no warnings
#   package-check.sh metadata  BUILD_DIR   desktop-file-validate, appstreamcli, the MIME type (xmllint and
#                                          update-mime-database), man pages render without warnings
#   package-check.sh installed BUILD_DIR   the unpacked package, read-only, builds and rewrites as a user would
set -euo pipefail

MODE=${1:?mode}
BUILD_DIR=$(cd "${2:?build folder}" && pwd)
OUT="$BUILD_DIR/package-check"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || fail "$tool not found (scripts/setup.sh --test installs it)"
    done
}

package_file() {
    local debs=("$OUT"/quorvale_*.deb)
    [[ -f ${debs[0]} ]] || fail "no package in $OUT (the package_build test makes it)"
    echo "${debs[0]}"
}

# Unpacks the package into a new folder below $1 and prints the folder.
unpack() {
    local root
    root=$(mktemp -d "$1/root.XXXXXX")
    chmod 755 "$root"
    dpkg-deb -x "$(package_file)" "$root"
    echo "$root"
}

case $MODE in
build)
    need cpack dpkg-shlibdeps file
    rm -rf "$OUT"
    mkdir -p "$OUT"
    cpack -G DEB -B "$OUT" --config "$BUILD_DIR/CPackConfig.cmake"
    rm -rf "$OUT/_CPack_Packages"
    echo "Package: $(package_file)"
    ;;
lintian)
    need lintian
    # Overrides, each with its reason, ship in /usr/share/lintian/overrides/quorvale.
    lintian --fail-on error,warning --display-level '>=warning' --color never "$(package_file)"
    ;;
metadata)
    need desktop-file-validate appstreamcli man xmllint update-mime-database
    root=$(unpack "$OUT")
    trap 'rm -rf "$root"' EXIT
    desktop-file-validate "$root"/usr/share/applications/*.desktop
    appstreamcli validate --no-net --pedantic "$root"/usr/share/metainfo/*.metainfo.xml
    appstreamcli validate-tree --no-net "$root"
    # The number of rules the package speaks of is the shipped file's.
    rules=$(grep -c '^{' "$root"/usr/share/quorvale/rwdb.txt | sed -E ':a;s/([0-9])([0-9]{3})($|,)/\1,\2\3/;ta')
    grep -qF "<li>$rules synonym rules" "$root"/usr/share/metainfo/*.metainfo.xml || fail "the metainfo does not say $rules rules"
    # Read whole first: grep -q stops at the match, and under pipefail dpkg-deb's broken pipe would fail the check.
    description=$(dpkg-deb -f "$(package_file)" Description)
    [[ $description == *"($rules are included)"* ]] || fail "the description does not say $rules rules"
    grep -qF 'GPL-3.0-or-later' "$root"/usr/share/metainfo/*.metainfo.xml || fail "the metainfo names no project licence"
    # The site files' MIME type: well-formed, read by shared-mime-info without a word beside the system's
    # own types, and the type the desktop entry opens and the metainfo names.
    mime_xml=$root/usr/share/mime/packages/org.quorvale.quorvale.xml
    xmllint --noout "$mime_xml"
    mime_db="$root/mime-check"
    mkdir -p "$mime_db/packages"
    cp /usr/share/mime/packages/freedesktop.org.xml "$mime_xml" "$mime_db/packages/"
    messages=$(update-mime-database "$mime_db" 2>&1 >/dev/null | grep -v -e "is not in the search path" \
        -e "XDG_DATA_HOME and XDG_DATA_DIRS" -e "environment variables, so" -e "be able to find it" \
        -e "directories currently searched" -e '^- ' -e '^$' || true)
    [[ -z $messages ]] || fail "update-mime-database: $messages"
    type=application/x-quorvale-site
    grep -qx "50:$type:\*.quorvale" "$mime_db/globs2" || fail "*.quorvale is not $type: $(grep quorvale "$mime_db/globs2")"
    grep -qx "$type application/json" "$mime_db/subclasses" || fail "$type is not a kind of application/json"
    grep -qx "MimeType=$type;" "$root"/usr/share/applications/*.desktop || fail "the desktop entry does not open $type"
    grep -q "<mediatype>$type</mediatype>" "$root"/usr/share/metainfo/*.metainfo.xml ||
        fail "the metainfo does not name $type"
    echo "$type: *.quorvale, read by update-mime-database, opened by the desktop entry"
    for page in "$root"/usr/share/man/man1/*.1.gz; do
        # The way lintian renders a page: any message of groff or man is a fault of the page.
        messages=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
        [[ -z $messages ]] || fail "$(basename "$page"): $messages"
        echo "$(basename "$page") renders without warnings"
    done
    ;;
installed)
    need setpriv
    # A folder every user can reach, for the unprivileged run below.
    place=$(mktemp -d)
    chmod 755 "$place"
    root=$(unpack "$place")
    home="$place/home"
    mkdir "$home"
    trap 'chmod -R u+w "$place"; rm -rf "$place"' EXIT
    chmod -R a-w "$root"
    # root may write anywhere: run as an unprivileged user, as a person would.
    run=()
    if [[ $(id -u) -eq 0 ]]; then
        chown 65534:65534 "$home"
        run=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    fi
    run+=(env -u XDG_DATA_HOME "HOME=$home")
    log="$place/log"
    cli() {
        "${run[@]}" "$root/usr/bin/quorvale-cli" "$@" >"$log" 2>&1 || fail "quorvale-cli $*: $(cat "$log")"
    }
    before=$(find "$root" -printf '%P %m %s %T@\n' | sort)

    cli demo
    site="$home/.local/share/quorvale/output/template1"
    [[ -f $site/index.html ]] || fail "no site in $site: $(cat "$log")"
    grep -qF "$site" "$log" || fail "demo does not name $site: $(cat "$log")"
    cli rewrite --seed 1 "$root/usr/share/quorvale/apparticles/a-gentle-path-out-of-depression.txt"
    grep -qE '[1-9][0-9]* Replacements on [0-9]+ words\.$' "$log" || fail "shipped rules: $(cat "$log")"
    # Rules of the user's own, in the user's data folder, replace the shipped ones.
    printf '{gentleness|zebra}\n' >"$home/.local/share/quorvale/rwdb.txt"
    printf 'A little gentleness helps.\n' >"$home/article.txt"
    cli rewrite --spintax "$home/article.txt"
    grep -qF '{zebra}' "$log" || fail "the user's rwdb.txt was not used: $(cat "$log")"

    after=$(find "$root" -printf '%P %m %s %T@\n' | sort)
    [[ $before == "$after" ]] || fail "the installed tree changed: $(diff <(echo "$before") <(echo "$after"))"
    echo "Site built in $site; the installed tree is unchanged"
    ;;
*)
    fail "unknown mode $MODE"
    ;;
esac
