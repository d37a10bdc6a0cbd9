"""Drives the real Windows program under Wine, as a person would: real X mouse and key events
(xdotool) on a virtual display, inside a Wine virtual desktop. The cross-built probe reads
window state from outside."""

import json
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

SESSION = None  # the Wine of this run, set by run.py

MAIN = "蓝豆键盘鼠标模拟器"
MOUSE_EDITOR = "鼠标添加"
KEY_EDITOR = "键盘添加"


# Wine's own tools, by bitness: with 32-bit Wine installed, a plain "wine NAME" starts the 32-bit
# tool, which sees the 32-bit registry view. The 64-bit ones go through the 64-bit loader.
WINE64 = "/usr/lib/wine/wine64" if Path("/usr/lib/wine/wine64").exists() else "wine64"
WINE_TOOLS = ("reg", "regsvr32", "cscript", "wscript", "regedit", "notepad")


def wine_command(program, *args):
    """The command line that starts a Windows program: one of Wine's own tools by name (the
    64-bit one), or any program by its path."""
    name = str(program)
    if name in WINE_TOOLS:
        return [WINE64, f"C:\\windows\\system32\\{name}.exe", *args]
    return ["wine", name, *args]


def tool32(name):
    """The path of one of Wine's own 32-bit tools, for wine_command."""
    return f"C:\\windows\\syswow64\\{name}.exe"


