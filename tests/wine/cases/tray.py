"""The notification-area icon, its menu and the window commands: autostart
on a virgin profile, saves and exit, reset, living hidden in the tray, and
the pause shortcut while another program owns it."""

import os
import time

from harness import (BACK, COPY, CTRL_C, FORWARD, IDS, KESTREL_PROFILE, KESTREL_RUN, NATIVE,
                     NATIVE_FORWARD, WHEEL_UP, Abort, FileWatch, Receiver, Vela, centre, ini,
                     layout, slot, wait_gone, wait_until)


def exit_status(vela, timeout=5):
    """Vela's exit code once it ended, or "still running"."""
    try:
        return vela.proc.wait(timeout)
    except Exception:
        return "still running"


def strip_beside_the_tray(s, **options):
    """A receiver that leaves the tray window (top left) in sight."""
    return Receiver(s, left=200, width=1080, **options)


def autostart(ctx):
    """A user who never chose gets the Run entry (quoted: the folder has
    blanks) and a checked "Start With Windows"; choosing it twice returns both
    stores to where they were; a start from the Run entry, made as the shell
    makes it, has an empty command line and so hides in the tray; a stale
    entry goes at the next start when the user chose off."""
    s = ctx.s
    vela = Vela(s, "Vela with blanks")
    quoted = f'"{s.winpath(vela.exe)}"'
    tray = ctx.tray()

    vela.start("shown")
    tray.wait_icon()
    first_run = s.wait_reg(KESTREL_RUN, "Kestrel", quoted)  # written as Vela starts
    ctx.check("fresh_profile_has_no_boot_value", s.reg_query(KESTREL_PROFILE, "BootValue"), None)
    ctx.check("fresh_profile_run_value_is_quoted_path", first_run, quoted)

    tray.open_menu(3)
    shot = s.screenshot(os.path.join(s.work, "menu-on.png"))
    ctx.check("menu_start_with_windows_checked", tray.checked(tray.AUTOSTART, shot), 1)
    ctx.check("menu_reset_not_checked", tray.checked(tray.RESET, shot), 0)

    # Off: both stores change.
    tray.choose(tray.AUTOSTART)
    ctx.check("off_boot_value", s.wait_reg(KESTREL_PROFILE, "BootValue", "1"), "1")
    ctx.check("off_run_value_deleted", s.wait_reg(KESTREL_RUN, "Kestrel", None), None)
    tray.open_menu(3)
    shot = s.screenshot(os.path.join(s.work, "menu-off.png"))
    ctx.check("menu_start_with_windows_unchecked", tray.checked(tray.AUTOSTART, shot), 0)

    # On again: back to the first state ("0" reads as the missing value does).
    tray.choose(tray.AUTOSTART)
    ctx.check("on_again_boot_value", s.wait_reg(KESTREL_PROFILE, "BootValue", "0"), "0")
    ctx.check("on_again_run_value_as_first", s.wait_reg(KESTREL_RUN, "Kestrel", first_run),
              first_run)

    # A start from the Run entry, as the shell makes it: hidden in the tray.
    s.end_programs()
    ctx.check("none_running_before_autostart", vela.processes(), 0)
    out = s.probe("run-autostart")
    ran = out.first(r"^run (.*)$")
    ctx.check("shell_ran_the_run_value", ran[2].group(1) if ran else None, quoted)
    ctx.check("shell_started_vela", out.value("started"), "1")
    tray.wait_icon()
    ctx.check("autostarted_window_hidden", vela.wait_visible(0), 0)
    ctx.check("autostarted_has_tray_icon", s.probe("icon").value("icon"), "1")
    ctx.check("autostarted_one_process", vela.processes(), 1)

    # Off, then a stale Run value: the profile wins at the next start.
    tray.open_menu(3)
    tray.choose(tray.AUTOSTART)
    s.wait_reg(KESTREL_PROFILE, "BootValue", "1")
    s.end_programs()
    s.reg_add(KESTREL_RUN, "Kestrel", quoted)
    ctx.check("stale_run_value_in_place", s.reg_query(KESTREL_RUN, "Kestrel"), quoted)
    vela.start("shown")
    tray.wait_icon()
    ctx.check("stale_run_value_removed_at_start", s.wait_reg(KESTREL_RUN, "Kestrel", None), None)
    ctx.check("profile_still_off", s.reg_query(KESTREL_PROFILE, "BootValue"), "1")


