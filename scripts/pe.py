#!/usr/bin/python3
"""Reads Windows program images for the load checks (scripts/check-header, scripts/check-imports,
tests/release) through pefile, Debian's python3-pefile (hence Debian's own interpreter).
    scripts/pe.py dlls IMAGE      the DLLs IMAGE imports, one a line, as the image names them
    scripts/pe.py imports IMAGE   "DLL FUNCTION" for each imported function (DLL in capitals), sorted"""
import sys

import pefile

RT_MANIFEST = pefile.RESOURCE_TYPE["RT_MANIFEST"]
PROCESS_MANIFEST_ID = 1  # the manifest the loader reads for an executable


class BadImage(Exception):
    pass


def load(data):
    """The image in data with its import and resource directories read; BadImage where the loader
    would refuse it as a file."""
    try:
        image = pefile.PE(data=data, fast_load=True)
        image.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_IMPORT"],
                                                  pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    except pefile.PEFormatError as error:
        raise BadImage(error.value) from error
    for section in image.sections:
        if section.PointerToRawData + section.SizeOfRawData > len(data):
            raise BadImage("section %s ends beyond the end of the file"
                           % section.Name.rstrip(b"\0").decode(errors="replace"))
    return image


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
