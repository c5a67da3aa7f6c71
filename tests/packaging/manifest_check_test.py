#!/usr/bin/env python3
"""The manifest check passes the manifest the build writes and refuses one
that lacks, or spoils, any field a submission or Vela's installer needs."""

import copy
import importlib.util
import os
import sys

import yaml

PACKAGING = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../packaging")
spec = importlib.util.spec_from_file_location("check", PACKAGING + "/check-winget-manifest.py")
check = importlib.util.module_from_spec(spec)
spec.loader.exec_module(check)

with open(PACKAGING + "/winget.yaml.in", encoding="utf-8") as f:
    written = f.read()
for name, value in {"VERSION": "3.2.3", "PUBLISHER": "Kestrel", "INSTALLER_SHA256": "AB" * 32,
                    "INSTALLER_URL": "https://example.com/Vela-3.2.3-setup.exe"}.items():
    written = written.replace(f"@{name}@", value)
GOOD = yaml.safe_load(written)

# (the field's path, its spoilt value; None: the field is missing)
INSTALLER = ("Installers", 0)
SPOILT = [((field,), None) for field in (
    "PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName", "License",
    "ShortDescription", "ManifestType", "ManifestVersion", "Installers")] + [
    (INSTALLER + (field,), None) for field in (
        "Architecture", "InstallerType", "Scope", "InstallerUrl", "InstallerSha256", "ProductCode",
        "InstallerSwitches")] + [
    (INSTALLER + ("InstallerSwitches", field), None) for field in ("Silent", "SilentWithProgress")
] + [(("Installers",), []), (INSTALLER + ("Scope",), "everyone"),
     (INSTALLER + ("InstallerSha256",), "AB" * 31), (INSTALLER + ("InstallerUrl",), "http://a/b"),
     (("PackageIdentifier",), "Vela"), (("ManifestType",), "installer")]

failures = [f"the written manifest: {check.faults(GOOD)}"] if check.faults(GOOD) else []
for path, value in SPOILT:
    manifest = copy.deepcopy(GOOD)
    parent = manifest
    for step in path[:-1]:
        parent = parent[step]
    if value is None:
        del parent[path[-1]]
    else:
        parent[path[-1]] = value
    if not any(path[-1] in fault for fault in check.faults(manifest)):
        failures.append(f"{path} = {value!r} passed")
print("\n".join(failures) or f"PASS the written manifest, {len(SPOILT)} spoilt ones refused")
sys.exit(1 if failures else 0)