def saves_and_exit(ctx):
    """Three assignment commands at once give one save (commands spaced wider
    give one each); the icon comes back after the taskbar is created anew;
    "Exit Application" removes the icon, writes the settings file although
    nothing changed, and ends Vela with code 0."""
    s = ctx.s
    vela = Vela(s, settings=ini(slot("X1", **COPY, note="Copies")))
    tray = ctx.tray()
    xy = s.geometry(vela.start_shown())[:2]
    tray.wait_icon()
    commands = [IDS.menu(text) for text in ("Copy(Ctrl+C)", "Cut(Ctrl+X)", "Paste(Ctrl+V)")]
    with FileWatch(vela.folder, "QmSetting.ini") as watch:
        # Clicking the middle button's caption makes it the slot the commands
        # go to (not the right button's: its hook would take the icon clicks).
        menu = ctx.menu()
        menu.open_caption(xy, "0, 0")
        menu.escape()
        ctx.check("no_save_from_opening_the_menu", watch.poll(), 0)
        # Copy, Cut, Paste, posted back to back as the menu would post them.
        ctx.check("burst_posted",
                  s.probe("post", "--ids", ",".join(map(str, commands))).value("posted"), "3")
        # Waited for rather than slept on: beside the other session a save
        # can take longer than a second to show. A second save would come
        # within half a second after the first: nothing else tells of it.
        wait_until(lambda: watch.poll() >= 1, 5)
        time.sleep(0.5)
        ctx.check("burst_gives_one_save", watch.poll(), 1)
        ctx.check("burst_last_command_saved",
                  (vela.ini("MButtonSetting", "0"), vela.ini("MButtonSetting", "3")), ("Paste", "86"))
        # The same three commands, each on its own (the next one posted once
        # the last one's save is seen): three saves, and no fourth in the
        # half second after.
        for command in commands:
            before = watch.poll()
            vela.post(command)
            wait_until(lambda: watch.poll() > before, 5)
        time.sleep(0.5)
        ctx.check("spaced_commands_save_each", watch.poll(), 4)

        # The taskbar created anew: the icon comes back.
        ctx.check("icon_gone_with_the_taskbar", s.probe("taskbar-restart").value("icon"), "0")
        icon = wait_until(lambda: s.probe("icon").value("icon") == "1", 3, 0.1)
        ctx.check("icon_added_again", bool(icon), True)
        # Wine maps its tray window again a moment after the icon is back.
        tray.wait_icon(drawn=True)

        # Exit: icon removed, file written although unchanged, code 0.
        before_exit = vela.settings_bytes()
        saves = watch.poll()
        tray.open_menu(3)
        tray.choose(tray.EXIT)
        status = exit_status(vela)
        ctx.check("exit_code_zero", status, 0)
        ctx.check("exit_leaves_no_vela", vela.wait_processes(0), 0)
        ctx.check("exit_saves_once", watch.poll() - saves, 1)
        ctx.check("exit_rewrote_the_same_settings", vela.settings_bytes() == before_exit, True)
        ctx.check("exit_kept_the_assignment",
                  (vela.ini("X1ButtonSetting", "0"), vela.ini("X1ButtonSetting", "8")),
                  ("Copy", "Copies"))
        ctx.check("exit_removes_the_icon", bool(wait_until(lambda: not tray.window(), 2, 0.05)),
                  True)


