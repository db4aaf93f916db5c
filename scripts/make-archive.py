#!/usr/bin/env python3
"""Writes the release archive, the same bytes for the same inputs and commit, and its SHA-256 sums.

  make-archive.py --source TREE --output ARCHIVE.zip FILE...

Entries at the archive's top level, in the order given, then SHA256SUMS.txt with their SHA-256
sums; each with the release's date (nox_source_date_epoch in TREE's scripts/lib; in UTC, as zip
times carry no zone), fixed permissions, deflated at level 9, no extra fields and no comment. A
.txt entry is written with CRLF line ends, which every Windows editor shows. Beside the archive,
ARCHIVE without .zip plus .sha256 holds the sums of each entry and of the archive. Both sums files
are in the form `sha256sum -c --ignore-missing` reads in the build folder or in the unpacked one.
Standard library only."""
import argparse
import hashlib
import os
import subprocess
import sys
import time
import zipfile

ZIP_EPOCH = 315532800  # 1980-01-01, the earliest time a zip entry can hold
SUMS_ENTRY = "SHA256SUMS.txt"


def commit_time(source):
    try:
        value = subprocess.run(["bash", "-c", 'source "$1/scripts/lib" && nox_source_date_epoch', "-", source],
                               check=True, capture_output=True, text=True).stdout.strip()
    except (OSError, subprocess.CalledProcessError) as error:
        sys.exit("make-archive: cannot read the release's date through %s/scripts/lib (%s)" % (source, error))
    if not value.isdigit():
        sys.exit("make-archive: the release's date is not a count of seconds: %r" % value)
    return max(int(value), ZIP_EPOCH)


def as_shipped(name, data):
    """A text file in Windows' line ends, whatever the checkout gave."""
    if name.lower().endswith(".txt"):
        return data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
    return data


def sums_text(sums):
    return "".join("%s  %s\n" % row for row in sums).encode()


def write_atomically(path, write):
    partial = path + ".partial"
    with open(partial, "wb") as file:
        write(file)
    os.replace(partial, path)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True)
    parser.add_argument("--output", required=True)
    parser.add_argument("files", nargs="+")
    args = parser.parse_args()

    stamp = time.gmtime(commit_time(args.source))[:6]
    entries = []
    for path in args.files:
        with open(path, "rb") as file:
            name = os.path.basename(path)
            entries.append((name, as_shipped(name, file.read())))
    sums = [(hashlib.sha256(data).hexdigest(), name) for name, data in entries]
    entries.append((SUMS_ENTRY, as_shipped(SUMS_ENTRY, sums_text(sums))))

    def write_zip(file):
        with zipfile.ZipFile(file, "w") as archive:
            for name, data in entries:
                info = zipfile.ZipInfo(name, date_time=stamp)
                info.compress_type = zipfile.ZIP_DEFLATED
                info.create_system = 3  # Unix, so that the permissions below are read
                mode = 0o755 if name.lower().endswith(".exe") else 0o644
                info.external_attr = (0o100000 | mode) << 16
                archive.writestr(info, data, compresslevel=9)

    write_atomically(args.output, write_zip)
    with open(args.output, "rb") as file:
        sums = [(hashlib.sha256(data).hexdigest(), name) for name, data in entries]
        sums.append((hashlib.sha256(file.read()).hexdigest(), os.path.basename(args.output)))
    sums_path = os.path.splitext(args.output)[0] + ".sha256"
    write_atomically(sums_path, lambda file: file.write(sums_text(sums)))


if __name__ == "__main__":
    main()
