#!/usr/bin/env python3
"""The manifest check passes the manifest the build writes and refuses one
that lacks, or spoils, any field a submission or Vela's installer needs."""

import copy
import importlib.util
import os
import sys

import yaml

PACKAGING = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "packaging")
spec = importlib.util.spec_from_file_location(
    "check", os.path.join(PACKAGING, "check-winget-manifest.py"))
check = importlib.util.module_from_spec(spec)
spec.loader.exec_module(check)

with open(os.path.join(PACKAGING, "winget.yaml.in"), encoding="utf-8") as f:
    written = f.read()
for name, value in {"VERSION": "3.2.3", "PUBLISHER": "Kestrel", "INSTALLER_SHA256": "AB" * 32,
                    "INSTALLER_URL": "https://example.com/vela/Vela-3.2.3-setup.exe"}.items():
    written = written.replace(f"@{name}@", value)
GOOD = yaml.safe_load(written)

# (path to the field, its spoilt value: None removes it)
SPOILT = [((field,), None) for field in (
    "PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName", "License",
    "ShortDescription", "ManifestType", "ManifestVersion", "Installers")] + [
    (("Installers", 0, field), None) for field in (
        "Architecture", "InstallerType", "Scope", "InstallerUrl", "InstallerSha256", "ProductCode",
        "InstallerSwitches")] + [
    (("Installers", 0, "InstallerSwitches", field), None) for field in (
        "Silent", "SilentWithProgress")] + [
    (("Installers",), []),
    (("Installers", 0, "Scope"), "everyone"),
    (("Installers", 0, "InstallerSha256"), "AB" * 31),
    (("Installers", 0, "InstallerUrl"), "http://example.com/setup.exe"),
    (("PackageIdentifier",), "Vela"),
    (("ManifestType",), "installer"),
]


def spoil(path, value):
    manifest = copy.deepcopy(GOOD)
    *parents, last = path
    target = manifest
    for step in parents:
        target = target[step]
    if value is None:
        del target[last]
    else:
        target[last] = value
    return manifest


failures = [f"the written manifest: {check.faults(GOOD)}"] if check.faults(GOOD) else []
for path, value in SPOILT:
    found = check.faults(spoil(path, value))
    if not any(str(path[-1]) in fault for fault in found):
        failures.append(f"{path} = {value!r} passed: {found}")
print("\n".join(failures) or f"PASS the written manifest, {len(SPOILT)} spoilt ones refused")
sys.exit(1 if failures else 0)
