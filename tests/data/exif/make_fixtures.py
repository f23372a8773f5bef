#!/usr/bin/env python3
"""Writes the JPEG files of the EXIF reader's tests into this folder.

Every file is an 8 x 8 grey baseline JPEG (one DC-only block) with segments put
before its image data. Run it again after changing a case; the bytes are committed.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

BYTE, ASCII, SHORT, LONG, RATIONAL, SBYTE, UNDEFINED, SSHORT, SLONG, SRATIONAL = range(1, 11)


def segment(marker, body):
    assert len(body) <= 65533
    return bytes([0xFF, marker]) + struct.pack(">H", len(body) + 2) + body


def picture(before=b"", after_data=b""):
    """SOI, the given segments, then an 8 x 8 mid-grey picture; after_data goes
    between the entropy-coded data and EOI."""
    dqt = segment(0xDB, b"\x00" + b"\x01" * 64)
    sof = segment(0xC0, b"\x08\x00\x08\x00\x08\x01\x01\x11\x00")
    one_code = b"\x01" + b"\x00" * 15 + b"\x00"   # a single 1-bit code for symbol 0
    dht = segment(0xC4, b"\x00" + one_code) + segment(0xC4, b"\x10" + one_code)
    sos = segment(0xDA, b"\x01\x01\x00\x00\x3F\x00")
    data = b"\x3F"   # DC difference 0, end of block, padding ones
    return b"\xFF\xD8" + before + dqt + sof + dht + sos + data + after_data + b"\xFF\xD9"


class Tiff:
    """A TIFF block laid out as header, then each IFD followed by its data."""

    def __init__(self, order):
        self.e = "<" if order == "II" else ">"
        self.order = order.encode()

    def pack(self, fmt, *v):
        return struct.pack(self.e + fmt, *v)

    def value(self, typ, values):
        fmt = {BYTE: "B", ASCII: "s", SHORT: "H", LONG: "I", RATIONAL: "II", SBYTE: "b",
               UNDEFINED: "s", SSHORT: "h", SLONG: "i", SRATIONAL: "ii"}.get(typ, "s")
        if fmt == "s":
            return values, len(values)
        if len(fmt) == 2:
            return b"".join(self.pack(fmt, *r) for r in values), len(values)
        return b"".join(self.pack(fmt, v) for v in values), len(values)

    def build(self, ifds, ifd0=8, links=None):
        """ifds: lists of entries (tag, type, values[, count]); values may be
        ("ifd", k) for the offset of IFD k, or ("raw", offset) for a bare offset
        field. links[k]: next link of IFD k, an IFD index, None (0) or ("raw", n)."""
        links = links or {}
        # Pass 1: where each IFD starts.
        starts, pos = [], ifd0
        for entries in ifds:
            starts.append(pos)
            size = 2 + 12 * len(entries) + 4
            for ent in entries:
                data, _ = self.resolve(ent, [0] * len(ifds))
                if data is not None and len(data) > 4:
                    size += len(data) + (len(data) & 1)
            pos += size
        # Pass 2: the bytes.
        out = bytearray(self.order + self.pack("H", 42) + self.pack("I", ifd0))
        out += b"\x00" * (ifd0 - len(out))
        for k, entries in enumerate(ifds):
            assert len(out) == starts[k]
            data_pos = starts[k] + 2 + 12 * len(entries) + 4
            table, area = bytearray(self.pack("H", len(entries))), bytearray()
            for ent in entries:
                tag, typ = ent[0], ent[1]
                data, count = self.resolve(ent, starts)
                if len(ent) > 3:
                    count = ent[3]
                table += self.pack("HHI", tag, typ, count)
                if data is None:                      # bare offset field
                    table += self.pack("I", ent[2][1])
                elif len(data) <= 4 and typ not in (RATIONAL, SRATIONAL):
                    table += data + b"\x00" * (4 - len(data))
                else:
                    table += self.pack("I", data_pos + len(area))
                    area += data + b"\x00" * (len(data) & 1)
            link = links.get(k)
            if isinstance(link, tuple):
                link = link[1]
            elif link is not None:
                link = starts[link]
            table += self.pack("I", link or 0)
            out += table + area
        return bytes(out)

    def resolve(self, ent, starts):
        v = ent[2]
        if isinstance(v, tuple) and v[0] == "ifd":
            return self.pack("I", starts[v[1]]), 1
        if isinstance(v, tuple) and v[0] == "raw":
            return None, 1
        return self.value(ent[1], v)


def app1_exif(tiff):
    return segment(0xE1, b"Exif\x00\x00" + tiff)


def camera(order):
    """The camera file: IFD0, IFD1 (thumbnail) and the Exif IFD."""
    t = Tiff(order)
    ifd0 = [
        (256, SHORT, [8]), (257, SHORT, [8]), (258, SHORT, [8, 8, 8]),
        (271, ASCII, b"Lumo\x00"), (272, ASCII, b"S9\x00"), (274, SHORT, [6]),
        (282, RATIONAL, [(300, 1)]), (283, RATIONAL, [(300, 1)]), (296, SHORT, [2]),
        (34665, LONG, ("ifd", 2)),
    ]
    ifd1 = [(259, SHORT, [6]), (282, RATIONAL, [(72, 1)]), (283, RATIONAL, [(72, 1)]),
            (296, SHORT, [2])]
    exif = [
        (36864, UNDEFINED, b"0221"), (37380, SRATIONAL, [(-2, 3)]),
        (37386, RATIONAL, [(45, 10)]), (37396, SHORT, [100, 50]),
        (41486, RATIONAL, [(4000, 3)]), (41487, RATIONAL, [(4000, 3)]),
        (41729, BYTE, [2, 2]),
    ]
    return t.build([ifd0, ifd1, exif], links={0: 1})


def hostile():
    t = Tiff("II")
    make, model = (271, ASCII, b"Lumo\x00"), (272, ASCII, b"S9\x00")
    one = [(305, ASCII, b"v1\x00")]
    cam = camera("II")
    cases = {}
    cases["ifd1_links_to_ifd0"] = picture(app1_exif(
        t.build([[make, (34665, LONG, ("ifd", 2))], one, one], links={0: 1, 1: 0})))
    cases["ifd0_links_to_itself"] = picture(app1_exif(
        t.build([[make, (34665, LONG, ("ifd", 1))], one], links={0: 0})))
    cases["exif_ifd_is_ifd0"] = picture(app1_exif(
        t.build([[make, (34665, LONG, ("ifd", 0))], one], links={0: 1})))
    cases["exif_ifd_link_not_followed"] = picture(app1_exif(
        t.build([[make, (34665, LONG, ("ifd", 1))], one, [(315, ASCII, b"x\x00")]],
                links={1: 2})))
    # 65535 entries declared, 8 whole ones in the segment (3 real, 5 of zeros).
    block = bytearray(t.build([[model, (274, SHORT, [6]), (296, SHORT, [2])]]))
    block[8:10] = struct.pack("<H", 65535)
    block = bytes(block[:-4]) + b"\x00" * 60 + b"\x01\x02\x03\x04\x05"
    cases["count_65535"] = picture(app1_exif(block))
    # Two IFDs of 2700 entries: the reader stops at 4096.
    many = [(0xC000 + (k % 100), SHORT, [k]) for k in range(2699)]
    cases["entries_over_4096"] = picture(app1_exif(
        t.build([[model] + many, many + [model]], links={0: 1})))
    # 70 linked IFDs of one entry each, then the Exif IFD.
    chain = [[(34665, LONG, ("ifd", 70))]] + [[(0xC100 + k, SHORT, [k])] for k in range(1, 70)]
    links = {k: k + 1 for k in range(69)}
    cases["ifd_chain_70"] = picture(app1_exif(
        t.build(chain + [[(37386, RATIONAL, [(45, 10)])]], links=links)))
    cases["offsets_past_end"] = picture(app1_exif(t.build([[
        (271, ASCII, ("raw", 0x7FFFFFF0), 5), model,
        (282, RATIONAL, ("raw", 0xFFFFFFFF)), (34665, LONG, [0x00FFFFFF]),
        (258, SHORT, ("raw", 0xFFFFFFFE), 3)]], links={0: ("raw", 0xFFFFFFF0)})))
    seg = app1_exif(cam)
    cases["segment_past_end"] = b"\xFF\xD8" + seg[:2] + b"\xFF\xFF" + seg[4:]
    cases["truncated"] = b"\xFF\xD8" + seg[:4 + 6 + 8 + 2 + 12 * 5 + 6]
    xmp = segment(0xE1, b"http://ns.adobe.com/xap/1.0/\x00<x:xmpmeta/>")
    cases["xmp_first"] = picture(xmp + seg)
    fake = app1_exif(t.build([[(271, ASCII, b"Faux\x00")]]))
    cases["ff_e1_in_comment"] = picture(segment(0xFE, b"note " + fake) + seg)
    cases["ff_e1_in_table"] = picture(segment(0xE2, b"\xFF\xE1\x00\x10Exif\x00\x00II*\x00") + seg)
    cases["exif_after_image_data"] = picture(after_data=seg)
    cases["no_exif"] = picture(segment(0xE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00"))
    cases["not_jpeg"] = b"BM" + seg
    cases["empty"] = b""
    cases["exif_header_only"] = picture(segment(0xE1, b"Exif"))
    cases["fill_bytes_and_restart"] = picture(b"\xFF\xFF\xFF\xD0" + seg)
    texts = [
        (270, ASCII, b"Spores\r\nasques\x00"), (305, ASCII, b"Cam\xe9ra\x00"),
        (315, ASCII, b"A\x00B\x00"), (33432, ASCII, b"Zz", 0), (37510, UNDEFINED, b"\x00\x00a\nb"),
        (37500, UNDEFINED, b"  \x00 "), (34858, SSHORT, [-1, -2]), (34859, SLONG, [-5]),
        (37389, SBYTE, [-1, 2, -128, 127, 0]), (37393, LONG, [0xFFFFFFFF]),
        (37394, 11, b"\x01\x02\x03\x04"), (37395, 0, b"\x01"), (4096, ASCII, b"   \x00"),
        (33421, SHORT, [1, 2, 3]), (33423, RATIONAL, [(7, 2), (9, 4)]),
        (34856, SRATIONAL, [(5, -3)]), (34852, BYTE, [1, 2, 3, 250, 10]),
        (34857, SHORT, [65535, 65535]),
    ]
    cases["values"] = picture(app1_exif(t.build([texts])))
    cases["values_motorola"] = picture(app1_exif(Tiff("MM").build([texts])))
    return cases


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    for order, name in (("II", "intel"), ("MM", "motorola")):
        write(os.path.join(HERE, name, "input.jpg"), picture(app1_exif(camera(order))))
    for name, data in hostile().items():
        write(os.path.join(HERE, "hostile", name + ".jpg"), data)


if __name__ == "__main__":
    main()
