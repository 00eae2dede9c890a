#!/usr/bin/env python3
"""Checks the built Windows program: x86-64, GUI subsystem (no console window beside it), self-contained
(it imports no DLL that comes with Qt or the compiler rather than with Windows), safe in a folder of
strangers' files (it imports only DLLs that Windows takes from System32 whatever lies beside the program:
KnownDLLs and API sets, unless its load configuration sends every import to System32), the icon of the
project's .ico, the version information in Chinese (PRC), Unicode, the application manifest (built for
Windows 10 and 11, run with the user's own rights, the DPI awareness left to Qt or declared as Qt sets
it), and the DLLs that it loads only when it first calls them kept out of the DLLs that Windows loads
with it.

    check_windows_executable.py PROGRAM.exe ICON.ico VERSION CAPTION PRODUCT_NAME [DELAY_LOADED]

VERSION is the project's (1.00), CAPTION the window's, PRODUCT_NAME the version information's;
DELAY_LOADED names DLLs without .dll, separated by ';' (authz;comdlg32). The program must also have
ASLR, high-entropy ASLR and DEP; that alone is checked, for every .exe and .dll in FOLDER and below, with

    check_windows_executable.py --shipped FOLDER
"""
import pathlib
import re
import struct
import sys
import xml.etree.ElementTree as ElementTree

import pefile

LANGUAGE_PRC, CODE_PAGE_UNICODE = 0x0804, 1200
# DLLs that a Windows does not have: Qt's, the MinGW runtime's (C++, GCC, threads, stack protector),
# Microsoft's C++ runtime.
NOT_WINDOWS_OWN = re.compile(r"qt\d|lib(stdc\+\+|gcc|winpthread|ssp)|msvcp|vcruntime", re.IGNORECASE)
# Windows 10's and 11's KnownDLLs (HKLM\System\CurrentControlSet\Control\Session Manager\KnownDLLs), and the
# DLLs that Windows loads into every process before the program's imports, ntdll and kernelbase: Windows
# maps them from System32 whatever the search path. Any other DLL it looks for in the program's folder
# first. API sets (api-ms-win-*, ext-ms-win-*) are names that Windows resolves itself.
KNOWN_DLLS = {"advapi32", "clbcatq", "combase", "comdlg32", "coml2", "difxapi", "gdi32", "gdiplus", "imagehlp",
              "imm32", "kernel32", "kernelbase", "msctf", "msvcrt", "normaliz", "nsi", "ntdll", "ole32",
              "oleaut32", "psapi", "rpcrt4", "sechost", "setupapi", "shcore", "shell32", "shlwapi", "user32",
              "wldap32", "ws2_32"}
API_SET = re.compile(r"(api|ext)-ms-win-[a-z0-9-]+\.dll$", re.IGNORECASE)
# The load configuration's DependentLoadFlags: every DLL the program imports is looked for in System32 alone.
LOAD_LIBRARY_SEARCH_SYSTEM32 = 0x800
# Address space layout randomisation (ASLR), with 64-bit addresses (high entropy), and no code run from data
# (DEP): Windows applies them only to a program that says it can take them.
SECURITY_FLAGS = {"ASLR": 0x40, "high-entropy ASLR": 0x20, "DEP": 0x100}
# The manifest: Windows 10 and 11 share one supportedOS id; the namespaces of its parts.
WINDOWS_10_AND_11 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"


def ico_images(path):
    """(width, height) of each picture in an .ico file; 0 in the directory means 256."""
    with open(path, "rb") as ico:
        data = ico.read()
    _, kind, count = struct.unpack_from("<HHH", data, 0)
    assert kind == 1, f"{path} is not an icon file"
    return sorted((w or 256, h or 256) for w, h in (struct.unpack_from("<BB", data, 6 + 16 * i) for i in range(count)))


def group_icon_images(pe):
    """(width, height) of each picture in the program's first icon group."""
    resources = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for kind in resources.entries if resources else []:
        if kind.id == pefile.RESOURCE_TYPE["RT_GROUP_ICON"]:
            entry = kind.directory.entries[0].directory.entries[0]
            data = pe.get_data(entry.data.struct.OffsetToData, entry.data.struct.Size)
            _, _, count = struct.unpack_from("<HHH", data, 0)
            return sorted((w or 256, h or 256) for w, h in (struct.unpack_from("<BB", data, 6 + 14 * i) for i in range(count)))
    return []


def manifest_problems(pe):
    """What is wrong with the manifest that Windows reads when it starts the program (RT_MANIFEST 1)."""
    resources = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    manifests = [entry for kind in (resources.entries if resources else [])
                 if kind.id == pefile.RESOURCE_TYPE["RT_MANIFEST"] for entry in kind.directory.entries]
    if [entry.id for entry in manifests] != [1]:
        return [f"manifest resources are {[entry.id for entry in manifests]}, not the one Windows reads, 1"]
    data_entry = manifests[0].directory.entries[0].data.struct
    try:
        root = ElementTree.fromstring(pe.get_data(data_entry.OffsetToData, data_entry.Size))
    except ElementTree.ParseError as error:
        return [f"the manifest is not well-formed XML: {error}"]
    problems = []
    supported = [node.get("Id") for node in root.iter(f"{COMPATIBILITY}supportedOS")]
    if supported != [WINDOWS_10_AND_11]:
        problems.append(f"the manifest's supportedOS are {supported}, not Windows 10 and 11's alone")
    levels = [(node.get("level"), node.get("uiAccess")) for node in root.iter(f"{ASM_V3}requestedExecutionLevel")]
    if levels != [("asInvoker", "false")]:
        problems.append(f"the manifest's execution levels are {levels}, not asInvoker without UI access")
    # Qt sets per-monitor v2 when it starts; a manifest may declare that and nothing else.
    for setting, allowed in (("dpiAwareness", {"permonitorv2"}), ("dpiAware", {"true/pm"})):
        declared = [node.text.strip().lower() for node in root.iter() if node.tag.endswith("}" + setting)]
        if any(value not in allowed for value in declared):
            problems.append(f"the manifest declares {setting} {declared}, which is not what Qt sets")
    return problems


