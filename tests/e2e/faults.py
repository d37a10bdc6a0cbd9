"""The program under faults, driven by real X key presses: F11 pressed over and over at random
intervals while a macro plays into the test target and notepad, and F11 or the close box while
a component call hangs on a window that has stopped answering. The end-to-end tests run the
short forms; bench/stress.py the long ones."""

import json
import random
import time
from pathlib import Path

import harness
from harness import MAIN, centre, controls_by_name, wait_until, windows_path
from test_component import CLASS_KEY, Target

IDLE, RUNNING = "运行(F11)", "取消(F11)"


def script(*rows):
    return "".join("]]][[[".join(row) + "+++---" for row in rows).encode("gb18030")


def start_program(wine, name, *rows):
    exe = wine.install_program(name)
    macro = exe.parent / "macro.qd"
    macro.write_bytes(script(*rows))
    process = wine.start(exe, windows_path(macro))
    if not wine.wait_window(MAIN):
        raise AssertionError("the main window did not show")
    return process


def caption(wine):
    return controls_by_name(wine.window(MAIN))["按钮_运行"]["text"]


def pass_tokens(target):
    """The target's log as one token per action of a pass: 1 (the typed text, which begins it),
    K (the pressed key) and C (the click)."""
    tokens = []
    for e in target.events("WM_LBUTTONDOWN", "WM_CHAR", "WM_KEYDOWN"):
        if e["event"] == "WM_LBUTTONDOWN":
            tokens.append("C")
        elif e["event"] == "WM_CHAR" and e["char"] == ord("1"):
            tokens.append("1")
        elif e["event"] == "WM_KEYDOWN" and e["vk"] == ord("2"):
            tokens.append("K")
    return tokens


def overlaps(tokens):
    """Places where the actions are not those of one run at a time: every action is the next of
    its pass, or the text that begins a pass (a cancelled run may stop anywhere)."""
    following = {"1": "K", "K": "C", "C": "1"}
    return [i for i in range(1, len(tokens)) if tokens[i] != "1" and tokens[i] != following[tokens[i - 1]]]


def f11_presses(wine, presses, seed=1):
    """Presses F11 the given number of times at random intervals of 1 to 300 ms while a macro of
    mouse, text and key rows plays into the target and notepad; the counts afterwards."""
    target = Target(wine, "stress-f11", (900, 40, 300, 200))
    wine.start(Path("notepad"))
    notepad = wait_until(lambda: wine.probe("foreign", "Notepad", "Edit"), 30)
    point = target.screen_point(150, 100)
    typing = centre(notepad["screen"])
    process = start_program(wine, "stress-f11",
                            ["鼠标", str(point[0]), str(point[1]), "移动到此", "0", "*"],
                            ["键盘", "*", "*", "*", "*", "1"],
                            ["模拟", "*", "*", "*", "*", "2"],
                            ["鼠标", str(point[0]), str(point[1]), "左键单击", "0", "*"],
                            ["鼠标", str(typing[0]), str(typing[1]), "移动到此", "0", "*"],
                            ["键盘", "*", "*", "*", "*", "n"])
    wine.click(*point)  # the target has the keyboard focus for the key rows
    randomness = random.Random(seed)
    chain = []
    for _ in range(presses):
        chain += ["key", "F11", "sleep", f"{randomness.randint(1, 300) / 1000:.3f}"]
    started = time.monotonic()
    wine.xdotool(*chain)
    pressing = time.monotonic() - started
    alive = process.poll() is None and wine.answers(MAIN, 10) is not None
    settled = wait_until(lambda: caption(wine) == IDLE, 10)  # a run left going ends by itself
    tokens = pass_tokens(target)
    typed = wine.probe("foreign", "Notepad", "Edit")
    return {
        "presses": presses,
        "seconds": round(pressing, 1),
        "alive": alive,
        "caption": caption(wine) if alive else None,
        "settled": bool(settled),
        "passes begun": tokens.count("1"),
        "actions": len(tokens),
        "overlaps": len(overlaps(tokens)),
        "typed into notepad": len(typed["text"]) if typed else None,
        "keys down": wine.probe("keys-down"),
    }


def use_hanging_component(wine):
    """Registers the stand-in whose text calls hang in the real component's place: the program's
    object is made from it before the program registers its own."""
    wine.run_quietly("reg", "add", CLASS_KEY + r"\InprocServer32", "/ve", "/d",
                     windows_path(wine.bin / "hanging-component.dll"), "/f")
    wine.run_quietly("reg", "add", CLASS_KEY + r"\InprocServer32", "/v", "ThreadingModel", "/d", "Both", "/f")


