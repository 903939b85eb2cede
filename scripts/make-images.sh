#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the sample background pictures that ship with Quorvale:
#   data/appimages/*.jpg                 pictures offered for the headline section
#   data/template1/assets/images/bg.jpg  default background of design 1
#   data/template2/assets/images/bg.jpg  default background of design 2
#
# Everything is drawn from fixed numbers and fixed seeds, so running the
# script again gives the same pictures. Needs ImageMagick 6 (convert) and awk.
#
#   scripts/make-images.sh            write into the repository's data/ folder
#   scripts/make-images.sh OUT_DIR    write the pictures into OUT_DIR only
set -euo pipefail

CONVERT=${CONVERT:-/usr/bin/convert}
if ! "$CONVERT" -version 2>/dev/null | grep -q ImageMagick; then
    echo "make-images.sh: ImageMagick's convert not found at $CONVERT (set CONVERT=...)" >&2
    exit 1
fi

ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=${1:-$ROOT/data/appimages}
COPY_DEFAULTS=1
[ $# -ge 1 ] && COPY_DEFAULTS=0
mkdir -p "$OUT"

W=1920
H=1080
QUALITY=84
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

# ridge SEED BASE AMP OCTAVES [SPAN]
# Prints an ImageMagick "polygon" for a ridge line across the picture, closed
# along the bottom edge. The line is value noise: random heights on a coarse
# lattice (SPAN pixels apart), smoothly joined, with OCTAVES finer layers of
# half the size and half the height each. The random numbers come from a
# Park-Miller generator, so every awk gives the same line.
ridge() {
    awk -v seed="$1" -v base="$2" -v amp="$3" -v oct="$4" -v span="${5:-480}" \
        -v w="$W" -v h="$H" 'BEGIN {
        s = seed % 2147483647; if (s <= 0) s += 2147483646
        pi = 3.141592653589793
        for (o = 0; o < oct; o++) {
            sp[o] = span / (2 ^ o); a[o] = amp / (2 ^ o)
            n = int(w / sp[o]) + 2
            for (i = 0; i <= n; i++) {
                s = (s * 16807) % 2147483647
                v[o, i] = s / 2147483647 * 2 - 1
            }
        }
        printf "polygon 0,%d", h
        for (x = 0; x <= w; x += 4) {
            y = base
            for (o = 0; o < oct; o++) {
                i = int(x / sp[o]); t = x / sp[o] - i
                f = (1 - cos(t * pi)) / 2
                y += a[o] * (v[o, i] * (1 - f) + v[o, i + 1] * f)
            }
            printf " %d,%.1f", x, y
        }
        printf " %d,%d\n", w, h
    }'
}

# sky FILE WIDTH FIRST_COLOR COLOR:ROWS ...
# Writes a WIDTH x H vertical gradient that starts at FIRST_COLOR and moves
# to each following COLOR over ROWS rows; the result is stretched to H rows.
sky() {
    local file=$1 width=$2
    shift 2
    local parts=() prev=$1
    shift
    while [ $# -gt 0 ]; do
        local stop=${1%%:*} rows=${1##*:}
        parts+=( -size "1x$rows" "gradient:$prev-$stop" )
        prev=$stop
        shift
    done
    "$CONVERT" "${parts[@]}" -append -scale "${width}x$H!" "$file"
}

# glow FILE X Y RADIUS COLOR
# A soft round light (sun, moon, lamp) on black, for "screen" compositing.
glow() {
    "$CONVERT" -size "${W}x$H" xc:black -fill "$5" \
        -draw "circle $2,$3 $(($2 + $4)),$3" -blur "0x$(($4 * 2 / 3))" "$1"
}

finish() {
    # A little grain hides gradient banding; the blur keeps edges soft.
    "$CONVERT" "$1" -blur 0x0.8 -seed 7 -attenuate 0.12 +noise Gaussian \
        -strip -interlace JPEG -sampling-factor 4:2:0 -quality "$QUALITY" "$2"
}

# layer BACKGROUND TOP_COLOR BOTTOM_COLOR DRAW
# Fills the shape DRAW with a vertical gradient and lays it over BACKGROUND
# (in place). A lighter bottom colour reads as mist in the valley.
layer() {
    "$CONVERT" "$1" \
        \( -size "${W}x$H" "gradient:$2-$3" \
           \( -size "${W}x$H" xc:black -fill white -draw "$4" \) \
           -alpha off -compose copy_opacity -composite \) \
        -compose over -composite "$1"
}

# stars SEED COUNT TOP BOTTOM
# Prints draw commands for COUNT small stars between rows TOP and BOTTOM.
stars() {
    awk -v seed="$1" -v n="$2" -v top="$3" -v bottom="$4" -v w="$W" 'BEGIN {
        s = seed
        for (i = 0; i < n; i++) {
            s = (s * 16807) % 2147483647; x = s / 2147483647 * w
            s = (s * 16807) % 2147483647; y = top + (s / 2147483647) ^ 1.6 * (bottom - top)
            s = (s * 16807) % 2147483647; b = s / 2147483647
            g = int(120 + 135 * b * b); r = (b > 0.93) ? 1.6 : 0.9
            printf "fill rgb(%d,%d,%d) circle %.1f,%.1f %.1f,%.1f ", g, g, int(g * 0.97 + 8 > 255 ? 255 : g * 0.97 + 8), x, y, x + r, y
        }
    }'
}

# streaks SEED COUNT CX TOP BOTTOM SPREAD
# Short horizontal light strokes for a reflection on water, thinning out
# away from the centre column CX.
streaks() {
    awk -v seed="$1" -v n="$2" -v cx="$3" -v top="$4" -v bottom="$5" -v spread="$6" 'BEGIN {
        s = seed
        for (i = 0; i < n; i++) {
            s = (s * 16807) % 2147483647; u = s / 2147483647
            s = (s * 16807) % 2147483647; v = s / 2147483647
            s = (s * 16807) % 2147483647; l = s / 2147483647
            y = top + u * (bottom - top)
            d = (v * 2 - 1); d = d * d * d
            x = cx + d * spread * (0.4 + u)
            len = 10 + l * 60 * (0.5 + u)
            printf "line %.1f,%.1f %.1f,%.1f ", x - len / 2, y, x + len / 2, y
        }
    }'
}