class Wine:
    """The Wine prefix, the programs of the build and the X display of one test run."""

    def __init__(self, build: Path, prefix: Path, runs: Path):
        self.bin = build / "bin"
        # The program built with its web addresses on this machine (scripts/lib.sh).
        self.online_program = build.parent / "win-online" / "bin" / "landou.exe"
        self.prefix = prefix
        self.runs = runs
        self.started = []
        self.env = dict(os.environ, WINEPREFIX=str(prefix), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")

    # Processes

    def install_program(self, name: str, first_start: bool = False, program: Path = None) -> Path:
        """A fresh folder holding a copy of the program (the build's, unless another is given);
        returns the program's path. Unless it is to be a first start, the first-start marker
        is there already, so that the help panel does not slide in over the list."""
        folder = self.runs / name
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir(parents=True)
        shutil.copy(program or self.bin / "landou.exe", folder / "landou.exe")
        if not first_start:
            (folder / "kv3170").touch()
        return folder / "landou.exe"

    def start(self, exe: Path, *args: str, cwd: Path = None) -> subprocess.Popen:
        """Starts the program in its own folder, unless another is given."""
        process = subprocess.Popen(wine_command(exe, *args), env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, cwd=str(cwd or exe.parent))
        self.started.append(process)
        return process

    def start_output(self, out: Path, exe: Path, *args: str) -> subprocess.Popen:
        """Starts a Windows program whose output goes to the file, as it writes it."""
        with open(out, "wb") as output:
            process = subprocess.Popen(wine_command(exe, *args), env=self.env, stdout=output,
                                       stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        self.started.append(process)
        return process

    def stop_programs(self):
        """Ends every program that the tests started; the prefix's desktop stays."""
        for process in self.started:
            if process.poll() is None:
                process.kill()
        for process in self.started:
            process.wait()
        self.started.clear()
        # Programs that the program itself opened through the shell, and the helpers of the
        # component's tests.
        self.kill_in_prefix("notepad.exe", "target.exe", "component-client.exe")

    def processes_in_prefix(self, *names: str) -> list:
        """The Windows processes of this prefix (not of any other) that run one of the programs."""
        prefix = f"WINEPREFIX={self.prefix}".encode()
        found = []
        for entry in Path("/proc").iterdir():
            if not entry.name.isdigit():
                continue
            try:
                environment = (entry / "environ").read_bytes().split(b"\0")
                program = (entry / "cmdline").read_bytes().split(b"\0")[0].decode(errors="replace")
            except OSError:
                continue
            if prefix in environment and program.replace("\\", "/").rsplit("/", 1)[-1].lower() in names:
                found.append(int(entry.name))
        return found

    def running_in_prefix(self, name: str) -> bool:
        return bool(self.processes_in_prefix(name))

    def kill_in_prefix(self, *names: str):
        """Ends the Windows processes of this prefix that run one of the programs."""
        for pid in self.processes_in_prefix(*names):
            try:
                os.kill(pid, signal.SIGKILL)
            except OSError:
                pass

    def open_session(self):
        """Starts the prefix afresh: its server first (two processes starting a cold prefix at once
        can hang), then a process that keeps the virtual desktop up, so that every test starts warm."""
        self.shut_down()
        subprocess.run(["wineserver", "-p"], env=self.env, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        self.keeper = subprocess.Popen(["wine", str(self.bin / "probe.exe"), "wait", "no such window", "exists",
                                        str(24 * 3600 * 1000)], env=self.env, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        self.probe("cursor", timeout=120)

    def shut_down(self):
        """Ends every Windows process of the prefix, the virtual desktop included."""
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, stderr=subprocess.DEVNULL)
        if getattr(self, "keeper", None):
            self.keeper.wait()
            self.keeper = None

    def output(self, *args: str, timeout: float = 60) -> str:
        """What a Windows program writes, once it has ended. Through a file, not a pipe: Wine
        processes that a start spawns (the desktop, services) would inherit the pipe and keep it
        open."""
        with tempfile.TemporaryFile() as out:
            subprocess.run(wine_command(*args), env=self.env, stdout=out, stderr=subprocess.DEVNULL,
                           stdin=subprocess.DEVNULL, timeout=timeout)
            out.seek(0)
            return out.read().decode("utf-8", "replace")

    def probe(self, *args: str, timeout: float = 30):
        text = self.output(str(self.bin / "probe.exe"), *args, timeout=timeout)
        return json.loads(text) if text.strip() else None

    def run_quietly(self, *args: str, timeout: float = 60) -> int:
        """Runs a Windows program to its end; its exit code."""
        return subprocess.run(wine_command(*args), env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              stdin=subprocess.DEVNULL, timeout=timeout).returncode

    # The automation component

    def has_32_bit_side(self) -> bool:
        """Whether 32-bit programs run in this prefix (32-bit Wine installed when it was made)."""
        return (self.drive_c() / "windows" / "syswow64" / "cscript.exe").exists()

    def register_component32(self) -> int:
        """Puts the build's 32-bit qdauto.dll where the program puts it, the 32-bit system folder,
        and registers it there by the 32-bit regsvr32; its exit code."""
        dll = self.prefix / "drive_c" / "windows" / "syswow64" / "qdauto.dll"
        staged = dll.with_name("qdauto.dll.new")
        shutil.copy(self.bin / "x86" / "qdauto.dll", staged)
        os.replace(staged, dll)
        return self.run_quietly(tool32("regsvr32"), "/s", "C:\\windows\\syswow64\\qdauto.dll")

    def register_component(self) -> int:
        """Puts the build's qdauto.dll where the program puts it, C:\\windows, and registers it
        there; regsvr32's exit code."""
        dll = self.prefix / "drive_c" / "windows" / "qdauto.dll"
        staged = dll.with_name("qdauto.dll.new")
        shutil.copy(self.bin / "qdauto.dll", staged)
        os.replace(staged, dll)  # a process that has the old library loaded keeps it
        return self.run_quietly("regsvr32", "/s", "C:\\windows\\qdauto.dll")

    def client(self, *steps, timeout: float = 60) -> list:
        """Runs component-client.exe with the steps, each a list of words; one result per step."""
        words = []
        for step in steps:
            words += [";", *step] if words else list(step)
        text = self.output(str(self.bin / "component-client.exe"), *words, timeout=timeout)
        return json.loads(text) if text.strip() else None

    def answers(self, caption: str, seconds: float = 30):
        """Milliseconds until the window's thread answered a message (None: not within the time)."""
        answer = self.probe("answers", caption, str(int(seconds * 1000)), timeout=seconds + 30)
        return answer["ms"] if answer and answer.get("answered") else None

    def text_changed(self, caption: str, control: str, text: str, seconds: float = 30):
        """Milliseconds until the window's control no longer shows the text (None: not within the time)."""
        answer = self.probe("changed", caption, control, text, str(int(seconds * 1000)), timeout=seconds + 30)
        return answer["ms"] if answer and answer.get("changed") else None

    def wait_window(self, caption: str, state: str = "shown", seconds: float = 30) -> bool:
        answer = self.probe("wait", caption, state, str(int(seconds * 1000)), timeout=seconds + 30)
        return bool(answer and answer.get("reached"))

    def dialogs(self, caption: str = "") -> list:
        return self.probe("dialogs", *([caption] if caption else []))

    def wait_dialog(self, caption: str, seconds: float = 15):
        """The first visible dialog box with the caption, once there is one (or None)."""
        return wait_until(lambda: next(iter(self.dialogs(caption) or []), None), seconds)

    def drive_c(self) -> Path:
        return self.prefix / "drive_c"

    def desktop(self) -> Path:
        return self.drive_c() / "users" / os.environ.get("USER", "root") / "Desktop"

    def registry_text(self, key: str, value: str = "", reg: str = "reg") -> str:
        """A text value read back from the prefix's registry ("" is the default value), in the
        64-bit view (or in the view of the reg given, such as tool32("reg"))."""
        lines = self.output(reg, "query", key, *(["/v", value] if value else ["/ve"])).splitlines()
        for line in lines:
            parts = line.strip().split("    ", 2)
            if len(parts) == 3 and parts[1] == "REG_SZ":
                return parts[2]
        return None

    def window(self, caption: str) -> dict:
        return self.probe("window", caption)

    def definition(self, caption: str) -> dict:
        return self.probe("definition", caption)

    # The person at the keyboard and mouse

    def xdotool(self, *args: str):
        subprocess.run(["xdotool", *args], check=True)

    def click(self, x: int, y: int, button: int = 1, repeat: int = 1):
        self.xdotool("mousemove", "--sync", str(x), str(y))
        time.sleep(0.05)
        self.xdotool("click", "--repeat", str(repeat), "--delay", "80", str(button))
        time.sleep(0.3)

    def click_control(self, control: dict, button: int = 1):
        x, y = centre(control["screen"])
        self.click(x, y, button)

    def point_at(self, x: int, y: int) -> bool:
        """Moves the pointer there and waits until Wine sees it there to stay: a late motion of an
        earlier position can still undo a move (then it is made again)."""
        for _ in range(10):
            self.xdotool("mousemove", "--sync", str(x), str(y))
            if wait_until(lambda: self.probe("cursor") == [x, y], 5, 0.05):
                time.sleep(0.3)
                if self.probe("cursor") == [x, y]:
                    return True
        return False

    def type(self, text: str):
        self.xdotool("type", "--delay", "30", "--", text)
        time.sleep(0.3)

    def key(self, *keys: str):
        self.xdotool("key", "--delay", "60", *keys)
        time.sleep(0.3)

    def screenshot(self, path: Path, rect=None):
        path.parent.mkdir(parents=True, exist_ok=True)
        args = ["import", "-window", "root"]
        if rect:
            x, y, w, h = rect
            args += ["-crop", f"{w}x{h}+{x}+{y}"]
        subprocess.run([*args, str(path)], check=True)


def windows_path(path: Path) -> str:
    """The path as Wine's programs see it (through the Z: drive)."""
    return "Z:" + str(path).replace("/", "\\")


class ProgramTest(unittest.TestCase):
    """Each test starts the program afresh from a folder of its own (in setUp, unless
    start_program_in_setup is false: then the test starts it, maybe with arguments)."""

    start_program_in_setup = True
    first_start = False
    online = False  # the program built with its web addresses on this machine

    def setUp(self):
        self.wine = SESSION
        self.wine.stop_programs()
        self.exe = self.wine.install_program(self.id().rsplit(".", 1)[-1], self.first_start,
                                             self.wine.online_program if self.online else None)
        if self.start_program_in_setup:
            self.start_program()

    def start_program(self, *args, cwd: Path = None):
        self.process = self.wine.start(self.exe, *args, cwd=cwd)
        self.assertTrue(self.wine.wait_window(MAIN), "the main window did not show")

    def tearDown(self):
        screenshot_if_failed(self)
        self.wine.stop_programs()

    def controls(self, caption=MAIN):
        return controls_by_name(self.wine.window(caption))

    def click_toolbar_entry(self, index):
        toolbar = self.controls()["工具条_添加工具"]
        self.wine.click(*centre(toolbar["entries"][index]["screen"]))

    def rows(self):
        return self.controls()["超级列表框_鼠标命令"]["rows"]

    def click_dialog_button(self, dialog, text):
        button = next(c for c in dialog["controls"] if c["class"] == "Button" and c["text"] == text and c["visible"])
        self.wine.click(*centre(button["screen"]))


def screenshot_if_failed(test):
    """The screen as it was when the test failed, for its report."""
    result = test._outcome.result
    if any(failed is test for failed, _ in result.failures + result.errors):
        failure_screenshot(test)


def failure_screenshot(test):
    """A picture of the screen for a test that failed, in build/e2e-failures."""
    path = SESSION.runs.parent / "e2e-failures" / (test.id().rsplit(".", 1)[-1] + ".png")
    SESSION.screenshot(path)
    return path


def centre(rect):
    x, y, w, h = rect
    return x + w // 2, y + h // 2


def controls_by_name(window: dict) -> dict:
    return {c["name"]: c for c in window["controls"] if c["name"]}


def wait_until(condition, seconds: float = 10, step: float = 0.2):
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value or time.monotonic() > deadline:
            return value
        time.sleep(step)
