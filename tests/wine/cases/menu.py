"""The function menu of the real Vela.exe, driven with the pointer as a user
would: a caption click, the menu tree, a chosen entry in the settings file
and its effect; "Run Software" through the file dialog; and the menu's
objects over 500 showings (in the probe's menu host, which counts from
inside its own process: under Wine no process can read another's counts)."""

import os
import shutil
import time

from harness import (CTRL_C, FORWARD, IDS, Abort, Receiver, Vela, centre, crlf, ini, ink_box,
                     layout, now_ms, painted, wait_until)


def copy_through_the_menu(ctx):
    vela = Vela(ctx.s)
    window = vela.start_shown()
    xy = ctx.s.geometry(window)[:2]
    ctx.check("X1_native_before", vela.text("IDC_CAPTION_X1"), "Forward")

    menu = ctx.menu()
    root = menu.open_caption(xy, "0, 2")  # X1
    menu.to_word_copy(root)
    ctx.s.screenshot(os.path.join(ctx.s.work, "menu-before-choice.png"))
    chosen = now_ms()
    ctx.s.xdo("click", 1)

    saved = wait_until(lambda: vela.ini("X1ButtonSetting", "0") == "Copy", 2, 0.01)
    saved_after = now_ms() - chosen if saved else None
    ctx.log(f"settings file had X1 = Copy {saved_after} ms after the click")
    ctx.check("saved_within_a_second", saved_after is not None and saved_after < 1000, True)
    x1 = {k: vela.ini("X1ButtonSetting", k) for k in "01236"}
    ctx.check("saved_X1_values", x1, {"0": "Copy", "1": "1", "2": "2", "3": "67", "6": "1"})
    ctx.check("menu_closed", len(menu.open_levels()), 0)
    view = vela.texts()
    ctx.check("X1_caption_copy", view.get(IDS.IDC_CAPTION_X1), "Copy")
    ctx.check("other_captions_unchanged",
              (view.get(IDS.IDC_CAPTION_R), view.get(IDS.IDC_CAPTION_X2)), ("Right Button", "Back"))

    # A physical forward press now reaches the focused window as Control+C.
    rx = Receiver(ctx.s)
    ctx.check("forward_press_is_ctrl_c_only", rx.collect(FORWARD, want=4), CTRL_C)


def run_software(ctx):
    vela = Vela(ctx.s)
    tools = os.path.join(vela.folder, "tools")
    os.makedirs(tools)
    program = os.path.join(tools, "VeryLongProgramNameXY.exe")  # 25 characters with ".exe"
    shutil.copy2(ctx.s.probe_exe, program)  # started without a verb, it leaves a marker
    winprogram = ctx.s.winpath(program)

    window = vela.start_shown()
    xy = ctx.s.geometry(window)[:2]
    menu = ctx.menu()
    root = menu.open_caption(xy, "0, 3")  # X2, "Back"
    menu.hover(root, menu.ROOT_ENTRIES + 1, menu.BUTTON_ROOT_ROWS)  # Office Used
    office = menu.wait_level(2)
    menu.slide_into(office, 0, 4)  # Zoom In
    menu.hover(office, 3, 4)  # Run Software
    ctx.s.xdo("click", 1)

    dialog = wait_until(lambda: ctx.s.visible_windows("^Open$"), 10, 0.05)
    ctx.check("file_dialog_opened", bool(dialog), True)
    # The file name box has the focus once the dialog is drawn.
    wait_until(lambda: dialog and painted(ctx.s, ctx.s.geometry(dialog[0])), 5, 0.05)
    # Without a window manager X gives the keys to the window under the
    # pointer: it rests on the dialog, as a hand about to type would put it.
    ctx.s.xdo("mousemove", *centre(ctx.s.geometry(dialog[0])))
    ctx.s.xdo("type", "--delay", 10, winprogram)
    ctx.s.xdo("key", "Return")

    vela.wait_saved("X2ButtonSetting", "5", winprogram)
    x2 = {k: vela.ini("X2ButtonSetting", k) for k in "01256"}
    ctx.check("saved_X2_launch", x2, {"0": "VeryLongProgramNam..", "1": "1", "2": "5",
                                      "5": winprogram, "6": "1"})
    ctx.check("X2_caption_shortened", vela.text("IDC_CAPTION_X2"), "VeryLongProgramNam..")

    # A physical back press now starts the program.
    marker = program + ".started"
    ctx.s.xdo("mousemove", xy[0] + 318, xy[1] + 40)
    ctx.s.xdo("click", "--delay", 0, 8)
    ctx.check("back_press_started_the_program", bool(wait_until(
        lambda: os.path.exists(marker), 15, 0.05)), True)


def objects(ctx):
    def run(*args):
        out = ctx.s.probe("menu-host", *args, timeout=280)
        fields = {}
        for text in out.lines():
            words = text.split()
            if words and words[0] in ("before", "after"):
                fields[words[0]] = dict(w.split("=") for w in words[1:] if "=" in w)
            elif words and words[0] == "cycles":
                fields["cycles"] = text
        if "after" not in fields:
            raise Abort("the menu host did not finish: " + " | ".join(out.lines()[-3:]))
        return fields

    start = time.monotonic()
    got = run("--cycles", "500")
    ctx.log(f"500 showings in {time.monotonic() - start:.0f} s: {got}")
    before, after = got["before"], got["after"]
    ctx.check("all_500_showings_opened_a_submenu", got.get("cycles"), "cycles 500 with-submenu 500")
    ctx.check("gdi_objects_unchanged", after["gdi"], before["gdi"])
    ctx.check("user_objects_unchanged", after["user"], before["user"])
    ctx.check("no_menu_item_alive", after["items"], "0")
    ctx.check("counts_are_real", int(before["gdi"]) > 0 and int(before["user"]) > 0, True)

    got = run("--cycles", "5", "--leak")
    ctx.check("control_leak_seen_in_gdi", int(got["after"]["gdi"]) - int(got["before"]["gdi"]), 5)
    ctx.check("control_leak_seen_in_user", int(got["after"]["user"]) - int(got["before"]["user"]), 5)


