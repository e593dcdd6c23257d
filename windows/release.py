#!/usr/bin/env python3
"""Packs the release: lumeno-VERSION-win64.zip with the program, its
third-party notices and the user's README, and prints its SHA-256.

The zip holds the same bytes for the same commit: fixed order, names,
permissions, and the commit's time as every file's time. The texts get
Windows line ends, and a byte order mark so that old Notepad reads the
Slovak letters as UTF-8.

usage: release.py VERSION LUMENO_EXE OUT_DIR
"""
import hashlib
import os
import subprocess
import sys
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))


def commit_time():
    out = subprocess.run(["git", "-C", HERE, "log", "-1", "--format=%ct"],
                         check=True, capture_output=True, text=True).stdout
    # A zip stores local times from 1980 on, two seconds apart.
    return time.gmtime(int(out))[:6]


def windows_text(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    return b"\xef\xbb\xbf" + text.replace("\n", "\r\n").encode("utf-8")


def main(version, exe, out_dir):
    with open(exe, "rb") as f:
        files = [("lumeno.exe", f.read()),
                 ("README.txt", windows_text(os.path.join(HERE, "README.txt"))),
                 ("THIRD-PARTY-NOTICES.txt",
                  windows_text(os.path.join(HERE, "THIRD-PARTY-NOTICES.txt")))]
    when = commit_time()
    os.makedirs(out_dir, exist_ok=True)
    name = os.path.join(out_dir, "lumeno-%s-win64.zip" % version)
    with zipfile.ZipFile(name, "w") as z:
        for arcname, data in files:
            info = zipfile.ZipInfo(arcname, when)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # as written on Windows: no Unix owner or mode
            info.external_attr = 0x20  # archive
            z.writestr(info, data, compresslevel=9)
    with open(name, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    line = "%s  %s\n" % (digest, os.path.basename(name))
    with open(name + ".sha256", "w") as f:
        f.write(line)
    print(name)
    print("SHA-256: " + line, end="")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
