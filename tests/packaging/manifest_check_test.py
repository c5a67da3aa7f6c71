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

# A field's path ("I." is the first installer's) and its spoilt value; None: missing.
SPOILT = [(path, None) for path in (
    "PackageIdentifier PackageVersion PackageLocale Publisher PackageName License "
    "ShortDescription ManifestType ManifestVersion Installers I.Architecture I.InstallerType "
    "I.Scope I.InstallerUrl I.InstallerSha256 I.ProductCode I.InstallerSwitches "
    "I.InstallerSwitches.Silent I.InstallerSwitches.SilentWithProgress").split()] + [
    ("Installers", []), ("I.Scope", "everyone"), ("I.InstallerSha256", "AB" * 31),
    ("I.InstallerUrl", "http://a/b"), ("PackageIdentifier", "Vela"), ("ManifestType", "x")]

failures = [f"the written manifest: {check.faults(GOOD)}"] if check.faults(GOOD) else []
for path, value in SPOILT:
    *parents, field = path.replace("I.", "Installers.0.").split(".")
    manifest = copy.deepcopy(GOOD)
    target = manifest
    for step in parents:
        target = target[int(step) if step.isdigit() else step]
    if value is None:
        del target[field]
    else:
        target[field] = value
    if not any(field in fault for fault in check.faults(manifest)):
        failures.append(f"{path} = {value!r} passed")
print("\n".join(failures) or f"PASS the written manifest, {len(SPOILT)} spoilt ones refused")
sys.exit(1 if failures else 0)
