#!/usr/bin/env python3
"""Gives the primary image of a HEIF file (as heif-enc writes it) an irot
property, the container's own rotation, so tests can check that a decoder
shows the picture turned the way viewers do.

    heif_turn.py IN OUT ANGLE      ANGLE: quarter turns anticlockwise, 0-3

The property is appended to ipco and associated with the primary item in
ipma; every box around them grows, and iloc offsets into the file move
with the data behind them. Enough of ISO BMFF for heif-enc's files only.
"""
import struct
import sys


def boxes(data, start, end):
    at = start
    while at < end:
        size, kind = struct.unpack(">I4s", data[at:at + 8])
        yield kind, at, size
        at += size


def child(data, parent_at, parent_size, header, kind):
    for k, at, size in boxes(data, parent_at + header, parent_at + parent_size):
        if k == kind:
            return at, size
    raise SystemExit(f"no {kind.decode()} box")


def main(source, target, angle):
    data = bytearray(open(source, "rb").read())
    meta_at, meta_size = child(data, -8, len(data) + 8, 8, b"meta")
    pitm_at, _ = child(data, meta_at, meta_size, 12, b"pitm")
    primary = struct.unpack(">H", data[pitm_at + 12:pitm_at + 14])[0]
    iprp_at, iprp_size = child(data, meta_at, meta_size, 12, b"iprp")
    ipco_at, ipco_size = child(data, iprp_at, iprp_size, 8, b"ipco")
    ipma_at, ipma_size = child(data, iprp_at, iprp_size, 8, b"ipma")
    iloc_at, _ = child(data, meta_at, meta_size, 12, b"iloc")
    if data[ipma_at + 11] & 1:
        raise SystemExit("ipma with 2-byte indices")
    index = len(list(boxes(data, ipco_at + 8, ipco_at + ipco_size))) + 1

    # The association first: it lies behind ipco, so inserting it does not
    # move the place where irot goes.
    at, count = ipma_at + 16, struct.unpack(">I", data[ipma_at + 12:ipma_at + 16])[0]
    for _ in range(count):
        item, n = struct.unpack(">HB", data[at:at + 3])
        if item == primary:
            data[at + 2] = n + 1
            data[at + 3 + n:at + 3 + n] = bytes([0x80 | index])
            break
        at += 3 + n
    else:
        raise SystemExit("primary item has no properties")
    irot = struct.pack(">I4sB", 9, b"irot", angle)
    data[ipco_at + ipco_size:ipco_at + ipco_size] = irot
    grown = len(irot) + 1
    for box_at, box_size, extra in ((meta_at, meta_size, grown), (iprp_at, iprp_size, grown),
                                    (ipco_at, ipco_size, len(irot))):
        struct.pack_into(">I", data, box_at, box_size + extra)
    ipma_at += len(irot)
    struct.pack_into(">I", data, ipma_at, ipma_size + 1)

    # iloc lies before iprp; file offsets behind meta's old end move.
    version = data[iloc_at + 8]
    sizes = data[iloc_at + 12], data[iloc_at + 13]
    offset_size, length_size = sizes[0] >> 4, sizes[0] & 15
    base_size, index_size = sizes[1] >> 4, (sizes[1] & 15 if version in (1, 2) else 0)
    at = iloc_at + 14
    count = struct.unpack(">H", data[at:at + 2])[0]
    at += 2
    fmt = {0: None, 4: ">I", 8: ">Q"}
    for _ in range(count):
        at += 2
        method = 0
        if version in (1, 2):
            method = struct.unpack(">H", data[at:at + 2])[0] & 15
            at += 2
        at += 2
        base_at = at
        at += base_size
        extents = struct.unpack(">H", data[at:at + 2])[0]
        at += 2
        for _ in range(extents):
            at += index_size
            if method == 0 and base_size == 0 and offset_size:
                value = struct.unpack(fmt[offset_size], data[at:at + offset_size])[0]
                struct.pack_into(fmt[offset_size], data, at, value + grown)
            at += offset_size + length_size
        if method == 0 and base_size:
            value = struct.unpack(fmt[base_size], data[base_at:base_at + base_size])[0]
            struct.pack_into(fmt[base_size], data, base_at, value + grown)
    open(target, "wb").write(data)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]))
