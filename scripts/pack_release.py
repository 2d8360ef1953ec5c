#!/usr/bin/env python3
"""Packs the built release binaries into the archives a Windows user
downloads, and writes their SHA256SUMS. Called by dist.sh after the build.

usage: pack_release.py ROOT OUT_DIR

The version in each archive's name is the product version of its version
resource. The archives are byte-identical for the same sources and binaries:
members in a fixed order, all dated SOURCE_DATE_EPOCH (seconds, UTC; dist.sh
passes the commit's time), with fixed attributes and compression.
"""
import hashlib
import os
import re
import sys
import time
import zipfile

# name, architecture, version resource, readme, files (all under ROOT)
PACKAGES = [
    ("Lumetto", "x64", "res/player.rc", "docs/release/Lumetto.txt",
     ["build/x64/player/Lumetto.exe", "build/x64/mediakeys/Quistel.dll"]),
    ("LumettoCompact", "x86", "res/compact.rc", "docs/release/LumettoCompact.txt",
     ["build/i686/player/LumettoCompact.exe"]),
]
FILE_ATTRIBUTE_ARCHIVE = 0x20


def product_version(rc_path):
    with open(rc_path, encoding="utf-8") as f:
        m = re.search(r"^\s*PRODUCTVERSION\s+(\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*,\s*(\d+)", f.read(), re.M)
    if not m:
        sys.exit("pack_release: no PRODUCTVERSION in " + rc_path)
    return ".".join(m.groups())


def windows_text(text):
    """UTF-8 with a byte order mark and CR LF line ends: Notepad shows both
    the Japanese and the English part whatever the system's code page."""
    return b"\xef\xbb\xbf" + text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def member(name, date_time):
    info = zipfile.ZipInfo(name, date_time)
    info.create_system = 0  # MS-DOS attributes, as Windows' own archiver writes them
    info.external_attr = FILE_ATTRIBUTE_ARCHIVE
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    root, out = sys.argv[1], sys.argv[2]
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "946684800"))  # default 2000-01-01
    date_time = time.gmtime(max(epoch, 315532800))[:6]  # zip dates start in 1980
    os.makedirs(out, exist_ok=True)
    sums = []
    for name, arch, rc, readme, files in PACKAGES:
        version = product_version(os.path.join(root, rc))
        archive = "%s-%s-%s.zip" % (name, version, arch)
        with open(os.path.join(root, readme), encoding="utf-8") as f:
            readme_bytes = windows_text(f.read().replace("{version}", version))
        path = os.path.join(out, archive)
        with zipfile.ZipFile(path, "w") as z:
            for file in files:
                with open(os.path.join(root, file), "rb") as f:
                    z.writestr(member(os.path.basename(file), date_time), f.read(), compresslevel=9)
            z.writestr(member("readme.txt", date_time), readme_bytes, compresslevel=9)
        with open(path, "rb") as f:
            sums.append("%s  %s\n" % (hashlib.sha256(f.read()).hexdigest(), archive))
        print("dist: " + path)
    with open(os.path.join(out, "SHA256SUMS"), "w", newline="\n") as f:
        f.writelines(sums)


if __name__ == "__main__":
    main()
