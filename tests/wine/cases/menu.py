"""The function menu of the real Vela.exe, driven with the pointer as a user
would: a caption click, the menu tree, a chosen entry in the settings file
and its effect; "Run Software" through the file dialog; and the menu's
objects over 500 showings (in the probe's menu host, which counts from
inside its own process: under Wine no process can read another's counts)."""

import os
import shutil
import time

from harness import Abort, Receiver, Vela, centre, layout, now_ms, wait_until

CTRL_C = ["KEYDOWN 17", "KEYDOWN 67", "KEYUP 67", "KEYUP 17"]


def open_caption(ctx, menu, window_xy, column_row):
    x, y = window_xy
    cx, cy = centre(layout(f"g.caption_rect({column_row})"))
    menu.click_at(x + cx, y + cy)
    return menu.wait_level(1)


def copy_through_the_menu(ctx):
    vela = Vela(ctx.s)
    window = vela.start_shown()
    xy = ctx.s.geometry(window)[:2]
    ctx.check("X1_native_before", vela.texts().get(1002), "Forward")

    menu = ctx.menu()
    root = open_caption(ctx, menu, xy, "0, 2")  # X1
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
    ctx.check("X1_caption_copy", view.get(1002), "Copy")
    ctx.check("other_captions_unchanged", (view.get(1000), view.get(1003)), ("Right Button", "Back"))

    # A physical forward press now reaches the focused window as Control+C.
    rx = Receiver(ctx.s)
    ctx.check("forward_press_is_ctrl_c_only", rx.collect(["click", "--delay", 0, 9], want=4), CTRL_C)


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
    root = open_caption(ctx, menu, xy, "0, 3")  # X2, "Back"
    menu.hover(root, 2, 7)  # Office Used
    office = menu.wait_level(2)
    menu.slide_into(office, 0, 4)  # Zoom In
    menu.hover(office, 3, 4)  # Run Software
    ctx.s.xdo("click", 1)

    dialog = wait_until(lambda: ctx.s.visible_windows("^Open$"), 10, 0.05)
    ctx.check("file_dialog_opened", bool(dialog), True)
    time.sleep(0.5)
    # The file name box has the focus when the dialog opens.
    ctx.s.xdo("type", "--delay", 10, winprogram)
    ctx.s.xdo("key", "Return")

    vela.wait_saved("X2ButtonSetting", "5", winprogram)
    x2 = {k: vela.ini("X2ButtonSetting", k) for k in "01256"}
    ctx.check("saved_X2_launch", x2, {"0": "VeryLongProgramNam..", "1": "1", "2": "5",
                                      "5": winprogram, "6": "1"})
    ctx.check("X2_caption_shortened", vela.texts().get(1003), "VeryLongProgramNam..")

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