def commands_posted_to_the_window(ctx):
    """The tray menu's commands posted to the window titled "Vela", as a
    script or a game launcher finds and posts them: each does what its menu
    row does, Exit last (the file written, code 0)."""
    s = ctx.s
    vela = Vela(s, settings=ini(slot("X1", **COPY)))
    tray = ctx.tray()
    vela.start_shown()
    tray.wait_icon()
    vela.post(IDS.ID_TRAY_HIDE)
    ctx.check("hide_hides", vela.wait_visible(0), 0)
    vela.post(IDS.ID_TRAY_SHOW)
    ctx.check("show_shows", vela.wait_visible(1), 1)
    vela.post(IDS.ID_TRAY_PAUSE)
    ctx.check("pause_greys_the_icon", tray.wait_colour(False, "posted-pause") < 0.3, True)
    vela.post(IDS.ID_TRAY_PAUSE)
    ctx.check("pause_again_resumes", tray.wait_colour(True, "posted-resume") > 0.5, True)
    off = s.reg_query(KESTREL_PROFILE, "BootValue") == "1"
    vela.post(IDS.ID_TRAY_AUTOSTART)
    ctx.check("start_with_windows_toggles",
              s.wait_reg(KESTREL_PROFILE, "BootValue", "0" if off else "1"), "0" if off else "1")
    vela.post(IDS.ID_TRAY_AUTOSTART)
    s.wait_reg(KESTREL_PROFILE, "BootValue", "1" if off else "0")
    vela.post(IDS.ID_TRAY_RESET)
    ctx.check("reset_unhooks_forward", bool(vela.wait_saved("X1ButtonSetting", "1", "0")), True)
    with FileWatch(vela.folder, "QmSetting.ini") as watch:
        vela.post(IDS.ID_TRAY_EXIT)
        status = exit_status(vela)
        ctx.check("exit_ends_vela_with_code_zero", status, 0)
        ctx.check("exit_writes_the_file", watch.poll(), 1)


def reset(ctx):
    """"Reset" from the tray: every remapped input works natively again at
    once, the settings file is written at once, and the other values of each
    slot stay in the file."""
    s = ctx.s
    # Forward: Copy; back: Cut; wheel up: Zoom In.
    vela = Vela(s, settings=ini(slot("X1", **COPY), slot("X2", "Cut", action=2, vk=88),
                                slot("WU", "Zoom In", vk=107)))
    tray = ctx.tray()
    vela.start_hidden()
    presses = (FORWARD, BACK, WHEEL_UP)

    # Remapped: each input becomes its function. The receiver covers the
    # screen, the tray included: it leaves by itself.
    rx = Receiver(s, exit_after=6)
    ctx.check("remapped_inputs_act", rx.collect(*presses, want=10),
              CTRL_C + ["KEYDOWN 17", "KEYDOWN 88", "KEYUP 88", "KEYUP 17", "KEYDOWN 107",
                        "KEYUP 107"])
    rx.proc.wait(15)

    # Reset from the tray menu: one save at once, and no second one in the
    # half second after (nothing else would tell of it).
    with FileWatch(vela.folder, "QmSetting.ini") as watch:
        tray.open_menu(3)
        tray.choose(tray.RESET)
        wait_until(watch.poll, 5)
        time.sleep(0.5)
        ctx.check("reset_saves_once", watch.poll(), 1)
    ctx.check("reset_leaves_window_hidden", vela.visible(), 0)
    for section in ("X1", "X2", "WU"):
        ctx.check(f"reset_{section}_hook_flag_off", vela.ini(f"{section}ButtonSetting", "1"), "0")
    for section, caption in (("X1", "Forward"), ("X2", "Back"), ("WU", "Wheel Up")):
        ctx.check(f"reset_{section}_native_caption", vela.ini(f"{section}ButtonSetting", "0"),
                  caption)
    ctx.check("reset_keeps_X1_key",
              (vela.ini("X1ButtonSetting", "2"), vela.ini("X1ButtonSetting", "3")), ("2", "67"))

    # Every hook is out: the physical inputs arrive as they are.
    rx = Receiver(s)
    ctx.check("native_inputs_after_reset", rx.collect(*presses, want=5),
              ["XBUTTONDOWN 2", "XBUTTONUP 2", "XBUTTONDOWN 1", "XBUTTONUP 1", "MOUSEWHEEL 120"])
    ctx.check("one_vela_after_reset", vela.processes(), 1)


