#!/usr/bin/python3
"""Reads Windows program images for the load check (scripts/check-imports), scripts/check-signing and
tests/release through pefile, Debian's python3-pefile (hence Debian's own interpreter).
    scripts/pe.py dlls IMAGE      the DLLs IMAGE imports, one a line, as the image names them
    scripts/pe.py imports IMAGE   "DLL FUNCTION" for each imported function (DLL in capitals), sorted"""
import struct
import sys

import pefile

RT_MANIFEST = pefile.RESOURCE_TYPE["RT_MANIFEST"]
PROCESS_MANIFEST_ID = 1  # the manifest the loader reads for an executable
WIN_CERT_REVISION_2_0 = 0x0200
WIN_CERT_TYPE_PKCS_SIGNED_DATA = 0x0002


class BadImage(Exception):
    pass


def load(data):
    """The image in data with its import and resource directories read; BadImage where the loader
    would refuse it as a file, or where its signatures' table is broken."""
    try:
        image = pefile.PE(data=data, fast_load=True)
        image.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"],
                                                  pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    except pefile.PEFormatError as error:
        raise BadImage(error.value) from error
    sections_end = 0
    for section in image.sections:
        end = section.PointerToRawData + section.SizeOfRawData
        if end > len(data):
            raise BadImage("section %s ends beyond the end of the file"
                           % section.Name.rstrip(b"\0").decode(errors="replace"))
        sections_end = max(sections_end, end)
    check_certificates(image, data, sections_end)
    return image


def check_certificates(image, data, sections_end):
    """The signatures' table (the security directory: a file offset, not an address), where there is
    one: after the sections and within the file, of 8-byte aligned PKCS#7 entries of revision 2.0."""
    directory = image.OPTIONAL_HEADER.DATA_DIRECTORY[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_SECURITY"]]
    start, size = directory.VirtualAddress, directory.Size
    if start == 0 and size == 0:
        return
    if start < sections_end or start % 8 or start + size > len(data):
        raise BadImage("certificate table at 0x%x, 0x%x bytes, is not after the sections and within the "
                       "file (0x%x bytes)" % (start, size, len(data)))
    at = start
    while at < start + size:
        length, revision, kind = struct.unpack_from("<IHH", data, at) if at + 8 <= start + size else (0, 0, 0)
        if length < 8 or at + length > start + size or revision != WIN_CERT_REVISION_2_0 \
                or kind != WIN_CERT_TYPE_PKCS_SIGNED_DATA:
            raise BadImage("certificate table entry at 0x%x is not a PKCS#7 signature of revision 2.0 "
                           "within the table" % at)
        at += (length + 7) // 8 * 8


def read(path):
    with open(path, "rb") as file:
        return load(file.read())


def imported_dlls(image):
    return getattr(image, "DIRECTORY_ENTRY_IMPORT", [])


def imports(image):
    """(DLL in capitals, function name or #ordinal) of every imported function, sorted."""
    return sorted({(dll.dll.decode().upper(), function.name.decode() if function.name else "#%d" % function.ordinal)
                   for dll in imported_dlls(image) for function in dll.imports})


def manifests(image):
    """The resource data entries (pefile's, .struct has OffsetToData and Size) of each language of
    the process manifest."""
    resources = getattr(image, "DIRECTORY_ENTRY_RESOURCE", None)
    for type_entry in resources.entries if resources else []:
        if type_entry.id != RT_MANIFEST:
            continue
        for id_entry in type_entry.directory.entries:
            if id_entry.id == PROCESS_MANIFEST_ID:
                yield from (language.data for language in id_entry.directory.entries)


def resource_bytes(image, entry):
    return image.get_data(entry.struct.OffsetToData, entry.struct.Size)


def main(argv):
    if len(argv) != 3 or argv[1] not in ("dlls", "imports"):
        print("usage: pe.py dlls|imports IMAGE", file=sys.stderr)
        return 2
    try:
        image = read(argv[2])
    except (OSError, BadImage) as error:
        print("pe.py: %s: cannot read the image: %s" % (argv[2], error), file=sys.stderr)
        return 1
    if argv[1] == "dlls":
        lines = [dll.dll.decode() for dll in imported_dlls(image)]
    else:
        lines = ["%s %s" % pair for pair in imports(image)]
    for line in lines:
        print(line)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
