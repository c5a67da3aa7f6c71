#!/usr/bin/env python3
"""Checks a Windows package manager manifest (singleton, 1.6.0) for the
fields a submission needs and the values Vela's installer depends on: a
user-scope installer with silent switches, its hash and product code.

    check-winget-manifest.py MANIFEST.yaml   (status 0 when valid; else each fault)
"""

import re
import sys

import yaml

# Field: a pattern its value must match in full.
TOP = {
    "PackageIdentifier": r"[^.\s\\/:*?\"<>|]{1,32}(\.[^.\s\\/:*?\"<>|]{1,32}){1,7}",
    "PackageVersion": r"[^\\/:*?\"<>|]{1,128}",
    "PackageLocale": r"[a-zA-Z]{2,8}(-[a-zA-Z0-9]{1,8})*",
    "Publisher": r".{2,256}",
    "PackageName": r".{2,256}",
    "License": r".{3,512}",
    "ShortDescription": r".{3,256}",
    "ManifestType": r"singleton",
    "ManifestVersion": r"1\.6\.0",
}
INSTALLER = {
    "Architecture": r"x86|x64|arm|arm64|neutral",
    "InstallerType": r"msix|msi|appx|exe|zip|inno|nullsoft|wix|burn|pwa|portable",
    "Scope": r"user|machine",
    "InstallerUrl": r"https://\S+",
    "InstallerSha256": r"[A-Fa-f0-9]{64}",
    "ProductCode": r".{1,255}",
}
SWITCHES = {"Silent": r".{1,512}", "SilentWithProgress": r".{1,512}"}


def faults(manifest):
    """What is missing or malformed, as readable lines."""
    found = []

    def check(where, table, mapping):
        if not isinstance(mapping, dict):
            found.append(f"{where}: not a mapping")
            return
        for field, pattern in table.items():
            value = mapping.get(field)
            if value is None:
                found.append(f"{where}{field}: missing")
            elif not re.fullmatch(pattern, str(value), re.DOTALL):
                found.append(f"{where}{field}: {value!r} does not match {pattern}")

    check("", TOP, manifest)
    installers = manifest.get("Installers") if isinstance(manifest, dict) else None
    if not isinstance(installers, list) or not installers:
        found.append("Installers: missing or empty")
        return found
    for i, installer in enumerate(installers):
        check(f"Installers[{i}].", INSTALLER, installer)
        if isinstance(installer, dict):
            check(f"Installers[{i}].InstallerSwitches.", SWITCHES,
                  installer.get("InstallerSwitches"))
    return found


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    with open(argv[1], encoding="utf-8") as f:
        found = faults(yaml.safe_load(f))
    for line in found:
        print(f"{argv[1]}: {line}", file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