def security_problems(pe):
    return [f"no {name}" for name, bit in SECURITY_FLAGS.items() if not pe.OPTIONAL_HEADER.DllCharacteristics & bit]


def check_shipped(folder):
    """Every PE file in folder and below has ASLR, high-entropy ASLR and DEP."""
    files = [path for path in sorted(pathlib.Path(folder).rglob("*")) if path.suffix.lower() in (".exe", ".dll")]
    problems = [f"{path}: {problem}" for path in files
                for problem in security_problems(pefile.PE(str(path), fast_load=True))]
    if not files:
        problems.append(f"{folder} holds no PE file")
    print("\n".join(problems) or f"{len(files)} PE files shipped, each with ASLR, high-entropy ASLR and DEP",
          file=sys.stderr if problems else sys.stdout)
    return 1 if problems else 0


def main(program, icon, version, caption, product_name, delay_loaded=""):
    # Only the directories checked here: parsing all of them (the exception table and relocations of a build
    # with debug information among them) takes seconds.
    pe = pefile.PE(program, fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY[f"IMAGE_DIRECTORY_ENTRY_{name}"]
                                           for name in ("IMPORT", "LOAD_CONFIG", "RESOURCE")])
    problems = []

    if pe.FILE_HEADER.Machine != pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"]:
        problems.append(f"machine is {pe.FILE_HEADER.Machine:#x}, not x86-64")
    if pe.OPTIONAL_HEADER.Subsystem != pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"]:
        problems.append(f"subsystem is {pe.OPTIONAL_HEADER.Subsystem}, not the GUI subsystem (a console would open)")

    imports = [entry.dll.decode() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])]
    foreign = [dll for dll in imports if NOT_WINDOWS_OWN.match(dll)]
    if foreign:
        problems.append(f"imports {foreign}, which do not come with Windows")
    config = getattr(pe, "DIRECTORY_ENTRY_LOAD_CONFIG", None)
    if not (getattr(config.struct, "DependentLoadFlags", 0) & LOAD_LIBRARY_SEARCH_SYSTEM32 if config else 0):
        searched = [dll for dll in imports
                    if dll.lower().removesuffix(".dll") not in KNOWN_DLLS and not API_SET.match(dll)]
        if searched:
            problems.append(f"imports {searched} at start, which are neither KnownDLLs nor API sets: Windows "
                            "looks for them in the program's folder first; load them when first called")
    loaded_at_start = {dll.lower().removesuffix(".dll") for dll in imports}
    not_delayed = sorted(loaded_at_start.intersection(filter(None, delay_loaded.lower().split(";"))))
    if not_delayed:
        problems.append(f"imports {not_delayed} at start, which should be loaded when first called")

    expected_icon, built_icon = ico_images(icon), group_icon_images(pe)
    if built_icon != expected_icon:
        problems.append(f"icon pictures are {built_icon}, expected those of {icon}: {expected_icon}")

    tables = [table for info in getattr(pe, "FileInfo", []) for entry in info
              if entry.Key == b"StringFileInfo" for table in entry.StringTable]
    if [table.LangID for table in tables] != [b"080404b0"]:
        problems.append(f"version string tables are {[table.LangID for table in tables]}, not one for 080404b0")
    strings = {key.decode(): value.decode() for table in tables for key, value in table.entries.items()}
    expected_strings = {"FileDescription": caption, "FileVersion": version, "ProductVersion": version,
                        "ProductName": product_name, "InternalName": product_name}
    for key, value in expected_strings.items():
        if strings.get(key) != value:
            problems.append(f"version {key} is {strings.get(key)!r}, not {value!r}")

    translations = [var.entry.get(b"Translation") for info in getattr(pe, "FileInfo", []) for entry in info
                    if entry.Key == b"VarFileInfo" for var in entry.Var]
    expected_translation = f"{LANGUAGE_PRC:#06x} {CODE_PAGE_UNICODE:#06x}"
    if translations != [expected_translation]:
        problems.append(f"version translation is {translations}, not [{expected_translation!r}]")

    problems += manifest_problems(pe)
    problems += security_problems(pe)

    fixed = getattr(pe, "VS_FIXEDFILEINFO", [None])[0]
    major, minor = (int(part) for part in version.split("."))
    if fixed is None or (fixed.FileVersionMS, fixed.FileVersionLS) != (major << 16 | minor, 0):
        problems.append(f"the fixed file version is not {major}.{minor}.0.0")

    for problem in problems:
        print(f"{program}: {problem}", file=sys.stderr)
    if not problems:
        print(f"{program}: x86-64, GUI subsystem, imports only {len(imports)} DLLs of Windows, all KnownDLLs or API "
              f"sets, icon {built_icon}, "
              f"version {strings['FileVersion']} ({strings['ProductName']}, {expected_translation}), "
              "a manifest for Windows 10 and 11, asInvoker; ASLR, high-entropy ASLR and DEP")
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--shipped":
        sys.exit(check_shipped(sys.argv[2]))
    if len(sys.argv) not in (6, 7):
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
