"""The installer as a user meets it: installed silently, Vela run from the
user's programs folder, an update installed over the running Vela, and the
silent removal; everything read back from the disk and the registry."""

import glob
import os
import re
import subprocess

from harness import IDS, KESTREL_PROFILE, KESTREL_RUN, Abort, Vela, wait_until
from package import SHIPPED

UNINSTALL = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vela"
ENTRY_VALUES = ("DisplayName", "DisplayVersion", "Publisher", "DisplayIcon", "InstallLocation",
                "UninstallString", "QuietUninstallString")
# What the user made beside Vela: kept by an update and by the removal.
USER_FILES = {"QmSetting.ini", "notes.txt", "ScriptsMacros/Mine.txt",
              "ScriptsMacros/SelectAllCopy.txt"}


def install_upgrade_remove(ctx):
    s = ctx.s
    version = project_version(ctx.root)
    higher = re.sub(r"\d+$", lambda m: str(int(m.group()) + 1), version)
    old, new = (make_installer(ctx, v) for v in (version, higher))

    ctx.check("silent_install_status", s.run(old, "/S", name="setup"), 0)
    home = glob.glob(os.path.join(s.env["WINEPREFIX"], "drive_c/users/*/AppData/Local"))
    home = [h for h in home if "/Public/" not in h]
    if len(home) != 1:
        raise Abort(f"no single user's AppData\\Local: {home}")
    folder = os.path.join(home[0], "Programs", "Vela")
    winfolder = "C:" + folder.split("drive_c", 1)[1].replace("/", "\\")
    ctx.check("installed_files", listing(folder), sorted(SHIPPED + ["Uninstall.exe"]))
    uninstaller = f'"{winfolder}\\Uninstall.exe"'
    ctx.check("entry_registered", entry(s), {
        "DisplayName": "Vela", "DisplayVersion": version, "Publisher": "Kestrel",
        "DisplayIcon": winfolder + "\\Vela.exe,0", "InstallLocation": winfolder,
        "UninstallString": uninstaller, "QuietUninstallString": uninstaller + " /S"})
    shortcut = os.path.join(home[0], "..", "Roaming", "Microsoft", "Windows", "Start Menu",
                            "Programs", "Vela.lnk")
    ctx.check("start_menu_shortcut", os.path.isfile(shortcut), True)

    # Run from there; an assignment made in the window, files of the user's.
    vela = Vela(s, source=folder)
    window = vela.start_shown()
    menu = ctx.menu()
    menu.to_word_copy(menu.open_caption(s.geometry(window)[:2], "0, 2"))  # X1
    s.xdo("click", 1)
    ctx.check("assignment_saved", vela.wait_saved("X1ButtonSetting", "0", "Copy"), True)
    vela.write_script("Mine.txt", "KeyDown 65\r\nKeyUp 65\r\n")
    with open(os.path.join(folder, "notes.txt"), "w") as f:
        f.write("mine\n")
    # "Start With Windows" off and on again: the profile holds the choice.
    tray = ctx.tray()
    for want in ("1", "0"):
        tray.open_menu(3)
        tray.choose(tray.AUTOSTART)
        s.wait_reg(KESTREL_PROFILE, "BootValue", want)
    kept = {name: read(os.path.join(folder, name)) for name in USER_FILES}
    autostart = (s.reg_query(KESTREL_RUN, "Kestrel"), s.reg_query(KESTREL_PROFILE, "BootValue"))
    ctx.check("autostart_on_for_the_installed_vela", autostart, (f'"{winfolder}\\Vela.exe"', "0"))
    before = prefix_pids(s)
    ctx.check("one_vela_before_the_update", len(before), 1)

    # The update over the running Vela: it ends, the files are replaced, it
    # starts again as it was.
    ctx.check("silent_update_status", s.run(new, "/S", name="update"), 0)
    ctx.check("old_vela_ended", wait_until(lambda: not set(before) & set(prefix_pids(s)), 10),
              True)
    ctx.check("new_vela_started", wait_until(lambda: len(prefix_pids(s)) == 1, 10), True)
    ctx.check("entry_has_the_new_version", s.reg_query(UNINSTALL, "DisplayVersion"), higher)
    ctx.check("user_files_kept_byte_for_byte",
              {name: read(os.path.join(folder, name)) == kept[name] for name in USER_FILES},
              dict.fromkeys(USER_FILES, True))
    ctx.check("autostart_kept",
              (s.reg_query(KESTREL_RUN, "Kestrel"), s.reg_query(KESTREL_PROFILE, "BootValue")),
              autostart)
    vela.wait_ready(visible=0)
    ctx.check("new_vela_has_the_assignment", vela.texts().get(IDS.IDC_CAPTION_X1), "Copy")

    # The removal as the entry gives it: the copy the uninstaller starts
    # from the temporary folder removes the entry last.
    s.run(os.path.join(folder, "Uninstall.exe"), "/S", name="uninstall")
    ctx.check("entry_removed", s.wait_reg(UNINSTALL, "DisplayName", None, timeout=30), None)
    ctx.check("vela_ended_by_the_removal", wait_until(lambda: not prefix_pids(s), 10), True)
    ctx.check("only_the_user_files_stay", set(listing(folder)), USER_FILES)
    ctx.check("shortcut_removed", os.path.exists(shortcut), False)
    ctx.check("autostart_and_profile_removed",
              (s.reg_query(KESTREL_RUN, "Kestrel"), s.reg_query(KESTREL_PROFILE, "BootValue")),
              (None, None))


def make_installer(ctx, version):
    """The build's installer of these same programs, as `version`."""
    out = os.path.join(ctx.s.work, "installers")
    with open(os.path.join(ctx.s.work, f"installer-{version}.log"), "wb") as log:
        made = subprocess.run(["cmake", f"-DVERSION={version}", f"-DOUT_DIR={out}", "-P",
                               ctx.options.installer_script], stdout=log, stderr=log)
    path = os.path.join(out, f"Vela-{version}-setup.exe")
    if made.returncode != 0 or not os.path.isfile(path):
        raise Abort(f"no installer for {version}: see installer-{version}.log")
    return path


def project_version(root):
    with open(os.path.join(root, "CMakeLists.txt")) as f:
        return re.search(r"project\(Vela VERSION ([0-9.]+)", f.read()).group(1)


def entry(s):
    return {name: s.reg_query(UNINSTALL, name) for name in ENTRY_VALUES}


def listing(folder):
    return sorted(os.path.relpath(os.path.join(top, name), folder)
                  for top, _, names in os.walk(folder) for name in names)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def prefix_pids(s):
    """Vela.exe processes of this session's prefix, however they were started."""
    found = []
    for pid in subprocess.run(["pgrep", "-f", r"Vela\.exe"], capture_output=True,
                              text=True).stdout.split():
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                program = f.read().split(b"\0")[0]
            with open(f"/proc/{pid}/environ", "rb") as f:
                env = f.read().split(b"\0")
        except OSError:
            continue
        # Not the launchers (timeout, wine) that started it.
        if program.endswith(b"Vela.exe") and \
                ("WINEPREFIX=" + s.env["WINEPREFIX"]).encode() in env:
            found.append(int(pid))
    return found
