"""Nothing lost: a program folder that cannot be written, Alt+F4 after a typed
description, scripts as editors save them, and a Vela killed in the middle of
its saves."""

import glob
import os
import random
import shutil
import subprocess
import time

from harness import (BACK, COPY, CTRL_C, FORWARD, IDS, Abort, Receiver, Vela, crlf, ini,
                     ini_value, open_entry, slot, wait_for, wait_gone, wait_until)

X1_COPY = ini(slot("X1", **COPY))
# The user's moment between saving a script and pressing the button: an edit
# must play at the next press after it.
USER_MOMENT_S = 1


def per_user_settings(session):
    """Where Vela keeps the settings its own folder cannot take; removed."""
    roaming = os.path.join(session.env["WINEPREFIX"], "drive_c", "users", "*", "AppData",
                           "Roaming")
    for path in glob.glob(os.path.join(roaming, "Vela", "QmSetting.ini")):
        os.remove(path)
    users = [u for u in glob.glob(roaming) if "/Public/" not in u]
    if not users:
        raise Abort("no AppData folder in the prefix")
    return os.path.join(users[0], "Vela", "QmSetting.ini")


def read_only_folder(ctx):
    """The program folder cannot be written (made immutable, as a folder under
    Program Files is to a user): a change is saved to the per-user file, a
    balloon says so, the file beside the program is left alone, and the next
    start reads the change back. Another program owns the pause shortcut as
    well: its balloon waits until the first one has gone."""
    s = ctx.s
    vela = Vela(s, settings=X1_COPY)
    before = vela.settings_bytes()
    per_user = per_user_settings(s)
    holder, held = s.spawn_probe("hotkey", "--hold", exit_after=120)
    if not held.wait(r"^held 1$", 30):
        raise Abort("the probe could not take the shortcut first")

    def balloon_up():
        return s.probe("balloon").value("balloon") == "1"

    subprocess.run(["chattr", "+i", vela.folder], check=True)
    try:
        vela.start_in_tray()
        ctx.check("balloon_shown", bool(wait_until(balloon_up, 5, 0.2)), True)
        s.screenshot(os.path.join(s.work, "fallback-balloon.png"))
        # Wine shows a balloon for 10 s and tells its program nothing.
        ctx.check("first_balloon_goes", bool(wait_until(lambda: not balloon_up(), 30, 0.5)),
                  True)
        ctx.check("second_balloon_follows", bool(wait_until(balloon_up, 25, 0.5)), True)
        holder.terminate()
        holder.wait(10)
        # Reset from the tray saves at once: every slot native.
        vela.post(IDS.ID_TRAY_RESET)
        ctx.check("saved_to_the_per_user_file", bool(wait_until(
            lambda: ini_value(per_user, "X1ButtonSetting", "0") == "Forward", 5)), True)
        ctx.check("file_beside_the_program_unchanged", vela.settings_bytes() == before, True)
        s.end_programs()
        vela.start_in_tray()
        # The icon may be the ended Vela's still, a moment after it went.
        ctx.check("next_start_reads_the_change",
                  wait_for(lambda: vela.text("IDC_CAPTION_X1"), "Forward", 10), "Forward")
    finally:
        subprocess.run(["chattr", "-i", vela.folder])
        if os.path.exists(per_user):
            os.remove(per_user)


def close_after_a_description(ctx):
    """A description typed and confirmed with the main Enter key, then Alt+F4:
    the window hides, Vela stays in the tray, and the description is saved."""
    s = ctx.s
    vela = Vela(s)
    x, y, _, _ = s.geometry(vela.start_shown())

    def describe(text, key):
        """Opens the entry dialog on X2's label, types `text`, ends with `key`."""
        entry = open_entry(s, (x, y), "0, 3")
        s.xdo("type", "--delay", 15, text)
        s.xdo("key", key)
        wait_gone(s, entry)
        return vela.text("IDC_LABEL_X2")

    ctx.check("main_enter_confirms", describe("Back to the list", "Return"), "Back to the list")
    ctx.check("escape_cancels", describe("Not this", "Escape"), "Back to the list")
    s.xdo("mousemove", x + 100, y + 420, "click", 1)
    s.xdo("key", "alt+F4")
    ctx.check("alt_f4_hides_the_window", vela.wait_visible(0), 0)
    ctx.check("vela_still_running", vela.processes(), 1)
    ctx.check("description_saved",
              bool(vela.wait_saved("X2ButtonSetting", "8", "Back to the list", 3)), True)
    ctx.check("tray_icon_still_there", s.probe("icon").value("icon"), "1")


