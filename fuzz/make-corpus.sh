#!/usr/bin/env bash
# Writes the small seed corpora of the decoder fuzzers into
# fuzz/corpus/{bmp,png,jpeg,webp,heic,avif}/: one file for each flavour a
# decoder knows, a few hundred bytes each. Needs python3, cjpeg
# (libjpeg-turbo-progs), cwebp (webp) and heif-enc (libheif-examples).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out="$here/corpus"
rm -rf "$out/bmp" "$out/png" "$out/jpeg" "$out/webp" "$out/heic" "$out/avif"
mkdir -p "$out/bmp" "$out/png" "$out/jpeg" "$out/webp" "$out/heic" "$out/avif"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$out" "$work" <<'PY'
import struct, sys, zlib

out, work = sys.argv[1], sys.argv[2]

def colour(x, y):
    return ((x * 37 + y * 11) & 255, (x * 5 + y * 71) & 255, (x * y * 13 + 7) & 255)

# ---- BMP ---------------------------------------------------------------
def row_bytes(w, bits):
    return (w * bits + 31) // 32 * 4

def bmp(name, w, h, bits, rows, compression=0, palette=b"", header_size=40,
        masks=b"", file_header=True, clr_used=0):
    if header_size == 12:
        info = struct.pack("<IHHHH", 12, w, h, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", header_size, w, h, 1, bits, compression,
                           len(rows), 2835, 2835, clr_used, 0)
        if header_size > 40:
            info += masks.ljust(header_size - 40, b"\0")
        else:
            info += masks
    body = info + palette
    data = body + rows
    if file_header:
        data = struct.pack("<2sIHHI", b"BM", 14 + len(data), 0, 0, 14 + len(body)) + data
    open(f"{out}/bmp/{name}.bmp", "wb").write(data)

def pixel_rows(w, h, bits, value, top_down=False):
    rows = []
    for y in range(h):
        row = bytearray()
        if bits >= 16:
            for x in range(w):
                row += value(x, y)
        else:
            acc, n = 0, 0
            for x in range(w):
                acc = (acc << bits) | value(x, y)
                n += bits
                if n == 8:
                    row.append(acc); acc, n = 0, 0
            if n:
                row.append(acc << (8 - n))
        rows.append(bytes(row).ljust(row_bytes(w, bits), b"\0"))
    if top_down:
        rows.reverse()
    return b"".join(rows)

def palette(n, size=4):
    return b"".join(bytes([i * 7 & 255, 255 - i, i * 3 & 255] + ([0] if size == 4 else [])) for i in range(n))

bgr = lambda x, y: bytes(reversed(colour(x, y)))
bmp("rgb24", 5, 3, 24, pixel_rows(5, 3, 24, bgr))
bmp("bare-dib24", 3, 2, 24, pixel_rows(3, 2, 24, bgr), file_header=False)
bmp("top-down24", 3, -3, 24, pixel_rows(3, 3, 24, bgr, top_down=True))
bmp("pal8", 5, 2, 8, pixel_rows(5, 2, 8, lambda x, y: x + 3 * y), palette=palette(256))
bmp("pal8-short-table", 5, 2, 8, pixel_rows(5, 2, 8, lambda x, y: x & 3), palette=palette(4), clr_used=4)
bmp("pal4", 7, 2, 4, pixel_rows(7, 2, 4, lambda x, y: (x + y) & 15), palette=palette(16))
bmp("pal1", 9, 2, 1, pixel_rows(9, 2, 1, lambda x, y: (x + y) & 1), palette=palette(2))
bmp("core8", 4, 2, 8, pixel_rows(4, 2, 8, lambda x, y: x * 60 + y), palette=palette(256, 3), header_size=12)
bmp("rgb555", 3, 2, 16, pixel_rows(3, 2, 16, lambda x, y: struct.pack("<H", x * 1000 + y * 7)))
bmp("rgb32", 3, 2, 32, pixel_rows(3, 2, 32, lambda x, y: bgr(x, y) + b"\0"))
m565 = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
bmp("bitfields565", 3, 2, 16, pixel_rows(3, 2, 16, lambda x, y: struct.pack("<H", x * 2100 + y)), 3, masks=m565)
bmp("v4-bitfields565", 3, 2, 16, pixel_rows(3, 2, 16, lambda x, y: struct.pack("<H", x * 999)), 3,
    masks=m565, header_size=108)
mrgbx = struct.pack("<III", 0xFF000000, 0x00FF0000, 0x0000FF00)
bmp("v5-bitfields32", 3, -2, 32, pixel_rows(3, 2, 32, lambda x, y: bytes([0]) + bgr(x, y), True), 3,
    masks=mrgbx, header_size=124)
bmp("v3-pal8", 4, 2, 8, pixel_rows(4, 2, 8, lambda x, y: x), palette=palette(4), header_size=56, clr_used=4)
rle8 = bytes([3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 2, 0, 2, 5, 0, 0, 6, 7, 0, 1])
bmp("rle8", 6, 3, 8, rle8, compression=1, palette=palette(256))
rle4 = bytes([5, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 1, 0, 2, 0x77, 0, 1])
bmp("rle4", 6, 2, 4, rle4, compression=2, palette=palette(16))

