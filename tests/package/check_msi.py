#!/usr/bin/env python3
"""Reads the Windows installer back with msitools, table by table, and checks
what Windows Installer will do with it: where each file and shortcut goes,
what the list of installed programs shows, which installed versions it
replaces or refuses, and that its version is the programs' own.

    check_msi.py MSI VERSION URL    (URL empty when the project has none)

Prints one line per fault and exits 1 if there is any."""
import struct
import os
import subprocess
import sys
import tempfile
from pathlib import Path

# Every release carries this UpgradeCode: a package with another one would
# install beside the old version instead of replacing it.
UPGRADE_CODE = "{8232CED0-0826-417E-8D66-2484BB4EED28}"
PROGRAMS = ["twinoffset", "solooffset", "offsetcalc"]
FOLDER = "ProgramFiles64Folder/Offset Calculators"
FILES = {f"{FOLDER}/{p}.exe" for p in PROGRAMS} | {f"{FOLDER}/LICENSE.txt"} | {
    f"{FOLDER}/manual/{p}-{lang}.txt" for p in PROGRAMS for lang in ("en", "nl")}
SHORTCUTS = {("ProgramMenuFolder", "Versleping Concentrisch", "[#twinoffset.exe]", "offsetcalc.ico"),
             ("ProgramMenuFolder", "Versleping Enkelwandig", "[#solooffset.exe]", "offsetcalc.ico")}

faults = []


def check(ok, fault):
    if not ok:
        faults.append(fault)


def table(msi, name):
    """The rows of a table as dicts; msiinfo gives names, types and keys first.

    It runs in a folder of its own: a table with binary columns (Icon) is
    exported with a file per stream in the working folder."""
    with tempfile.TemporaryDirectory() as scratch:
        lines = subprocess.run(["msiinfo", "export", os.path.abspath(msi), name], check=True,
                               capture_output=True, text=True, cwd=scratch).stdout.splitlines()
    columns = lines[0].split("\t")
    return [dict(zip(columns, line.split("\t"))) for line in lines[3:]]


def version_tuple(text):
    return tuple(int(part) for part in text.split("."))


def finds(row, installed):
    """Whether FindRelatedProducts matches an installed version with this row."""
    attributes = int(row["Attributes"])
    low, high = row["VersionMin"], row["VersionMax"]
    if low and not (installed > version_tuple(low) or
                    (attributes & 256 and installed == version_tuple(low))):
        return False
    if high and not (installed < version_tuple(high) or
                     (attributes & 512 and installed == version_tuple(high))):
        return False
    return True


def file_version(exe):
    """FILEVERSION of the program's version resource (VS_FIXEDFILEINFO)."""
    resource = subprocess.run(["wrestool", "-x", "--raw", "--type=16", exe], check=True,
                              capture_output=True).stdout
    start = resource.find(struct.pack("<I", 0xFEEF04BD))
    if start < 0:
        return None
    high, low = struct.unpack_from("<II", resource, start + 8)
    return f"{high >> 16}.{high & 0xFFFF}.{low >> 16}.{low & 0xFFFF}"


def main(msi, version, url):
    properties = {row["Property"]: row["Value"] for row in table(msi, "Property")}
    check(properties.get("ProductName") == "Offset Calculators", f"ProductName {properties.get('ProductName')}")
    check(properties.get("ProductVersion") == version,
          f"ProductVersion {properties.get('ProductVersion')}, project {version}")
    check(properties.get("ALLUSERS") == "1", "not installed per machine (ALLUSERS)")
    check(properties.get("Manufacturer"), "no Manufacturer")
    check(properties.get("UpgradeCode", "").upper() == UPGRADE_CODE,
          f"UpgradeCode {properties.get('UpgradeCode')}, released as {UPGRADE_CODE}")
    check(properties.get("ARPURLINFOABOUT", "") == url, f"ARPURLINFOABOUT {properties.get('ARPURLINFOABOUT')!r}, project {url!r}")
    icons = {row["Name"] for row in table(msi, "Icon")}
    check(properties.get("ARPPRODUCTICON") in icons, "ARPPRODUCTICON names no icon")

    # Where every file lands, from the File, Component and Directory tables.
    directories = {row["Directory"]: row for row in table(msi, "Directory")}

    def path(directory):
        row = directories[directory]
        name = row["DefaultDir"].split("|")[-1]
        parent = row["Directory_Parent"]
        if parent in ("", "TARGETDIR"):
            return directory
        return f"{path(parent)}/{name}" if name != "." else path(parent)

    components = {row["Component"]: row for row in table(msi, "Component")}
    files = {f"{path(components[row['Component_']]['Directory_'])}/{row['FileName'].split('|')[-1]}"
             for row in table(msi, "File")}
    check(files == FILES, f"files: missing {sorted(FILES - files)}, extra {sorted(files - FILES)}")
    check(all(int(c["Attributes"]) & 256 for c in components.values()), "a component is not 64-bit")
    shortcuts = {(r["Directory_"], r["Name"], r["Target"], r["Icon_"]) for r in table(msi, "Shortcut")}
    check(shortcuts == SHORTCUTS, f"shortcuts {sorted(shortcuts)}")

    # What an installed older, equal (another build) or newer version meets.
    rows = [row for row in table(msi, "Upgrade") if row["UpgradeCode"].upper() == UPGRADE_CODE]
    conditions = table(msi, "LaunchCondition")
    refusing = {row["Condition"].removeprefix("NOT ").strip() for row in conditions}
    check(any("nieuwere versie" in row["Description"] and "newer version" in row["Description"]
              for row in conditions), "no refusal that says, in Dutch and English, why")
    sequence = {row["Action"] for row in table(msi, "InstallExecuteSequence")}
    check("RemoveExistingProducts" in sequence, "nothing removes the installed version")
    ours = version_tuple(version)
    for installed, expected in (((0, 0, 1), "replaced"), (ours, "replaced"),
                                (ours[:2] + (ours[2] + 1,), "refused")):
        found = [row for row in rows if finds(row, installed)]
        refused = any(row["ActionProperty"] in refusing for row in found)
        removed = any(not int(row["Attributes"]) & 2 for row in found)
        outcome = "refused" if refused else "replaced" if removed else "installed beside"
        check(outcome == expected, f"an installed {installed} is {outcome}, not {expected}")

    # The programs' version information, as the installer carries them.
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(["msiextract", "-C", folder, msi], check=True, capture_output=True)
        for program in ("twinoffset", "solooffset"):
            exe = next(Path(folder).rglob(f"{program}.exe"))
            found = file_version(exe)
            check(found == f"{version}.0", f"{program}.exe has version {found}, the package {version}")
    for fault in faults:
        print(f"FAIL: {msi}: {fault}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
