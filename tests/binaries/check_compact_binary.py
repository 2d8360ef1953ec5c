#!/usr/bin/env python3
"""What LumettoCompact.exe promises, read from the file itself: a 32-bit
program that imports nothing from Quistel, carries no manifest and no slot
dialog, whose main window has its 13 controls at their places, whose About
box is a classic template with the old version line, and whose version
resource is 1.0.0.1 with build tag 0426.

usage: check_compact_binary.py LUMETTOCOMPACT_EXE
"""
import struct
import sys

RT_DIALOG, RT_VERSION, RT_MANIFEST = 5, 16, 24
IDD_ABOUTBOX, IDD_MAIN, IDD_MEMSELECT = 100, 102, 131

failures = 0


def check(ok, what):
    global failures
    print(("PASS: " if ok else "FAIL: ") + what)
    if not ok:
        failures += 1


class PeFile:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        assert data[pe:pe + 4] == b"PE\0\0", "not a PE file"
        self.machine, nsections, _, _, _, opt_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from("<H", data, opt)[0]
        ndirs_at = opt + (92 if self.magic == 0x10B else 108)
        ndirs = struct.unpack_from("<I", data, ndirs_at)[0]
        self.dirs = [struct.unpack_from("<II", data, ndirs_at + 4 + 8 * i) for i in range(ndirs)]
        self.sections = []
        for i in range(nsections):
            s = opt + opt_size + 40 * i
            vsize, va, rsize, raw = struct.unpack_from("<IIII", data, s + 8)
            self.sections.append((va, max(vsize, rsize), raw))

    def offset(self, rva):
        for va, size, raw in self.sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError("rva %#x outside every section" % rva)

    def import_dlls(self):
        rva, size = self.dirs[1]
        names, at = [], self.offset(rva)
        while True:
            name_rva = struct.unpack_from("<I", self.data, at + 12)[0]
            if name_rva == 0:
                return names
            o = self.offset(name_rva)
            names.append(self.data[o:self.data.index(b"\0", o)].decode("ascii"))
            at += 20

    def resources(self):
        """{(type, name): bytes} for every resource (ids only; names as strings)."""
        rva, _ = self.dirs[2]
        if rva == 0:
            return {}
        base = self.offset(rva)
        out = {}

        def entries(off):
            named, ids = struct.unpack_from("<HH", self.data, base + off + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from("<II", self.data, base + off + 16 + 8 * i)
                if name & 0x80000000:
                    o = base + (name & 0x7FFFFFFF)
                    n = struct.unpack_from("<H", self.data, o)[0]
                    name = self.data[o + 2:o + 2 + 2 * n].decode("utf-16-le")
                yield name, target

        for rtype, t in entries(0):
            for rname, n in entries(t & 0x7FFFFFFF):
                for _, leaf in entries(n & 0x7FFFFFFF):
                    data_rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    o = self.offset(data_rva)
                    out[(rtype, rname)] = self.data[o:o + size]
        return out


def read_sz_or_ord(b, at):
    if struct.unpack_from("<H", b, at)[0] == 0xFFFF:
        return struct.unpack_from("<H", b, at + 2)[0], at + 4
    end = at
    while struct.unpack_from("<H", b, end)[0] != 0:
        end += 2
    return b[at:end].decode("utf-16-le"), end + 2


def align4(at):
    return (at + 3) & ~3


def parse_dialog(b):
    """(is_extended, [(id, text, x, y, cx, cy)], all texts)."""
    extended = struct.unpack_from("<HH", b, 0) == (1, 0xFFFF)
    if extended:
        style = struct.unpack_from("<I", b, 12)[0]
        count = struct.unpack_from("<H", b, 16)[0]
        at = 26
    else:
        style = struct.unpack_from("<I", b, 0)[0]
        count = struct.unpack_from("<H", b, 8)[0]
        at = 18
    _, at = read_sz_or_ord(b, at)  # menu
    _, at = read_sz_or_ord(b, at)  # class
    _, at = read_sz_or_ord(b, at)  # caption
    if style & 0x40:  # DS_SETFONT
        at += 6 if extended else 2
        _, at = read_sz_or_ord(b, at)
    controls = []
    for _ in range(count):
        at = align4(at)
        if extended:
            x, y, cx, cy = struct.unpack_from("<hhhh", b, at + 12)
            cid = struct.unpack_from("<i", b, at + 20)[0]
            at += 24
        else:
            x, y, cx, cy = struct.unpack_from("<hhhh", b, at + 8)
            cid = struct.unpack_from("<H", b, at + 16)[0]
            at += 18
        _, at = read_sz_or_ord(b, at)
        text, at = read_sz_or_ord(b, at)
        extra = struct.unpack_from("<H", b, at)[0]
        at += 2 + extra
        controls.append((cid, text, x, y, cx, cy))
    return extended, controls


def main(path):
    pe = PeFile(open(path, "rb").read())
    check(pe.machine == 0x14C and pe.magic == 0x10B, "PE machine i386, 32-bit header")
    dlls = [d.lower() for d in pe.import_dlls()]
    check("quistel.dll" not in dlls, "no import of Quistel.dll (imports: %s)" % ", ".join(dlls))
    res = pe.resources()
    check(not any(t == RT_MANIFEST for t, _ in res), "no manifest resource")
    check((RT_DIALOG, IDD_MEMSELECT) not in res, "no slot dialog")

    expected = [
        (1003, 3, 3, 197, 87), (1004, 2, 105, 25, 14), (1005, 81, 105, 25, 14), (1006, 185, 105, 25, 14),
        (1009, 2, 120, 188, 12), (1007, 158, 105, 25, 14), (1008, 133, 105, 25, 14), (1010, 190, 120, 20, 12),
        (1011, 54, 105, 25, 14), (1012, 29, 105, 25, 14), (1013, 202, 3, 8, 39), (1014, 202, 46, 8, 40),
        (1015, 2, 88, 208, 15),
    ]
    main_dialog = res.get((RT_DIALOG, IDD_MAIN))
    check(main_dialog is not None, "main window template present")
    if main_dialog:
        _, controls = parse_dialog(main_dialog)
        got = [(c[0],) + tuple(c[2:]) for c in controls]
        check(got == expected, "main window: 13 controls in order at their places%s" %
              ("" if got == expected else " (got %s)" % got))
        cx, cy = struct.unpack_from("<hh", main_dialog, 22)
        check((cx, cy) == (213, 133), "main window 213 x 133 dialog units (got %d x %d)" % (cx, cy))

    about = res.get((RT_DIALOG, IDD_ABOUTBOX))
    check(about is not None, "About box template present")
    if about:
        extended, controls = parse_dialog(about)
        check(not extended, "About box is a classic dialog template")
        texts = [c[1] for c in controls]
        check("Lumetto Version 0.23 (May 16th 2003)" in texts, "About box version line (texts: %s)" % texts)

    version = res.get((RT_VERSION, 1), b"")
    fixed = version.find(struct.pack("<I", 0xFEEF04BD))
    if fixed >= 0:
        fv_ms, fv_ls, pv_ms, pv_ls, mask, flags = struct.unpack_from("<IIIIII", version, fixed + 8)
        check((fv_ms, fv_ls, pv_ms, pv_ls) == (0x10000, 1, 0x10000, 1), "file and product version 1.0.0.1")
        check(flags & 0x20, "flagged as a special build")
    else:
        check(False, "version resource present")
    check("0426".encode("utf-16-le") in version and "SpecialBuild".encode("utf-16-le") in version,
          "build tag 0426")
    print("%s: %d failed check(s)" % (sys.argv[0].rsplit("/", 1)[-1], failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