# --- Image288: quiet dusk over rolling hills ------------------------------
dusk_hills() {
    sky "$TMP/a.png" "$W" '#1a2244' '#343a6a:300' '#84608a:250' '#e99a7e:170' '#f7c794:360'
    glow "$TMP/g.png" 1240 660 110 '#ffd7a0'
    "$CONVERT" "$TMP/a.png" "$TMP/g.png" -compose screen -composite \
        -fill '#9a7697' -draw "$(ridge 11 700 55 3 520)" \
        -fill '#6c5680' -draw "$(ridge 23 775 75 3 600)" \
        -fill '#453b66' -draw "$(ridge 37 865 85 2 700)" \
        -fill '#262240' -draw "$(ridge 41 965 70 2 800)" \
        "$TMP/b.png"
    finish "$TMP/b.png" "$1"
}

# --- Image101: moonlit sea ------------------------------------------------
moon_sea() {
    sky "$TMP/a.png" "$W" '#0b1530' '#1b2f55:420' '#3d5b80:200' '#7d93ab:100'
    glow "$TMP/g.png" 1380 260 60 '#fff4dc'
    "$CONVERT" -size "${W}x$H" xc:black -fill '#fffdf5' -draw 'circle 1380,260 1380,218' "$TMP/m.png"
    "$CONVERT" "$TMP/a.png" "$TMP/g.png" -compose screen -composite \
        "$TMP/m.png" -compose screen -composite "$TMP/a.png"
    # the sea below a straight horizon at row 720
    "$CONVERT" "$TMP/a.png" \
        \( -size "${W}x360" gradient:'#2a4466-#0a1328' \) -geometry +0+720 -compose over -composite \
        \( -size "${W}x$H" xc:black -stroke '#d8d2bc' -strokewidth 2 \
           -draw "$(streaks 5 420 1380 726 1080 420)" -blur 0x2 \) \
        -compose screen -composite \
        \( -size "${W}x$H" xc:black -fill '#4a6688' -draw 'rectangle 0,712 1920,728' -blur 0x10 \) \
        -compose screen -composite \
        "$TMP/b.png"
    finish "$TMP/b.png" "$1"
}

# --- Image150: misty blue mountains --------------------------------------
misty_mountains() {
    sky "$TMP/a.png" "$W" '#22324f' '#51698a:420' '#a9b8c8:380' '#c9d2dc:280'
    layer "$TMP/a.png" '#7d90a8' '#b7c3d0' "$(ridge 101 560 150 6 420)"
    layer "$TMP/a.png" '#5b7090' '#9fb0c2' "$(ridge 211 680 130 6 380)"
    layer "$TMP/a.png" '#3d5273' '#8195ad' "$(ridge 307 800 110 5 360)"
    layer "$TMP/a.png" '#22334f' '#4d6283' "$(ridge 409 920 90 5 340)"
    layer "$TMP/a.png" '#121d31' '#1d2a42' "$(ridge 503 1010 50 5 300)"
    finish "$TMP/a.png" "$1"
}

