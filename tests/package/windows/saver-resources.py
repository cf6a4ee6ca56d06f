"""Prints what Windows reads from a program's resources without running it, one "name=value"
a line: String1 (string resource 1), FixedFileVersion and FixedProductVersion (the version
resource's numbers), every text of its StringFileInfo and DpiAwareness (what the process
manifest, resource 1, asks for). Reads them with wrestool.
    saver-resources.py <file.exe>
"""
import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

RT_STRING, RT_VERSION, RT_MANIFEST = 6, 16, 24


def resource(path, kind, name):
    out = subprocess.run(["wrestool", "-x", "--raw", f"--type={kind}", f"--name={name}", path],
                         check=True, capture_output=True).stdout
    if not out:
        sys.exit(f"{path} has no resource of type {kind} named {name}")
    return out


def string_table_entry(block, index):
    """String <index> of a string table block: 16 counted UTF-16 strings."""
    offset = 0
    for _ in range(index):
        offset += 2 + 2 * struct.unpack_from("<H", block, offset)[0]
    count = struct.unpack_from("<H", block, offset)[0]
    return block[offset + 2:offset + 2 + 2 * count].decode("utf-16-le")


def version_node(data, offset):
    """One node of a version resource: (key, value bytes, is text, children, end)."""
    length, value_length, is_text = struct.unpack_from("<HHH", data, offset)
    end = offset + length
    key_end = offset + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[offset + 6:key_end].decode("utf-16-le")
    value_start = (key_end + 2 + 3) & ~3
    value_end = value_start + (2 * value_length if is_text else value_length)
    children, child = [], (value_end + 3) & ~3
    while child < end:
        node = version_node(data, child)
        children.append(node)
        child = (node[4] + 3) & ~3
    return key, data[value_start:value_end], is_text, children, end


def dotted(most, least):
    return f"{most >> 16}.{most & 0xFFFF}.{least >> 16}.{least & 0xFFFF}"


def main(path):
    # String 1 lives in block 1, which holds strings 0 to 15.
    print("String1=" + string_table_entry(resource(path, RT_STRING, 1), 1))
    _, fixed, _, children, _ = version_node(resource(path, RT_VERSION, 1), 0)
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
    if signature != 0xFEEF04BD:
        sys.exit(f"{path}: the version resource's fixed part has no signature")
    print("FixedFileVersion=" + dotted(file_ms, file_ls))
    print("FixedProductVersion=" + dotted(product_ms, product_ls))
    for key, _, _, tables, _ in children:
        if key != "StringFileInfo":
            continue
        for _, _, _, strings, _ in tables:
            for name, value, _, _, _ in strings:
                print(f"{name}={value.decode('utf-16-le').rstrip(chr(0))}")
    manifest = ElementTree.fromstring(resource(path, RT_MANIFEST, 1))
    for element in manifest.iter("{http://schemas.microsoft.com/SMI/2016/WindowsSettings}dpiAwareness"):
        print("DpiAwareness=" + element.text.strip())


main(sys.argv[1])
