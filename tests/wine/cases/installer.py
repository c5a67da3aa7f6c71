"""The installer as a user meets it: installed silently, Vela run from the
user's programs folder, an update installed over the running Vela, and the
silent removal; everything read back from the disk and the registry."""

import glob
import os
import re
import subprocess
from pathlib import Path

from harness import IDS, KESTREL_PROFILE, KESTREL_RUN, Vela, wait_for, wait_until
from package import SHIPPED

UNINSTALL = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vela"
# What the user made beside Vela: kept by an update and by the removal.
USER_FILES = {"QmSetting.ini", "notes.txt", "ScriptsMacros/Mine.txt",
              "ScriptsMacros/SelectAllCopy.txt"}


def install_upgrade_remove(ctx):
    s = ctx.s
    version = re.search(r"project\(Vela VERSION ([0-9.]+)",
                        Path(ctx.root, "CMakeLists.txt").read_text()).group(1)
    higher = re.sub(r"\d+$", lambda m: str(int(m.group()) + 1), version)
    old, new = (make_installer(ctx, v) for v in (version, higher))

    ctx.check("silent_install_status", s.run(old, "/S", name="setup"), 0)
    home = glob.glob(os.path.join(s.env["WINEPREFIX"], "drive_c/users/*/AppData/Local"))[0]
    folder = os.path.join(home, "Programs", "Vela")
    win = "C:" + folder.split("drive_c", 1)[1].replace("/", "\\")
    ctx.check("installed_files", listing(folder), set(SHIPPED + ["Uninstall.exe"]))
    entry = {name: s.reg_query(UNINSTALL, name) for name in (
        "DisplayName", "DisplayVersion", "Publisher", "DisplayIcon", "QuietUninstallString")}
    ctx.check("entry_registered", entry, {
        "DisplayName": "Vela", "DisplayVersion": version, "Publisher": "Kestrel",
        "DisplayIcon": win + "\\Vela.exe,0", "QuietUninstallString": f'"{win}\\Uninstall.exe" /S'})
    shortcut = os.path.join(home, "../Roaming/Microsoft/Windows/Start Menu/Programs/Vela.lnk")
    ctx.check("start_menu_shortcut", os.path.isfile(shortcut), True)

    # Run from there: an assignment made in the window, "Start With Windows"
    # off and on again, files of the user's.
    vela = Vela(s, source=folder)
    window = vela.start_shown()
    menu, tray = ctx.menu(), ctx.tray()
    menu.to_word_copy(menu.open_caption(s.geometry(window)[:2], "0, 2"))  # X1
    s.xdo("click", 1)
    ctx.check("assignment_saved", vela.wait_saved("X1ButtonSetting", "0", "Copy"), True)
    for want in ("1", "0"):
        tray.open_menu(3)
        tray.choose(tray.AUTOSTART)
        s.wait_reg(KESTREL_PROFILE, "BootValue", want)
    vela.write_script("Mine.txt", "KeyDown 65\r\nKeyUp 65\r\n")
    Path(folder, "notes.txt").write_text("mine\n")
    kept = {name: Path(folder, name).read_bytes() for name in USER_FILES}
    autostart = lambda: (s.reg_query(KESTREL_RUN, "Kestrel"),  # noqa: E731
                         s.reg_query(KESTREL_PROFILE, "BootValue"))
    before = autostart()
    ctx.check("autostart_on_for_the_installed_vela", before, (f'"{win}\\Vela.exe"', "0"))
    pids = lambda: vela_pids(folder, win)  # noqa: E731
    running = pids()
    ctx.check("one_vela_before_the_update", len(running), 1)

    # The update over the running Vela: it ends, the files are replaced, it
    # starts again as it was.
    ctx.check("silent_update_status", s.run(new, "/S", name="update"), 0)
    ctx.check("old_vela_ended", wait_until(lambda: running[0] not in pids(), 10), True)
    ctx.check("new_vela_started", wait_until(lambda: len(pids()) == 1, 10), True)
    ctx.check("entry_has_the_new_version", s.reg_query(UNINSTALL, "DisplayVersion"), higher)
    ctx.check("user_files_kept_byte_for_byte",
              [name for name in USER_FILES if Path(folder, name).read_bytes() != kept[name]], [])
    ctx.check("autostart_kept", autostart(), before)
    vela.wait_ready(visible=0)
    ctx.check("new_vela_has_the_assignment", vela.texts().get(IDS.IDC_CAPTION_X1), "Copy")

    # The removal: the uninstaller's copy in the temporary folder does the
    # work and removes the entry last.
    s.run(os.path.join(folder, "Uninstall.exe"), "/S", name="uninstall")
    # A busy machine can make a registry read fail, which reads as gone: the
    # uninstaller's own files going tell that it is done.
    ctx.check("entry_removed", s.wait_reg(UNINSTALL, "DisplayName", None, timeout=30), None)
    ctx.check("shortcut_removed", wait_until(lambda: not os.path.exists(shortcut), 30), True)
    ctx.check("vela_ended_by_the_removal", wait_until(lambda: not pids(), 10), True)
    ctx.check("only_the_user_files_stay",
              wait_for(lambda: listing(folder), USER_FILES, 30, 0.2), USER_FILES)
    ctx.check("autostart_and_profile_removed", autostart(), (None, None))


def make_installer(ctx, version):
    """The build's installer of these same programs, as `version`."""
    out = os.path.join(ctx.s.work, "installers")
    with open(out + f"-{version}.log", "wb") as log:
        subprocess.run(["cmake", f"-DVERSION={version}", f"-DOUT_DIR={out}", "-P",
                        ctx.options.installer_script], stdout=log, stderr=log, check=True)
    return os.path.join(out, f"Vela-{version}-setup.exe")


def listing(folder):
    return {os.path.relpath(os.path.join(top, name), folder)
            for top, _, names in os.walk(folder) for name in names}


def vela_pids(folder, win):
    """Vela.exe processes of the folder, started from Linux or by the
    installer (Wine names them by the path they were started with)."""
    lines = subprocess.run(["pgrep", "-fa", r"Vela\.exe"], capture_output=True, text=True).stdout
    return [int(line.split(" ", 1)[0]) for line in lines.splitlines()
            if line.split(" ", 1)[1].startswith((folder + "/Vela.exe", win + "\\Vela.exe"))]
