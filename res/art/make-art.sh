#!/usr/bin/env bash
# make-art.sh - regenerate the Duskmere launcher artwork from scratch.
#
#   bash res/art/make-art.sh            (from anywhere; writes into res/)
#
# Produces (all in res/):
#   background.bmp        640 x 480, 24-bit BI_RGB BMP (launcher window)
#   button_normal.bmp     329 x 46,  24-bit BI_RGB BMP (button states,
#   button_hover.bmp                  no captions: the launcher draws them)
#   button_pressed.bmp
#   button_disabled.bmp
#   launcher.ico          16, 32 and 48 px icon, 32-bit BGRA + AND mask
#
# Needs only Debian packages:
#   apt-get install imagemagick python3 fonts-linuxlibertine
# (ImageMagick renders the text masks and writes the BMP files; python3,
# standard library only, paints everything else; the typeface is
# Linux Libertine / Linux Biolinum from fonts-linuxlibertine.)
#
# The output is deterministic: same packages in, same bytes out.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
res="$(cd "$here/.." && pwd)"

# ---- text shown on the background (left column only) ---------------------
TITLE_TEXT="DUSKMERE"
PRE_TEXT="CORVANE PRESENTS"
SUB_TEXT="The Drowned Moon"
COPY_TEXT="© Corvane. All rights reserved."

FONTDIR=/usr/share/fonts/opentype/linux-libertine
FONT_TITLE="$FONTDIR/LinLibertine_RZ.otf"     # Libertine Semibold
FONT_PRE="$FONTDIR/LinLibertine_R.otf"
FONT_SUB="$FONTDIR/LinLibertine_RI.otf"
FONT_COPY="$FONTDIR/LinBiolinum_R.otf"

# ---- tool checks -----------------------------------------------------------
for tool in convert python3; do
    command -v "$tool" >/dev/null 2>&1 || {
        echo "make-art.sh: '$tool' not found (apt-get install imagemagick python3)" >&2
        exit 1
    }
done
for f in "$FONT_TITLE" "$FONT_PRE" "$FONT_SUB" "$FONT_COPY"; do
    [ -r "$f" ] || {
        echo "make-art.sh: font $f missing (apt-get install fonts-linuxlibertine)" >&2
        exit 1
    }
done

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# ---- 1. text masks (white on black, trimmed, 8-bit grey) -------------------
mask() {   # mask OUT FONT POINTSIZE KERNING TEXT
    convert -background black -fill white -font "$2" -pointsize "$3" \
        -kerning "$4" "label:$5" -trim +repage \
        -colorspace Gray -depth 8 "pgm:$1"
}
mask "$tmp/title.pgm" "$FONT_TITLE" 45 3.2 "$TITLE_TEXT"
mask "$tmp/pre.pgm"   "$FONT_PRE"   10 3.0 "$PRE_TEXT"
mask "$tmp/sub.pgm"   "$FONT_SUB"   17 0.6 "$SUB_TEXT"
mask "$tmp/copy.pgm"  "$FONT_COPY"  10 0.4 "$COPY_TEXT"

# ---- 2. paint everything (PPM files + the icon) ----------------------------
python3 "$here/paint.py" "$tmp" "$tmp"

# ---- 3. PPM -> uncompressed 24-bit BMP (BITMAPINFOHEADER, BI_RGB) ---------
for name in background button_normal button_hover button_pressed button_disabled; do
    convert "$tmp/$name.ppm" -alpha off -type TrueColor -compress None \
        "BMP3:$res/$name.bmp"
done
cp "$tmp/launcher.ico" "$res/launcher.ico"

# ---- 4. verify the headers -------------------------------------------------
python3 "$here/check-art.py" "$res"