def text_right_edge(png, menu, level, row, rows):
    """Where the text of a menu row ends: the right edge of its ink, the
    icon column and the submenu arrow left out."""
    x, y, w, h = menu.s.geometry(level)
    height = (h - 2 * menu.FRAME) // rows
    top = y + menu.FRAME + row * height
    box = ink_box(png, (x + 25, top + 1, w - 45, height - 2))
    return box[0] + box[2] if box else None


def macro_from_the_menu(ctx):
    """"Macro" lists the scripts of ScriptsMacros, subfolders as submenus,
    each name drawn as it is (an "&" is no mnemonic, in a note under a button
    neither); choosing one assigns it
    to the slot, saved as keyAction 6, and it plays on the next press without
    a restart; an edit of the file plays at the press after."""
    s = ctx.s
    vela = Vela(s, settings=ini("[X2ButtonSetting]", "8=Copy & Paste", "[WLButtonSetting]",
                                "8=Copy  Paste"))
    vela.write_script("Tap.txt", crlf("KeyDown 65", "KeyUp 65"))
    vela.write_script("Copy & Paste.txt", crlf("KeyDown 17", "KeyUp 17"))
    vela.write_script("Copy  Paste.txt", crlf("KeyDown 17", "KeyUp 17"))
    os.makedirs(os.path.join(vela.folder, "ScriptsMacros", "Games"))
    vela.write_script(os.path.join("Games", "Heal.txt"), crlf("KeyDown 72", "KeyUp 72"))
    # (The notes above are shown as they are too.)
    window = vela.start_shown()
    ctx.tray().wait_icon()
    xy = s.geometry(window)[:2]
    shot = os.path.join(s.work, "notes.png")
    s.screenshot(shot)
    widths = []
    for column_row in ("0, 1", "0, 3"):  # Tilt Left's note, Back's note
        lx, ly, lw, lh = layout(f"g.label_rect({column_row})")
        box = ink_box(shot, (xy[0] + lx, xy[1] + ly, lw, lh), darker_than=0.6)
        widths.append(box[2] if box else None)
    ctx.log(f"notes drawn {widths[0]} (two blanks) and {widths[1]} (ampersand) wide")
    ctx.check("ampersand_of_a_note_drawn_as_it_is",
              None not in widths and widths[1] - widths[0] >= 3, True)
    menu = ctx.menu()
    root = menu.open_caption(xy, "0, 2")  # X1
    menu.hover(root, menu.ROOT_ENTRIES + 6, menu.BUTTON_ROOT_ROWS)  # Macro
    macros = menu.wait_level(2)
    # Games (a submenu), "Copy  Paste", "Copy & Paste", Tap, Open Macro Folder.
    menu.slide_into(macros, 3, 5)
    shot = os.path.join(s.work, "menu-macro.png")
    s.screenshot(shot)
    root_h, macro_h = s.geometry(root)[3], s.geometry(macros)[3]
    row = (root_h - 2 * menu.FRAME) / menu.BUTTON_ROOT_ROWS
    ctx.check("macro_category_rows: Games, two scripts, Tap, Open Macro Folder",
              round((macro_h - 2 * menu.FRAME) / row), 5)
    # Drawn as a mnemonic, "&" would vanish and underline the blank after it:
    # "Copy & Paste" would end where "Copy  Paste" ends.
    two_blanks = text_right_edge(shot, menu, macros, 1, 5)
    ampersand = text_right_edge(shot, menu, macros, 2, 5)
    ctx.log(f"text ends at {two_blanks} (two blanks) and {ampersand} (ampersand)")
    ctx.check("ampersand_drawn_as_it_is", two_blanks is not None and ampersand is not None and
              ampersand - two_blanks >= 3, True)
    s.xdo("click", 1)
    ctx.check("chosen_script_saved", bool(wait_until(
        lambda: (vela.ini("X1ButtonSetting", "7"), vela.ini("X1ButtonSetting", "2"),
                 vela.ini("X1ButtonSetting", "1")) == ("Tap.txt", "6", "1"), 3, 0.05)), True)
    ctx.check("caption_is_the_script_name", vela.text("IDC_CAPTION_X1"), "Tap")

    rx = Receiver(s, exit_after=30)
    ctx.check("plays_at_once_without_a_restart", rx.collect(FORWARD, want=2),
              ["KEYDOWN 65", "KEYUP 65"])
    vela.write_script("Tap.txt", crlf("KeyDown 66", "KeyUp 66"))
    time.sleep(0.5)  # the user's moment between saving the script and pressing the button
    ctx.check("edited_script_plays_at_the_next_press", rx.collect(FORWARD, want=2),
              ["KEYDOWN 66", "KEYUP 66"])