# --- Image175: soft abstract light -----------------------------------------
# Drawn at a quarter of the size and scaled up: big blurs stay cheap and the
# result is perfectly smooth.
soft_light() {
    local w=$((W / 4)) h=$((H / 4))
    "$CONVERT" -size "${w}x$h" gradient:'#151a3a-#0b1226' \
        \( -size "${w}x$h" xc:black \
           -fill '#1f6f8b' -draw 'circle 120,80 120,200' \
           -fill '#5b3e96' -draw 'circle 380,190 380,320' \
           -fill '#2a4fa0' -draw 'circle 300,40 300,120' \
           -fill '#7a3f7f' -draw 'circle 40,250 40,330' \
           -blur 0x45 \) -compose screen -composite \
        \( -size "${w}x$h" xc:black \
           -fill '#3a6f9a' -draw 'circle 330,100 330,118' \
           -fill '#4c5aa8' -draw 'circle 200,170 200,182' \
           -fill '#2f7f8f' -draw 'circle 90,150 90,158' \
           -fill '#5e4d9a' -draw 'circle 420,60 420,70' \
           -blur 0x6 \) -compose screen -composite \
        -resize "${W}x$H!" "$TMP/a.png"
    finish "$TMP/a.png" "$1"
}

# --- Image200: northern lights over a still forest ----------------------
aurora() {
    sky "$TMP/a.png" "$W" '#050b1a' '#0b1a33:600' '#12324a:480'
    local w=$((W / 4)) h=$((H / 4))
    "$CONVERT" -size "${w}x$h" xc:black \
        -fill none -stroke '#2fd49a' -strokewidth 14 \
        -draw "bezier 0,150 120,60 260,170 480,70" \
        -stroke '#2aa8b8' -strokewidth 10 \
        -draw "bezier 40,110 180,40 300,120 470,30" \
        -stroke '#6a4fc8' -strokewidth 8 \
        -draw "bezier 60,80 200,20 330,90 480,10" \
        -blur 0x14 -resize "${W}x$H!" "$TMP/g.png"
    "$CONVERT" "$TMP/a.png" \
        \( -size "${W}x$H" xc:black -draw "$(stars 17 420 0 760)" \) -compose screen -composite \
        \( "$TMP/g.png" -evaluate multiply 0.85 \) -compose screen -composite \
        -fill '#0a1422' -draw "$(ridge 71 860 60 3 500)" \
        -fill '#050b15' -draw "$(ridge 83 950 70 7 260)" \
        "$TMP/b.png"
    finish "$TMP/b.png" "$1"
}

# --- Image225: lake at first light -----------------------------------------
dawn_lake() {
    sky "$TMP/a.png" "$W" '#1f3154' '#4a6890:250' '#c7a18f:230' '#f3d1a2:80' '#f6dcb4:520'
    glow "$TMP/g.png" 700 520 80 '#ffe0a8'
    "$CONVERT" "$TMP/a.png" "$TMP/g.png" -compose screen -composite \
        -fill '#7d7f98' -draw "$(ridge 131 520 40 4 420)" \
        -fill '#454c69' -draw "$(ridge 149 548 30 4 360)" \
        -crop "${W}x560+0+0" +repage "$TMP/top.png"
    "$CONVERT" "$TMP/top.png" \
        \( "$TMP/top.png" -flip -crop "${W}x520+0+0" +repage -blur 0x3 \
           -fill '#1a2640' -colorize 30% \) -append \
        \( -size "${W}x$H" xc:none -fill '#ffffff20' -draw 'rectangle 0,560 1920,563' \) \
        -compose over -composite "$TMP/b.png"
    finish "$TMP/b.png" "$1"
}

# --- Image250: starry sky over dark hills ----------------------------------
starry_hills() {
    sky "$TMP/a.png" "$W" '#070b1f' '#141c3e:500' '#2b3563:380' '#4a4a78:200'
    "$CONVERT" -size 480x270 xc:black -fill '#3b4680' -draw 'ellipse 250,120 260,34 -20,380' \
        -blur 0x22 -resize "${W}x$H!" "$TMP/g.png"
    "$CONVERT" "$TMP/a.png" "$TMP/g.png" -compose screen -composite \
        \( -size "${W}x$H" xc:black -draw "$(stars 29 900 0 880)" \) -compose screen -composite \
        -fill '#1c2146' -draw "$(ridge 181 820 70 3 600)" \
        -fill '#0d1030' -draw "$(ridge 191 930 60 3 700)" \
        "$TMP/b.png"
    finish "$TMP/b.png" "$1"
}

dusk_hills "$OUT/Image288.jpg"
moon_sea "$OUT/Image101.jpg"
misty_mountains "$OUT/Image150.jpg"
soft_light "$OUT/Image175.jpg"
aurora "$OUT/Image200.jpg"
dawn_lake "$OUT/Image225.jpg"
starry_hills "$OUT/Image250.jpg"

if [ "$COPY_DEFAULTS" = 1 ]; then
    for t in template1 template2; do
        mkdir -p "$ROOT/data/$t/assets/images"
    done
    cp "$OUT/Image288.jpg" "$ROOT/data/template1/assets/images/bg.jpg"
    cp "$OUT/Image225.jpg" "$ROOT/data/template2/assets/images/bg.jpg"
fi