def scripts_as_editors_save_them(ctx):
    """A script saved as "Unicode" (UTF-16LE with its mark) and one saved as
    UTF-8 with a mark each play every line: Control+C on either side button."""
    vela = Vela(ctx.s, settings=ini(slot("X1", "Wide", action=6, macro="Wide.txt"),
                                    slot("X2", "Marked", action=6, macro="Marked.txt")))
    script = crlf("KeyDown 17", "KeyDown 67", "KeyUp 67", "KeyUp 17")
    vela.write_script("Wide.txt", "\ufeff".encode("utf-16-le") + script.encode("utf-16-le"))
    vela.write_script("Marked.txt", b"\xef\xbb\xbf" + script.encode())
    vela.start_in_tray()
    rx = Receiver(ctx.s)
    ctx.check("utf16_script_plays_every_line", rx.collect(FORWARD, want=4), CTRL_C)
    ctx.check("utf8_marked_script_plays_every_line", rx.collect(BACK, want=4), CTRL_C)


def scripts_folder_made_again(ctx):
    """ScriptsMacros removed and made again, then replaced by another folder
    (as sync tools and unzips do): every edit plays at the next press. Each
    edit keeps the script's size and time, so only the folder's watch can
    tell of it."""
    vela = Vela(ctx.s, settings=ini(slot("X1", "Tap", action=6, macro="Tap.txt")))
    scripts = os.path.join(vela.folder, "ScriptsMacros")
    vela.write_script("Tap.txt", crlf("KeyDown 65", "KeyUp 65"))
    first = os.stat(os.path.join(scripts, "Tap.txt"))
    vela.start_in_tray()
    rx = Receiver(ctx.s, exit_after=60)

    def edit_and_press(name, key, folder=scripts):
        """Tap.txt in `folder` made to press `key`, its size and time as
        before; the next press plays it."""
        path = os.path.join(folder, "Tap.txt")
        with open(path, "wb") as f:
            f.write(crlf(f"KeyDown {key}", f"KeyUp {key}").encode())
        os.utime(path, ns=(first.st_atime_ns, first.st_mtime_ns))
        if folder != scripts:
            os.rename(scripts, scripts + ".old")
            os.rename(folder, scripts)
        time.sleep(USER_MOMENT_S)
        ctx.check(name, rx.collect(FORWARD, want=2), [f"KEYDOWN {key}", f"KEYUP {key}"])

    ctx.check("plays_the_script", rx.collect(FORWARD, want=2), ["KEYDOWN 65", "KEYUP 65"])
    shutil.rmtree(scripts)
    time.sleep(0.5)  # gone for a moment, as a sync tool leaves it
    os.makedirs(scripts)
    edit_and_press("made_again_plays_the_new_script", 66)
    edit_and_press("a_second_edit_plays_too", 67)
    os.makedirs(scripts + ".new")
    edit_and_press("a_replaced_folder_plays_its_script", 68, scripts + ".new")
    edit_and_press("an_edit_in_the_replacing_folder_plays", 69)


def kill_during_saves(ctx, rounds=None):
    """Vela killed (SIGKILL) at random moments while saves are under way, over
    and over: every time the file parses and holds the old or the new
    assignments, and after the next start no temporary file is left."""
    rounds = rounds or int(os.environ.get("VELA_KILL_ROUNDS", "6"))
    s = ctx.s
    vela = Vela(s)
    rng = random.Random(1208)
    broken, leftovers, saved, interrupted = [], [], 0, 0
    # Resets posted every few milliseconds to whichever Vela runs, each one
    # saving at once, for the whole case.
    poster, _ = s.spawn_probe("post", "--ids", IDS.ID_TRAY_RESET, "--every-ms", "3",
                              exit_after=30 + 3 * rounds)
    for n in range(rounds):
        vela.write_settings(X1_COPY)
        vela.start("shown")
        if not vela.wait_window(10) and not wait_until(lambda: vela.pids(), 5, 0.05):
            raise Abort(f"round {n}: Vela did not start")
        # A random moment among the saves (later for the first start of the
        # prefix's programs, which is slow).
        time.sleep(rng.uniform(0.0, 0.3) + (0.5 if n == 0 else 0))
        vela.kill9()
        temps = glob.glob(os.path.join(vela.folder, "vel*.tmp"))
        stored = (vela.ini("X1ButtonSetting", "0"), vela.ini("X1ButtonSetting", "1"))
        if stored == ("Forward", "0"):
            saved += 1
        elif stored != ("Copy", "1"):
            broken.append((n, *stored))
        if temps:
            interrupted += 1
            # A kill in the middle of a save may leave one; the next start
            # must clear it.
            vela.start("shown")
            vela.wait_window(10)
            wait_until(lambda: not any(os.path.exists(t) for t in temps), 5, 0.05)
            leftovers += [(n, os.path.basename(t)) for t in temps if os.path.exists(t)]
            vela.kill9()
    poster.kill()
    ctx.log(f"{rounds} kills: {saved} after a save, {rounds - saved - len(broken)} before one, "
            f"{interrupted} in the middle of one (a temporary file left)")
    ctx.check("every_kill_leaves_old_or_new_file", broken, [])
    ctx.check("no_temporary_file_after_a_start", leftovers, [])