# ---- PNG ---------------------------------------------------------------
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]

def png(name, w, h, colour_type, depth, sample, interlaced=False, plte=None, trns=None):
    def line(xs, y):
        raw = bytearray([0])
        for x in xs:
            for v in sample(x, y):
                raw += v.to_bytes(depth // 8, "big") if depth >= 8 else bytes([v])
        return bytes(raw)
    if interlaced:
        raw = b""
        for x0, y0, dx, dy in ADAM7:
            xs = list(range(x0, w, dx))
            if xs:
                raw += b"".join(line(xs, y) for y in range(y0, h, dy))
    else:
        raw = b"".join(line(range(w), y) for y in range(h))
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, depth, colour_type, 0, 0, int(interlaced)))
    if plte:
        data += chunk(b"PLTE", plte)
    if trns:
        data += chunk(b"tRNS", trns)
    data += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    open(f"{out}/png/{name}.png", "wb").write(data)

png("rgb8", 8, 6, 2, 8, colour)
png("rgba8", 8, 6, 6, 8, lambda x, y: colour(x, y) + ((x * 40) & 255,))
png("rgb16", 4, 4, 2, 16, lambda x, y: tuple(v * 257 for v in colour(x, y)))
png("rgba16", 4, 3, 6, 16, lambda x, y: tuple(v * 257 for v in colour(x, y)) + (x * 20000,))
png("rgb8-interlaced", 9, 7, 2, 8, colour, interlaced=True)
png("rgba8-interlaced", 11, 5, 6, 8, lambda x, y: colour(x, y) + (y * 50,), interlaced=True)
png("rgb8-trns", 4, 4, 2, 8, colour, trns=struct.pack(">HHH", *colour(1, 1)))
png("palette", 4, 4, 3, 8, lambda x, y: (x,), plte=bytes(range(12)))
png("grey8", 4, 4, 0, 8, lambda x, y: (x * 60,))
png("grey-alpha8", 4, 4, 4, 8, lambda x, y: (x * 60, y * 60))
png("grey-alpha16", 4, 4, 4, 16, lambda x, y: (x * 6000, y * 6000))

# ---- pictures for the JPEG encoder --------------------------------------
w, h = 24, 16
pixels = bytes(v for y in range(h) for x in range(w) for v in colour(x * 9, y * 13))
open(f"{work}/colour.ppm", "wb").write(b"P6 %d %d 255\n" % (w, h) + pixels)
exif = lambda o: (b"Exif\0\0II*\0" + struct.pack("<IHHHIHH", 8, 1, 0x0112, 3, 1, o, 0) + b"\0\0\0\0")
open(f"{work}/exif6", "wb").write(exif(6))
open(f"{work}/exif8-mm", "wb").write(b"Exif\0\0MM\0*" + struct.pack(">IHHHIHH", 8, 1, 0x0112, 3, 1, 8, 0) + b"\0\0\0\0")
PY

ppm="$work/colour.ppm"
cjpeg -quality 85 -outfile "$out/jpeg/baseline.jpg" "$ppm"
cjpeg -quality 85 -sample 1x1 -outfile "$out/jpeg/444.jpg" "$ppm"
cjpeg -quality 60 -progressive -outfile "$out/jpeg/progressive.jpg" "$ppm"
cjpeg -quality 85 -restart 1 -outfile "$out/jpeg/restart.jpg" "$ppm"
cjpeg -quality 85 -arithmetic -outfile "$out/jpeg/arithmetic.jpg" "$ppm"
cjpeg -quality 85 -rgb -outfile "$out/jpeg/rgb.jpg" "$ppm"
cjpeg -quality 85 -grayscale -outfile "$out/jpeg/grey.jpg" "$ppm"
# The Exif block goes in as an APP1 marker right after the start of image.
for tag in exif6 exif8-mm; do
  python3 - "$out/jpeg/baseline.jpg" "$work/$tag" "$out/jpeg/$tag.jpg" <<'PY'
import struct, sys
jpeg, payload = open(sys.argv[1], "rb").read(), open(sys.argv[2], "rb").read()
open(sys.argv[3], "wb").write(jpeg[:2] + b"\xff\xe1" + struct.pack(">H", len(payload) + 2) + payload + jpeg[2:])
PY
done

# WebP, HEIC and AVIF from the PNG seeds: opaque and with alpha.
for source in rgb8 rgba8; do
  cwebp -quiet -q 80 "$out/png/$source.png" -o "$out/webp/$source-lossy.webp"
  cwebp -quiet -lossless "$out/png/$source.png" -o "$out/webp/$source-lossless.webp"
  heif-enc -q 50 "$out/png/$source.png" -o "$out/heic/$source.heic" >/dev/null
  heif-enc -A -q 50 "$out/png/$source.png" -o "$out/avif/$source.avif" >/dev/null
done
img2webp -lossless "$out/png/rgb8.png" -lossy "$out/png/rgba8.png" -o "$out/webp/animation.webp" >/dev/null

du -sh "$out"/bmp "$out"/png "$out"/jpeg "$out"/webp "$out"/heic "$out"/avif
