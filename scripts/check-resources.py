#!/usr/bin/env python3
"""Reads the manifest and the version resource back from a built program and checks them.

usage: check-resources.py PROGRAM.exe "FILE DESCRIPTION"

The version is compared with resources/tarnwell_version.h, the one place that holds it.
Prints one line and exits 0 when everything matches; otherwise names every mismatch.
"""
import os
import re
import struct
import sys
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RT_VERSION, RT_MANIFEST = 16, 24

ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPAT = "{urn:schemas-microsoft-com:compatibility.v1}"
SETTINGS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
SETTINGS_2016 = "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}"
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}": "Vista",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "10/11",
}


def release_version():
    with open(os.path.join(ROOT, "resources", "tarnwell_version.h")) as f:
        text = f.read()
    name = re.search(r'#define TARNWELL_VERSION "([^"]+)"', text).group(1)
    numbers = re.search(r"#define TARNWELL_VERSION_NUMBERS ([0-9, ]+)", text).group(1)
    return name, tuple(int(n) for n in numbers.split(","))


class Pe:
    """Just enough of a PE file to find its resources."""

    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.rsrc_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            size, rva, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            self.sections.append((rva, max(size, raw_size), raw))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("address outside every section")

    def resource(self, type_id, name_id):
        """The data of the first language of the resource, or None."""
        base = self.offset(self.rsrc_rva)
        entry = base
        for wanted in (type_id, name_id, None):
            named, ids = struct.unpack_from("<HH", self.data, entry + 12)
            found = None
            for i in range(named + ids):
                ident, target = struct.unpack_from("<II", self.data, entry + 16 + 8 * i)
                if wanted is None or (not ident & 0x80000000 and ident == wanted):
                    found = target
                    break
            if found is None:
                return None
            if found & 0x80000000:
                entry = base + (found & 0x7FFFFFFF)
            else:
                rva, size = struct.unpack_from("<II", self.data, base + found)
                start = self.offset(rva)
                return self.data[start:start + size]
        return None


def version_blocks(data, at=0, end=None):
    """Yields (key, value, children) of each block of a version resource."""
    end = len(data) if end is None else end
    while at + 6 <= end:
        length, value_length, kind = struct.unpack_from("<HHH", data, at)
        if length == 0:
            break
        key_end = at + 6
        while data[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = data[at + 6:key_end].decode("utf-16-le")
        value_at = (key_end + 2 + 3) & ~3
        value_size = value_length * 2 if kind == 1 else value_length
        value = data[value_at:value_at + value_size]
        if kind == 1:
            value = value.decode("utf-16-le").rstrip("\0")
        children_at = (value_at + value_size + 3) & ~3
        yield key, value, (children_at, at + length)
        at = (at + length + 3) & ~3


def check_version(data, description, program, errors):
    name, numbers = release_version()
    (root_key, fixed, (children, end)), = list(version_blocks(data))[:1]
    signature, _, ms, ls, pms, pls = struct.unpack_from("<IIIIII", fixed)
    if root_key != "VS_VERSION_INFO" or signature != 0xFEEF04BD:
        errors.append("version resource malformed")
        return
    want = (numbers[0] << 16 | numbers[1], numbers[2] << 16 | numbers[3])
    if (ms, ls) != want or (pms, pls) != want:
        errors.append("numeric version is not %s" % ".".join(map(str, numbers)))
    strings = {}
    for key, _, (at, block_end) in version_blocks(data, children, end):
        if key == "StringFileInfo":
            for _, _, (table_at, table_end) in version_blocks(data, at, block_end):
                for k, v, _ in version_blocks(data, table_at, table_end):
                    strings[k] = v
    expected = {"ProductName": "Tarnwell", "FileDescription": description, "FileVersion": name,
                "ProductVersion": name, "OriginalFilename": program}
    for key, value in expected.items():
        if strings.get(key) != value:
            errors.append("%s is %r, not %r" % (key, strings.get(key), value))
    return name


def check_manifest(data, errors):
    root = ET.fromstring(data)
    level = root.find(".//%srequestedExecutionLevel" % ASM_V3)
    if level is None or level.get("level") != "asInvoker" or level.get("uiAccess") != "false":
        errors.append("manifest: not asInvoker without uiAccess")
    systems = {SUPPORTED_OS.get(e.get("Id")) for e in root.iter(COMPAT + "supportedOS")}
    missing = [v for v in SUPPORTED_OS.values() if v not in systems]
    if missing:
        errors.append("manifest: supportedOS lacks " + ", ".join(missing))
    controls = [e for e in root.iter(ASM_V1 + "assemblyIdentity")
                if e.get("name") == "Microsoft.Windows.Common-Controls"]
    if not controls or controls[0].get("version") != "6.0.0.0" or \
            controls[0].get("publicKeyToken") != "6595b64144ccf1df":
        errors.append("manifest: no dependency on Common Controls 6.0")
    awareness = root.find(".//%sdpiAwareness" % SETTINGS_2016)
    aware = root.find(".//%sdpiAware" % SETTINGS_2005)
    if awareness is None or awareness.text.strip() != "PerMonitorV2":
        errors.append("manifest: dpiAwareness is not PerMonitorV2")
    if aware is None or aware.text.strip() != "true/pm":
        errors.append("manifest: dpiAware fallback is not true/pm")


def main():
    path, description = sys.argv[1], sys.argv[2]
    with open(path, "rb") as f:
        pe = Pe(f.read())
    program = os.path.basename(path)
    errors = []
    manifest = pe.resource(RT_MANIFEST, 1)
    if manifest is None:
        errors.append("no manifest with id 1")
    else:
        check_manifest(manifest, errors)
    version = pe.resource(RT_VERSION, 1)
    name = None
    if version is None:
        errors.append("no version resource")
    else:
        name = check_version(version, description, program, errors)
    for e in errors:
        print("%s: %s" % (program, e))
    if not errors:
        print("%s: manifest (asInvoker, Vista to 10/11, Common Controls 6, PerMonitorV2) and version %s"
              % (program, name))
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
