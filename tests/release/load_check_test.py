#!/usr/bin/env python3
"""Feeds scripts/check-imports copies of a built shipped program, each patched to break one thing
Windows XP refuses, and expects each to fail for that reason; the unpatched copy and a copy at the
highest version XP accepts must pass.   tests/release/load_check_test.py [IMAGE]
(default build/windows-x86/bin/noxLauncher.exe; scripts/check runs it after building it)."""
import importlib.machinery
import importlib.util
import os
import struct
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CHECK = os.path.join(ROOT, "scripts", "check-imports")


def load_checker():
    """scripts/check-header as a module: its image reader finds the fields to patch."""
    loader = importlib.machinery.SourceFileLoader("check_header", os.path.join(ROOT, "scripts", "check-header"))
    module = importlib.util.module_from_spec(importlib.util.spec_from_loader(loader.name, loader))
    loader.exec_module(module)
    return module


header = load_checker()

V3 = b'xmlns="urn:schemas-microsoft-com:asm.v3"'
V1 = b'xmlns="urn:schemas-microsoft-com:asm.v1"'
SMALL_MANIFEST = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
                  '<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">%s</assembly>\n')


def with_version(offset_of, version):
    def patch(data, image):
        struct.pack_into("<HH", data, offset_of(image), *version)
    return patch


def replacing(old, new, occurrence=1):
    """Replaces the occurrence-th `old` in the manifest by `new` of the same length."""
    def patch(data, image):
        (_, offset, size), = image.manifests()
        at = -1
        for _ in range(occurrence):
            at = data.find(old, at + 1, offset + size)
        assert len(old) == len(new) and offset <= at, "the built manifest has changed: %r" % old
        data[at:at + len(old)] = new
    return patch


def with_manifest(body):
    """Writes a smaller manifest over the built one."""
    def patch(data, image):
        (entry, offset, size), = image.manifests()
        text = (SMALL_MANIFEST % body).encode()
        assert len(text) <= size
        data[offset:offset + len(text)] = text
        struct.pack_into("<I", data, entry + 4, len(text))
    return patch


def without_manifest(data, image):
    rva = struct.unpack_from("<I", data, image.directories + 16)[0]
    root = image.file_offset(rva, 16)
    named, ids = struct.unpack_from("<HH", data, root + 12)
    for i in range(named, named + ids):
        if struct.unpack_from("<I", data, root + 16 + 8 * i)[0] == header.RT_MANIFEST:
            struct.pack_into("<I", data, root + 16 + 8 * i, 0xFFFF)
            return
    raise AssertionError("no manifest to remove")


def renaming_import(old, new):
    def patch(data, image):
        at = data.find(old + b"\0")  # in the hint/name table, after its two-byte hint
        assert at > 0 and len(old) == len(new), "the program no longer imports %r" % old
        data[at:at + len(new)] = new
    return patch


OS_VERSION = header.Image.os_version_offset
SUBSYSTEM_VERSION = header.Image.subsystem_version_offset
# (name, patch, what the failure must say; None: must pass)
CASES = [
    ("unpatched", lambda data, image: None, None),
    ("subsystem version 5.1", with_version(SUBSYSTEM_VERSION, (5, 1)), None),
    ("os version 5.1", with_version(OS_VERSION, (5, 1)), None),
    ("os version 6.0", with_version(OS_VERSION, (6, 0)), "operating-system version 6.0"),
    ("subsystem version 6.0", with_version(SUBSYSTEM_VERSION, (6, 0)), "subsystem version 6.0"),
    ("subsystem version 5.2", with_version(SUBSYSTEM_VERSION, (5, 2)), "subsystem version 5.2"),
    ("manifest not well-formed", replacing(b"</assembly>", b"</assemblx>"), "not well-formed XML"),
    ("manifest root not asm.v1", replacing(V1, V3), "root is not an asm.v1 assembly"),
    ("trustInfo in asm.v1", replacing(V3, V1, 1), "trustInfo in the asm.v1 namespace"),
    ("application in asm.v1", replacing(V3, V1, 2), "application in the asm.v1 namespace"),
    ("compatibility in asm.v1", with_manifest('<compatibility><application/></compatibility>'),
     "compatibility in the asm.v1 namespace"),
    ("unknown element in asm.v1", with_manifest('<supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/>'),
     "<supportedOS> in namespace 'urn:schemas-microsoft-com:asm.v1'"),
    ("unknown element in asm.v2", with_manifest('<trustInfo xmlns="urn:schemas-microsoft-com:asm.v2"/>'),
     "<trustInfo> in namespace 'urn:schemas-microsoft-com:asm.v2'"),
    ("newer elements in asm.v3 only", with_manifest(
        '<compatibility xmlns="urn:schemas-microsoft-com:compatibility.v1"><application>'
        '<supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/></application></compatibility>'), None),
    ("no manifest", without_manifest, "no application manifest"),
    ("truncated after the headers", lambda data, image: data.__delitem__(slice(0x400, None)), "cannot read the image"),
    ("import missing from the list", renaming_import(b"SetTimer", b"SetTimex"), "USER32.DLL SetTimex: not in the list"),
]


def main(argv):
    source = argv[1] if len(argv) > 1 else os.path.join(ROOT, "build", "windows-x86", "bin", "noxLauncher.exe")
    with open(source, "rb") as file:
        built = file.read()
    failures = 0
    with tempfile.TemporaryDirectory() as folder:
        for index, (name, patch, expected) in enumerate(CASES):
            data = bytearray(built)
            patch(data, header.Image(built))
            fixture = os.path.join(folder, "case%02d.exe" % index)
            with open(fixture, "wb") as file:
                file.write(data)
            run = subprocess.run([CHECK, fixture], capture_output=True, text=True)
            output = run.stdout + run.stderr
            if expected is None and run.returncode != 0:
                problem = "must pass, failed:\n" + output
            elif expected is not None and run.returncode == 0:
                problem = "must fail (%s), passed" % expected
            elif expected is not None and expected not in output:
                problem = "must fail saying '%s', said:\n%s" % (expected, output)
            else:
                continue
            failures += 1
            print("load_check_test: %s: %s" % (name, problem), file=sys.stderr)
    print("load_check_test: %d of %d cases as expected" % (len(CASES) - failures, len(CASES)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
