#!/usr/bin/env python3
"""The release archives as a user receives them: runs scripts/dist.sh twice
into a folder of its own, unpacks each archive and checks its file list, the
machine type of each binary, that the version in each archive's name is the
one its program carries, the readme's form, that SHA256SUMS matches the
archives, and that the second run gave the same SHA256SUMS. Also that a
build tree copied with its checkout (cp -a) is configured afresh where it
now lies.

usage: dist_test.py [REPOSITORY_ROOT]
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zipfile

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "../.."))
IMAGE_FILE_MACHINE_AMD64, IMAGE_FILE_MACHINE_I386 = 0x8664, 0x14C
# archive name pattern -> (members in order, machine type of the binaries, program carrying the version)
ARCHIVES = {
    r"Lumetto-(\d+\.\d+\.\d+\.\d+)-x64\.zip": (
        ["Lumetto.exe", "Quistel.dll", "readme.txt"], IMAGE_FILE_MACHINE_AMD64, "Lumetto.exe"),
    r"LumettoCompact-(\d+\.\d+\.\d+\.\d+)-x86\.zip": (
        ["LumettoCompact.exe", "readme.txt"], IMAGE_FILE_MACHINE_I386, "LumettoCompact.exe"),
}

# The PE reader and the PASS/FAIL lines of the binaries' own checks.
sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.join(ROOT, "tests", "binaries"))
import check_compact_binary as binary_checks  # noqa: E402
from check_compact_binary import PeFile, check, RT_VERSION  # noqa: E402


def time_stamp(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    return struct.unpack_from("<I", data, pe + 8)[0]


def product_version(pe):
    """The product version in the fixed part of the version resource."""
    version = pe.resources().get((RT_VERSION, 1), b"")
    at = version.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0:
        return None
    ms, ls = struct.unpack_from("<II", version, at + 16)
    return "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)


def dist(out):
    env = dict(os.environ, LUMETTO_DIST_DIR=out)
    run = subprocess.run(["bash", os.path.join(ROOT, "scripts/dist.sh")], env=env,
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    if run.returncode != 0:
        print(run.stdout)
    check(run.returncode == 0, "dist.sh succeeds")
    return run.returncode == 0


def check_archive(out, name, members, machine, versioned):
    unpacked = os.path.join(out, "unpacked", name)
    with zipfile.ZipFile(os.path.join(out, name)) as z:
        check(z.testzip() is None, name + ": every member's checksum is right")
        check(z.namelist() == members, "%s holds %s (got %s)" % (name, ", ".join(members), ", ".join(z.namelist())))
        z.extractall(unpacked)
    for member in members:
        with open(os.path.join(unpacked, member), "rb") as f:
            data = f.read()
        if member == "readme.txt":
            text = data[3:].decode("utf-8", "replace")
            check(data.startswith(b"\xef\xbb\xbf") and b"\n" not in data.replace(b"\r\n", b""),
                  name + ": readme.txt is UTF-8 with a byte order mark and CR LF line ends")
            check("default.lst" in text and re.search(r"[\u3040-\u30ff]", text) and "Starting it" in text,
                  name + ": readme.txt tells in Japanese and English where default.lst lives")
            continue
        pe = PeFile(data)
        check(pe.machine == machine, "%s: %s is for machine %#x (got %#x)" % (name, member, machine, pe.machine))
        stamp = time_stamp(data)
        check(stamp == 0, "%s: %s carries no build time (time stamp %#x)" % (name, member, stamp))
        if member == versioned:
            version = product_version(pe)
            check(version is not None and ("-%s-" % version) in name,
                  "%s: named after %s's product version %s" % (name, member, version))


def check_copied_tree():
    """The x64 tree, copied with the checkout, configures in its new folder."""
    with tempfile.TemporaryDirectory(prefix="lumetto-copy-test.") as parent:
        copy = os.path.join(parent, "checkout")
        skip = {"dist", "native", "i686", "x64-compact"}
        shutil.copytree(ROOT, copy, symlinks=True, ignore=lambda d, names: [n for n in names if n in skip])
        run = subprocess.run(["bash", "-c", 'root="$1"; source "$1/scripts/build-trees.sh"; configure_tree x64',
                              "bash", copy], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        with open(os.path.join(copy, "build", "x64", "CMakeCache.txt")) as f:
            made_in = re.search(r"^CMAKE_CACHEFILE_DIR:INTERNAL=(.*)$", f.read(), re.M)
        check(run.returncode == 0 and made_in and os.path.samefile(made_in.group(1), os.path.join(copy, "build", "x64")),
              "a build tree copied with its checkout is configured afresh in the copy " + run.stdout.strip()[-300:])


def main():
    check_copied_tree()
    with tempfile.TemporaryDirectory(prefix="lumetto-dist-test.") as out:
        if not dist(out):
            return 1
        with open(os.path.join(out, "SHA256SUMS")) as f:
            first_sums = f.read()
        names = sorted(n for n in os.listdir(out) if n != "SHA256SUMS")
        for pattern, (members, machine, versioned) in ARCHIVES.items():
            found = [n for n in names if re.fullmatch(pattern, n)]
            check(len(found) == 1, "one archive named like %s (got %s)" % (pattern, ", ".join(names)))
            if found:
                check_archive(out, found[0], members, machine, versioned)
        listed = sorted(line.split("  ", 1)[1] for line in first_sums.splitlines())
        check(listed == names, "SHA256SUMS lists every archive (%s)" % ", ".join(listed))
        run = subprocess.run(["sha256sum", "--check", "--strict", "SHA256SUMS"], cwd=out,
                             stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        check(run.returncode == 0, "sha256sum --check SHA256SUMS: " + run.stdout.strip().replace("\n", "; "))

        if dist(out):
            with open(os.path.join(out, "SHA256SUMS")) as f:
                check(f.read() == first_sums, "a second run gives the same SHA256SUMS")
    print("%s: %d failed check(s)" % (os.path.basename(sys.argv[0]), binary_checks.failures))
    return 1 if binary_checks.failures else 0


if __name__ == "__main__":
    sys.exit(main())
