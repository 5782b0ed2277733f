#!/usr/bin/env python3
"""Check that the launcher art files have the exact formats the launcher
expects.  Usage: check-art.py [RESDIR]   (default: the folder above this one)

BMP files: 'BM', BITMAPINFOHEADER (40 bytes), positive height (bottom-up),
1 plane, 24 bits per pixel, BI_RGB (no compression), no colour table, the
expected width/height and a file size that matches the pixel data.
Icon: ICO type 1 with 16, 32 and 48 px images, each a 32-bit BI_RGB DIB
(height doubled for the AND mask) or a PNG.
"""
import os
import struct
import sys

BMPS = {
    "background.bmp": (640, 480),
    "button_normal.bmp": (329, 46),
    "button_hover.bmp": (329, 46),
    "button_pressed.bmp": (329, 46),
    "button_disabled.bmp": (329, 46),
}
ICON = "launcher.ico"
ICON_SIZES = (16, 32, 48)


def check_bmp(path, want_w, want_h):
    errs = []
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 54:
        return ["file too short"]
    bf_type, bf_size, _r1, _r2, bf_off = struct.unpack_from("<2sIHHI", data, 0)
    (bi_size, w, h, planes, bpp, comp, size_img,
     _xppm, _yppm, clr_used, _clr_imp) = struct.unpack_from("<IiiHHIIiiII", data, 14)
    if bf_type != b"BM":
        errs.append("bfType %r, want 'BM'" % bf_type)
    if bi_size != 40:
        errs.append("biSize %d, want 40 (BITMAPINFOHEADER, no V4/V5 header)" % bi_size)
    if (w, h) != (want_w, want_h):
        errs.append("size %dx%d, want %dx%d (positive height = bottom-up)" % (w, h, want_w, want_h))
    if planes != 1:
        errs.append("biPlanes %d, want 1" % planes)
    if bpp != 24:
        errs.append("biBitCount %d, want 24" % bpp)
    if comp != 0:
        errs.append("biCompression %d, want 0 (BI_RGB)" % comp)
    if clr_used != 0:
        errs.append("biClrUsed %d, want 0 (no colour table)" % clr_used)
    if bf_off != 54:
        errs.append("bfOffBits %d, want 54 (no colour table / masks)" % bf_off)
    stride = ((abs(w) * 3 + 3) // 4) * 4
    need = 54 + stride * abs(h)
    if len(data) != need:
        errs.append("file is %d bytes, want %d" % (len(data), need))
    if bf_size != len(data):
        errs.append("bfSize %d does not match file size %d" % (bf_size, len(data)))
    return errs


def check_ico(path):
    errs = []
    with open(path, "rb") as f:
        data = f.read()
    reserved, typ, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or typ != 1:
        errs.append("not an icon (reserved=%d type=%d)" % (reserved, typ))
        return errs
    seen = []
    for i in range(count):
        bw, bh, ncol, _res, planes, bpp, size, off = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        w = bw or 256
        h = bh or 256
        seen.append(w)
        if off + size > len(data):
            errs.append("image %d runs past the end of the file" % i)
            continue
        img = data[off:off + size]
        if img[:8] == b"\x89PNG\r\n\x1a\n":
            continue
        (bi_size, dw, dh, dplanes, dbpp, comp) = struct.unpack_from("<IiiHHI", img, 0)
        if bi_size != 40:
            errs.append("image %d: biSize %d, want 40" % (i, bi_size))
        if (dw, dh) != (w, 2 * h):
            errs.append("image %d: DIB %dx%d, want %dx%d" % (i, dw, dh, w, 2 * h))
        if dbpp not in (24, 32) or dbpp != bpp:
            errs.append("image %d: %d bpp (directory says %d), want 32 or 24" % (i, dbpp, bpp))
        if comp != 0:
            errs.append("image %d: compressed DIB" % i)
        xor = ((w * dbpp + 31) // 32) * 4 * h
        andm = ((w + 31) // 32) * 4 * h
        if size != 40 + xor + andm:
            errs.append("image %d: %d bytes, want %d" % (i, size, 40 + xor + andm))
    if sorted(seen) != sorted(ICON_SIZES):
        errs.append("icon sizes %s, want %s" % (sorted(seen), list(ICON_SIZES)))
    return errs


def main():
    resdir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    bad = 0
    for name, (w, h) in BMPS.items():
        errs = check_bmp(os.path.join(resdir, name), w, h)
        print("%-20s %s" % (name, "ok (%dx%d, 24-bit BI_RGB, bottom-up)" % (w, h) if not errs else "FAIL"))
        for e in errs:
            print("    " + e)
        bad += bool(errs)
    errs = check_ico(os.path.join(resdir, ICON))
    print("%-20s %s" % (ICON, "ok (%s px)" % "/".join(map(str, ICON_SIZES)) if not errs else "FAIL"))
    for e in errs:
        print("    " + e)
    bad += bool(errs)
    if bad:
        print("%d file(s) failed the format check" % bad)
        sys.exit(1)
    print("all art files have the expected format")


if __name__ == "__main__":
    main()