def living_in_the_tray(ctx):
    """With an empty command line only the icon is left; its menu opens
    without showing the window and shows or hides it; a double click shows it,
    a single left click opens the menu; the script menu's commands leave
    everything as it was."""
    s = ctx.s
    vela = Vela(s)
    tray = ctx.tray()
    vela.start()
    tray.wait_icon()
    vela.wait_visible(0)

    tray.open_menu(3)
    ctx.check("menu_open_window_still_hidden", vela.visible(), 0)
    # Closed and right-clicked again at once: the system reports the second
    # press as a double click, and it opens the menu all the same.
    s.xdo("key", "Escape")
    tray.open_menu(3)
    tray.choose(tray.SHOW)
    ctx.check("show_application_shows", vela.wait_visible(1), 1)
    tray.open_menu(3)
    tray.choose(tray.HIDE)
    ctx.check("hide_application_hides", vela.wait_visible(0), 0)

    ix, iy = tray.icon_point()
    s.xdo("mousemove", ix, iy, "click", "--repeat", 2, "--delay", 80, 1)
    ctx.check("double_click_shows", vela.wait_visible(1), 1)
    ctx.check("double_click_opens_no_menu", len(tray.open_menus()), 0)
    tray.open_menu(1)
    ctx.check("left_click_opens_menu", tray.menu[3] > 60, True)
    tray.choose(tray.HIDE)
    ctx.check("left_click_menu_hides", vela.wait_visible(0), 0)

    # The script menu: its commands do nothing.
    tray.open_menu(3)
    tray.choose(tray.SHOW)
    vela.wait_visible(1)
    x, y, _, _ = s.geometry(vela.wait_window())
    menu = ctx.menu()
    sx, sy = centre(layout("g.SCRIPTS"))
    menu.click_at(x + sx, y + sy)
    levels = wait_until(menu.open_levels, 2)
    ctx.check("script_menu_opens", bool(levels), True)
    if levels:
        s.screenshot(os.path.join(s.work, "script-menu.png"))
        mx, my, mw, mh = s.geometry(levels[-1])
        # "Exit Program", the last row, below the separator.
        menu.click_at(mx + mw // 2, my + mh - 3 - 8, settle=0.15)
        wait_gone(s, levels[-1])
    ctx.check("exit_program_leaves_vela_running", vela.processes(), 1)
    ctx.check("exit_program_leaves_window_shown", vela.visible(), 1)
    ctx.check("no_settings_written_by_the_script_menu", os.path.exists(vela.settings), False)


def pause(ctx):
    """"Pause Remapping" takes every hook out (the inputs work natively, and no
    low-level hook of Vela's is called, though a profile has clicks watched
    and the middle button's chatter is filtered),
    greys the icon, checks the menu entry and leaves the settings file alone;
    Ctrl+Alt+Shift+P, from anywhere, brings remapping back."""
    s = ctx.s
    vela = Vela(s, settings=ini(slot("X1", **COPY), "[Profiles]", "1=Other.exe",
                                slot("X2", "Back", **NATIVE, profile="Other.exe"),
                                "[Mouse]", "ChatterMiddle=1"))
    before = vela.settings_bytes()
    tray = ctx.tray()
    vela.start(trace_hooks=True)
    vela.wait_ready(visible=0)
    ctx.check("icon_green_while_remapping", tray.wait_colour(True, "tray-remapping") > 0.5, True)
    with FileWatch(vela.folder, "QmSetting.ini") as watch:
        tray.open_menu(3)
        tray.choose(tray.PAUSE)
        ctx.check("icon_grey_while_paused", tray.wait_colour(False, "tray-paused") < 0.3, True)
        tray.open_menu(3)
        shot = s.screenshot(os.path.join(s.work, "tray-menu-paused.png"))
        ctx.check("menu_pause_checked", tray.checked(tray.PAUSE, shot), 1)
        ctx.check("menu_reset_beside_it_not_checked", tray.checked(tray.RESET, shot), 0)
        tray.close_menu()

        calls = vela.low_level_hook_calls()
        rx = strip_beside_the_tray(s, exit_after=30)
        ctx.check("paused_forward_is_native", rx.collect(FORWARD, want=2), NATIVE_FORWARD)
        rx.collect(["key", "--delay", 0, "a"], ["click", "--delay", 0, 5], want=3)
        ctx.check("paused_no_hook_of_vela_called_by_moves_clicks_wheel_and_keys",
                  vela.low_level_hook_calls() - calls, 0)
        s.xdo("key", "ctrl+alt+shift+p")
        tray.wait_colour(True, "tray-resumed")
        calls = vela.low_level_hook_calls()
        ctx.check("shortcut_resumes_copy", rx.collect(FORWARD, want=4), CTRL_C)
        ctx.check("resumed_hooks_called_again", vela.low_level_hook_calls() > calls, True)
        s.xdo("key", "ctrl+alt+shift+p")
        grey_again = tray.wait_colour(False, "tray-paused-again")
        ctx.check("shortcut_pauses_again", rx.collect(FORWARD, want=2), NATIVE_FORWARD)
        ctx.check("icon_grey_again", grey_again < 0.3, True)
        ctx.check("no_save_while_pausing", watch.poll(), 0)
    ctx.check("settings_file_unchanged", vela.settings_bytes() == before, True)


def pause_shortcut_owned_elsewhere(ctx):
    """Another program owns Ctrl+Alt+Shift+P as Vela starts: a balloon says
    so and the tray menu shows no shortcut beside "Pause Remapping". Once that
    program ends, Vela takes the shortcut within its retry period (3 s), the
    menu shows it, and it pauses."""
    s = ctx.s
    vela = Vela(s, settings=ini(slot("X1", **COPY)))
    holder, held = s.spawn_probe("hotkey", "--hold", exit_after=120)
    if not held.wait(r"^held 1$", 30):
        raise Abort("the probe could not take the shortcut first")
    tray = ctx.tray()
    vela.start()
    tray.wait_icon()
    ctx.check("balloon_says_the_shortcut_is_taken", bool(wait_until(
        lambda: s.probe("balloon").value("balloon") == "1", 5, 0.2)), True)
    s.screenshot(os.path.join(s.work, "pause-shortcut-taken.png"))
    without = tray.open_menu(3)[2]
    tray.close_menu()

    holder.terminate()
    holder.wait(10)
    # Asked again and again: "taken" once Vela has it. The menu is built on
    # the thread that took it, after it did.
    ctx.check("vela_takes_the_freed_shortcut", bool(wait_until(
        lambda: s.probe("hotkey").value("hotkey") == "taken", 30, 0.5)), True)
    shown = tray.open_menu(3)[2]
    s.screenshot(os.path.join(s.work, "pause-shortcut-owned.png"))
    tray.close_menu()
    ctx.check("menu_shows_the_shortcut_once_owned", (without < shown), True)
    rx = strip_beside_the_tray(s, exit_after=30)
    s.xdo("key", "ctrl+alt+shift+p")
    tray.wait_colour(False, "pause-shortcut-paused")
    ctx.check("the_freed_shortcut_pauses", rx.collect(FORWARD, want=2), NATIVE_FORWARD)