def hung_call(wine, name, more_rows=lambda marker: [], before_f11=lambda hung: None):
    """A run of the program inside a call that hangs on a window that stopped answering (the
    list's first row types into it; more rows, made for the marker window, may follow); the
    program's process, the hung target and a target that logs the moment of a marker key. What
    else is to be done before the F11 that starts the run gets the hung target, and leaves the
    pointer on it."""
    use_hanging_component(wine)
    hung = Target(wine, name + "-hung", (900, 40, 300, 200, "hang"))
    marker = Target(wine, name + "-marker", (900, 300, 300, 200))
    process = start_program(wine, name, ["键盘", "*", "*", "*", "*", "ab"], *more_rows(marker))
    if not wine.point_at(*hung.screen_point(150, 100)):  # the text goes to the window there
        raise AssertionError("Wine did not see the pointer move")
    before_f11(hung)
    wine.xdotool("key", "F11")
    if not wait_until(lambda: hung.events("hung"), 15):
        raise AssertionError("the run did not reach the hung window")
    return process, hung, marker


def cancel_during_hung_call(wine, name="hung-cancel"):
    """Milliseconds from the F11 that cancels a run inside a hung call to the run caption's
    change (read by a message, so the window answered), and whether the window answers after."""
    process, _, marker = hung_call(wine, name)
    wine.click(*marker.screen_point(150, 100))  # the marker has the keyboard focus
    if not wait_until(lambda: marker.events("focus")[1:], 10):
        raise AssertionError("the marker window did not get the focus")
    out = wine.runs / f"{name}-watch.json"
    watcher = wine.start_output(out, wine.bin / "probe.exe", "watch", MAIN, "按钮_运行", RUNNING, "20000")
    wait_until(lambda: out.exists() and "watching" in out.read_text(), 30, 0.05)
    seen = len(marker.events())
    wine.xdotool("key", "--delay", "0", "F12", "F11")  # F12 marks the moment in the marker's log
    watcher.wait(timeout=60)
    changed = json.loads(out.read_text().splitlines()[-1])
    pressed = next(e["t"] for e in marker.events()[seen:] if e["event"] == "WM_KEYDOWN" and e["vk"] == 0x7B)
    latency = (changed["changed"] - pressed) / 1000 if changed.get("changed") else None
    answers = wine.answers(MAIN, 5)
    return {"cancel ms": latency, "caption": changed.get("text"), "answers": answers is not None, "alive": process.poll() is None}


def run_after_hung_call(wine, name="hung-then-run"):
    """A run inside a call that hangs, with the cursor held on the hung window (Ctrl+S): whether
    F9 (which unchecks the periodic box) and the run button (which cancels) are answered. Then
    F11 at once: the new run's first call waits for the hung one; once the hung window is gone
    and that call has returned, the gap in ms between the new run's move onto the marker window
    and its click there, as the marker received them (specified: 200 ms)."""
    def click_on_marker(marker):
        point = marker.screen_point(150, 100)
        return [["鼠标", str(point[0]), str(point[1]), "左键单击", "0", "*"]]

    def check_box_and_hold_cursor(hung):
        wine.click_control(controls_by_name(wine.window(MAIN))["选择框1"])
        if not wine.point_at(*hung.screen_point(150, 100)):
            raise AssertionError("Wine did not see the pointer move")
        wine.key("F3", "ctrl+s")

    process, hung, marker = hung_call(wine, name, click_on_marker, check_box_and_hold_cursor)
    wine.key("F9")
    if wine.answers(MAIN, 5) is None:  # the window is stuck behind the call
        return {"F9 answered": False, "run button answered": False, "clicked": False, "gap ms": None}
    box_unchecked = wait_until(lambda: not controls_by_name(wine.window(MAIN))["选择框1"]["checked"], 5)
    wine.key("ctrl+q")
    wine.click_control(controls_by_name(wine.window(MAIN))["按钮_运行"])
    cancelled = wait_until(lambda: caption(wine) == IDLE, 5)
    seen = len(marker.events())
    wine.xdotool("key", "F11")
    time.sleep(1)  # the new run waits for the hung call
    hung.process.kill()  # the hung window is gone: the call into it returns
    clicked = wait_until(lambda: [e for e in marker.events()[seen:] if e["event"] == "WM_LBUTTONDOWN"], 15)
    events = marker.events()[seen:]
    click = clicked[0] if clicked else None
    move = next((e["t"] for e in events if e["event"] == "WM_MOUSEMOVE" and click and
                 (e["x"], e["y"]) == (click["x"], click["y"])), None)
    return {"F9 answered": bool(box_unchecked), "run button answered": bool(cancelled), "clicked": bool(clicked),
            "gap ms": (click["t"] - move) / 1000 if click and move else None, "alive": process.poll() is None}


def exit_during_hung_call(wine, name="hung-exit"):
    """Seconds from the close box, clicked while a run is inside a hung call, to the end of the
    process; its exit code, and whether anything reported a crash."""
    process, _, _ = hung_call(wine, name)
    close = wine.window(MAIN)["closeBox"]
    wine.xdotool("mousemove", "--sync", *map(str, close))
    started = time.monotonic()
    wine.xdotool("click", "1")
    try:
        code = process.wait(timeout=30)
    except Exception:  # noqa: BLE001 - still running: reported as such
        code = None
    seconds = time.monotonic() - started
    time.sleep(1)
    crash = bool(wine.dialogs()) or wine.running_in_prefix("winedbg.exe")
    return {"exit seconds": round(seconds, 2), "exit code": code, "crash report": crash}
