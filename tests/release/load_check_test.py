#!/usr/bin/python3
"""Feeds scripts/check-imports copies of a built shipped program, each patched through pefile to break
one thing Windows XP refuses, and expects each to fail for that reason; the unpatched copy and a copy
at the highest version XP accepts must pass. A copy signed as the release is (scripts/sign-release, with
a throw-away key from scripts/make-signing-key) must pass, and fail with its signatures' table broken.
   tests/release/load_check_test.py [IMAGE]
(default build/windows-x86/bin/noxLauncher.exe; scripts/check runs it after building it)."""
import os
import struct
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CHECK = os.path.join(ROOT, "scripts", "check-imports")
sys.path.insert(0, os.path.join(ROOT, "scripts"))
import pe  # noqa: E402  (the checks' own image reader, from scripts/)

V3 = b'xmlns="urn:schemas-microsoft-com:asm.v3"'
V1 = b'xmlns="urn:schemas-microsoft-com:asm.v1"'
SMALL_MANIFEST = ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
                  '<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">%s</assembly>\n')


def the_manifest(image):
    (entry,) = pe.manifests(image)
    return entry


def with_version(field, version):
    """Sets the optional header's MajorFIELDVersion and MinorFIELDVersion."""
    def patch(image):
        setattr(image.OPTIONAL_HEADER, "Major%sVersion" % field, version[0])
        setattr(image.OPTIONAL_HEADER, "Minor%sVersion" % field, version[1])
    return patch


def replacing(old, new, occurrence=1):
    """Replaces the occurrence-th `old` in the manifest by `new` of the same length."""
    def patch(image):
        entry = the_manifest(image)
        text = pe.resource_bytes(image, entry)
        at = -1
        for _ in range(occurrence):
            at = text.find(old, at + 1)
        assert len(old) == len(new) and at >= 0, "the built manifest has changed: %r" % old
        image.set_bytes_at_rva(entry.struct.OffsetToData + at, new)
    return patch


def with_manifest(body):
    """Writes a smaller manifest over the built one."""
    def patch(image):
        entry = the_manifest(image)
        text = (SMALL_MANIFEST % body).encode()
        assert len(text) <= entry.struct.Size
        image.set_bytes_at_rva(entry.struct.OffsetToData, text)
        entry.struct.Size = len(text)
    return patch


def without_manifest(image):
    """Gives the manifest's resource type an id no loader looks for."""
    (manifest_type,) = [entry for entry in image.DIRECTORY_ENTRY_RESOURCE.entries if entry.id == pe.RT_MANIFEST]
    manifest_type.struct.Name = 0xFFFF


def renaming_import(old, new):
    def patch(image):
        (function,) = [function for dll in image.DIRECTORY_ENTRY_IMPORT for function in dll.imports
                       if function.name == old]
        assert len(old) == len(new)
        function.name = new  # pefile writes the name in place
    return patch


def truncated(size):
    def patch(image):
        return image.write()[:size]
    return patch


def security_directory(image):
    return image.OPTIONAL_HEADER.DATA_DIRECTORY[pe.pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_SECURITY"]]


def moving_certificate_table(offset):
    def patch(image):
        security_directory(image).VirtualAddress = offset
    return patch


def certificate_type(kind):
    """Gives the first entry of the signatures' table another type (2: PKCS#7 signed data)."""
    def patch(image):
        data = bytearray(image.write())
        struct.pack_into("<H", data, security_directory(image).VirtualAddress + 6, kind)
        return bytes(data)
    return patch


def signed_copy(image_path, folder):
    """The bytes of image_path signed as the release is, with a key made here."""
    key = os.path.join(folder, "key")
    os.mkdir(key)
    subprocess.run([os.path.join(ROOT, "scripts", "make-signing-key"), key], check=True, stdout=subprocess.DEVNULL)
    environment = dict(os.environ, NOX_SIGN_PKCS12="", NOX_SIGN_PASSWORD="", NOX_SIGN_TIMESTAMP="",
                       NOX_SIGN_KEY=os.path.join(key, "signer.key"), NOX_SIGN_CERTS=os.path.join(key, "signer.pem"))
    signed = os.path.join(folder, "signed")
    subprocess.run([os.path.join(ROOT, "scripts", "sign-release"), signed, image_path], check=True, env=environment,
                   stdout=subprocess.DEVNULL)
    with open(os.path.join(signed, os.path.basename(image_path)), "rb") as file:
        return file.read()


# (name, patch, what the failure must say (None: must pass)[, the copy to patch: "signed"])
CASES = [
    ("unpatched", lambda image: None, None),
    ("subsystem version 5.1", with_version("Subsystem", (5, 1)), None),
    ("os version 5.1", with_version("OperatingSystem", (5, 1)), None),
    ("os version 6.0", with_version("OperatingSystem", (6, 0)), "operating-system version 6.0"),
    ("subsystem version 6.0", with_version("Subsystem", (6, 0)), "subsystem version 6.0"),
    ("subsystem version 5.2", with_version("Subsystem", (5, 2)), "subsystem version 5.2"),
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
    ("truncated after the headers", truncated(0x400), "cannot read the image"),
    ("import missing from the list", renaming_import(b"SetTimer", b"SetTimex"), "USER32.DLL SetTimex: not in the list"),
    ("signed", lambda image: None, None, "signed"),
    ("signatures' table cut short", lambda image: image.write()[:-8], "certificate table", "signed"),
    ("signatures' table inside a section", moving_certificate_table(0x400), "certificate table at 0x400", "signed"),
    ("signature entry of another type", certificate_type(1), "is not a PKCS#7 signature", "signed"),
]


def main(argv):
    source = argv[1] if len(argv) > 1 else os.path.join(ROOT, "build", "windows-x86", "bin", "noxLauncher.exe")
    with open(source, "rb") as file:
        copies = {"built": file.read()}
    failures = 0
    with tempfile.TemporaryDirectory() as folder:
        copies["signed"] = signed_copy(source, folder)
        for index, (name, patch, expected, *copy) in enumerate(CASES):
            image = pe.load(copies[copy[0] if copy else "built"])
            data = patch(image) or image.write()
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
