"""The automation component, qdauto.dll, called as the program calls it — created by class
identifier through COM, its methods called by name through IDispatch — from the cross-built
component-client.exe. Input goes to target.exe, a window that logs what it receives, or to
Wine's notepad."""

import json
import subprocess
import tempfile
import unittest
from pathlib import Path

import harness
from harness import wait_until

CLASS_ID = "{28E8983D-6D4F-434A-AB18-9FF8684D4FD3}"
CLASS_KEY = r"HKLM\Software\Classes\CLSID" + "\\" + CLASS_ID
S_OK = "0x00000000"
DISP_E_TYPEMISMATCH = "0x80020005"
DISP_E_UNKNOWNNAME = "0x80020006"
DISP_E_BADPARAMCOUNT = "0x8002000E"


def text_argument(text: str) -> str:
    """A text argument that reaches the client whatever the Unix locale."""
    return "x:" + text.encode().hex()


def settled_cursor(x, y):
    """The step that reads the cursor once it is at (x, y), or after half a second: under Wine a
    late pointer motion can undo a placement for a moment, until the component places it again."""
    return ["cursor-at", str(x), str(y), "500"]


def results(answers):
    """The method results of call steps; None for a call that did not succeed."""
    return [a.get("result") if a.get("hr") == S_OK else None for a in answers]


class Target:
    """A running target.exe and its log."""

    def __init__(self, wine, name, place):
        self.log = wine.runs / f"{name}.log"
        self.log.parent.mkdir(parents=True, exist_ok=True)
        self.log.unlink(missing_ok=True)
        self.process = wine.start(wine.bin / "target.exe", "Z:" + str(self.log).replace("/", "\\"), *map(str, place))
        ready = wait_until(lambda: self.events("focus") and self.events("ready"), 30)
        if not ready:
            raise AssertionError("the target window did not start")
        self.client = ready[0]["client"]  # left, top, width, height on the screen

    def events(self, *kinds):
        lines = self.log.read_text().splitlines() if self.log.exists() else []
        events = [json.loads(line) for line in lines if line.endswith("}")]
        return [e for e in events if not kinds or e["event"] in kinds]

    def screen_point(self, x, y):
        return self.client[0] + x, self.client[1] + y


MOUSE = ("WM_LBUTTONDOWN", "WM_LBUTTONUP", "WM_LBUTTONDBLCLK", "WM_RBUTTONDOWN", "WM_RBUTTONUP", "WM_RBUTTONDBLCLK",
         "WM_MBUTTONDOWN", "WM_MBUTTONUP")
KEYS = ("WM_KEYDOWN", "WM_KEYUP", "WM_SYSKEYDOWN", "WM_SYSKEYUP")


class ComponentTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.wine = harness.SESSION
        cls.wine.stop_programs()
        if cls.wine.register_component() != 0:
            raise AssertionError("regsvr32 could not register qdauto.dll")
        if cls.wine.has_32_bit_side() and cls.wine.register_component32() != 0:
            raise AssertionError("the 32-bit regsvr32 could not register the 32-bit qdauto.dll")

    def setUp(self):
        self.wine.stop_programs()

    def tearDown(self):
        harness.screenshot_if_failed(self)
        self.wine.stop_programs()

    def target(self, place=(200, 150, 500, 400)):
        return Target(self.wine, self.id().rsplit(".", 1)[-1], place)

    def reg_query(self, key):
        with tempfile.TemporaryFile() as out:
            code = subprocess.run(harness.wine_command("reg", "query", key), env=self.wine.env, stdout=out,
                                  stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, timeout=60).returncode
            out.seek(0)
            return code, out.read().decode("utf-8", errors="replace")

    def test_registration_is_for_the_machine_and_unregistration_removes_it(self):
        code, text = self.reg_query(CLASS_KEY + r"\InprocServer32")
        self.assertEqual(code, 0)
        self.assertRegex(text, r"\(Default\)\s+REG_SZ\s+C:\\windows\\qdauto\.dll")
        self.assertRegex(text, r"ThreadingModel\s+REG_SZ\s+Both")
        self.assertRegex(self.reg_query(CLASS_KEY)[1], r"\(Default\)\s+REG_SZ\s+\S")

        self.addCleanup(self.wine.register_component)
        self.assertEqual(self.wine.run_quietly("regsvr32", "/u", "/s", r"C:\windows\qdauto.dll"), 0)
        self.assertNotEqual(self.reg_query(CLASS_KEY)[0], 0)
        self.assertEqual(self.wine.client(["call", "LeftClick"]), [{"created": False}])
        self.assertEqual(self.wine.register_component(), 0)
        self.assertEqual(results(self.wine.client(["call", "MoveTo", "i:10", "i:10"])), [1])

    def test_progids_and_the_type_library_describe_the_class_until_unregistration(self):
        classes = r"HKLM\Software\Classes"
        self.assertEqual(self.wine.registry_text(classes + r"\Landou.Automation\CurVer"), "Landou.Automation.1")
        self.assertEqual(self.wine.registry_text(CLASS_KEY + r"\ProgID"), "Landou.Automation.1")
        self.assertEqual(self.wine.registry_text(CLASS_KEY + r"\VersionIndependentProgID"), "Landou.Automation")
        library = self.wine.registry_text(CLASS_KEY + r"\TypeLib")
        self.assertEqual(self.wine.registry_text(classes + rf"\TypeLib\{library}\1.0\0\win64"), r"C:\windows\qdauto.dll")
        by_progid = self.wine.client(["progid", "Landou.Automation"], ["progid", "Landou.Automation.1"], ["typeinfo"])
        self.assertEqual(by_progid[:2], [CLASS_ID, CLASS_ID])
        VT_I4, VT_BSTR = 3, 8
        self.assertEqual([(m["name"], m["id"], m["params"], m["result"]) for m in by_progid[2]], [
            ("MoveTo", 1, [VT_I4, VT_I4], VT_I4), ("LeftClick", 2, [], VT_I4), ("LeftDoubleClick", 3, [], VT_I4),
            ("RightClick", 4, [], VT_I4), ("SendText", 5, [VT_I4, VT_BSTR], VT_I4), ("KeyPressName", 6, [VT_BSTR], VT_I4)])

        self.addCleanup(self.wine.register_component)
        self.assertEqual(self.wine.run_quietly("regsvr32", "/u", "/s", r"C:\windows\qdauto.dll"), 0)
        if self.wine.has_32_bit_side():  # the ProgIDs, which both views share, stay for the 32-bit build
            self.addCleanup(self.wine.register_component32)
            self.assertEqual(self.reg_query(classes + r"\Landou.Automation")[0], 0)
            self.assertEqual(self.wine.run_quietly(harness.tool32("regsvr32"), "/u", "/s", r"C:\windows\syswow64\qdauto.dll"), 0)
        for key in (classes + r"\Landou.Automation", classes + r"\Landou.Automation.1", classes + rf"\TypeLib\{library}"):
            self.assertNotEqual(self.reg_query(key)[0], 0, key)
        self.assertEqual(self.wine.client(["progid", "Landou.Automation"]), [None])

    def test_the_example_vbscript_moves_clicks_and_types_through_the_progid(self):
        target = self.target()
        point = target.screen_point(120, 80)
        window = self.wine.client(["find", "LandouInputTarget"])[0]
        script = harness.windows_path(Path(__file__).resolve().parents[2] / "docs" / "examples" / "move-click-type.vbs")
        printed = self.wine.output("cscript", "//nologo", script, str(point[0]), str(point[1]), str(window), "hello")
        self.assertEqual(printed.split(), ["MoveTo", "1", "LeftClick", "1", "SendText", "1", "KeyPressName", "1"])
        self.assertEqual(self.wine.probe("cursor"), list(point))
        self.assertTrue(wait_until(lambda: [chr(e["char"]) for e in target.events("WM_CHAR")][:5] == list("hello")))
        self.assertEqual([(e["x"], e["y"]) for e in target.events("WM_LBUTTONDOWN")], [(120, 80)])

    def test_library_counts_its_objects_and_locks_and_marshals_free_threaded(self):
        [report] = self.wine.client(["lifetime", r"C:\windows\qdauto.dll"])
        self.assertEqual({name for name, passed in report.items() if not passed}, set(), report)
        self.assertEqual(len(report), 15)

    def test_move_to_puts_the_cursor_exactly_on_the_point(self):
        [(left, top, width, height)] = self.wine.client(["screen"])
        right, bottom = left + width - 1, top + height - 1
        middle_x, middle_y = left + width // 2, top + height // 2
        points = [(123, 457), (left, middle_y), (right, middle_y), (middle_x, top), (middle_x, bottom),
                  (left + 1, top + 1), (right - 1, bottom - 1), (right, bottom), (left, top), (641, 333)]
        steps = []
        for x, y in points:
            steps += [["call", "MoveTo", f"i:{x}", f"i:{y}"], settled_cursor(x, y)]
        answers = self.wine.client(*steps)
        self.assertEqual(results(answers[0::2]), [1] * len(points))
        self.assertEqual([tuple(p) for p in answers[1::2]], points)
        self.assertEqual(self.wine.probe("cursor"), [641, 333])  # seen from another process

        # Off the screen the cursor cannot be there: it stops at the edge, and the call says so.
        answers = self.wine.client(["call", "MoveTo", f"i:{left - 1}", "i:300"], settled_cursor(left, 300),
                                   ["call", "MoveTo", "i:300", f"i:{bottom + 5}"], settled_cursor(300, bottom))
        self.assertEqual(results(answers[0::2]), [0, 0])
        self.assertEqual(answers[1::2], [[left, 300], [300, bottom]])

    def test_clicks_arrive_as_button_messages_at_the_point(self):
        target = self.target()
        # Far enough apart in time and place that no click joins the one before into a double click.
        one, two, three = (40, 50), (200, 120), (333, 222)
        answers = self.wine.client(
            ["call", "MoveTo", *[f"i:{v}" for v in target.screen_point(*one)]], ["call", "LeftClick"], ["sleep", "800"],
            ["call", "MoveTo", *[f"i:{v}" for v in target.screen_point(*two)]], ["call", "LeftDoubleClick"],
            ["sleep", "800"],
            ["call", "MoveTo", *[f"i:{v}" for v in target.screen_point(*three)]], ["call", "RightClick"])
        self.assertEqual(results(a for a in answers if a is not None), [1] * 6)
        expected = [("WM_LBUTTONDOWN", one), ("WM_LBUTTONUP", one),
                    ("WM_LBUTTONDOWN", two), ("WM_LBUTTONUP", two), ("WM_LBUTTONDBLCLK", two), ("WM_LBUTTONUP", two),
                    ("WM_RBUTTONDOWN", three), ("WM_RBUTTONUP", three)]
        wait_until(lambda: len(target.events(*MOUSE)) >= len(expected), 10)
        self.assertEqual([(e["event"], (e["x"], e["y"])) for e in target.events(*MOUSE)], expected)

    def test_keys_arrive_at_the_focused_window_by_name_and_by_code(self):
        target = self.target()
        names = ["enter", "13", "a", "f5", "UP", "Enter"]
        answers = self.wine.client(*[["call", "KeyPressName", f"s:{name}"] for name in names])
        self.assertEqual(results(answers), [1] * len(names))
        codes = [13, 13, 65, 116, 38, 13]
        wait_until(lambda: len(target.events(*KEYS)) >= 2 * len(codes), 10)
        events = target.events(*KEYS)
        self.assertEqual([(e["event"], e["vk"]) for e in events],
                         [(kind, code) for code in codes for kind in ("WM_KEYDOWN", "WM_KEYUP")])
        # The arrow is an extended key, as on a real keyboard; the others are not.
        self.assertEqual([e["extended"] for e in events if e["event"] == "WM_KEYDOWN"],
                         [False, False, False, False, True, False])

    def test_send_text_types_into_notepad_even_without_the_focus(self):
        self.wine.start(Path("notepad"))  # Wine's own
        edit = wait_until(lambda: self.wine.client(["find", "Notepad", "Edit"])[0], 30)
        self.assertTrue(edit, "notepad did not start")
        target = self.target()  # takes the focus
        text = "abc 中文 😀"
        [answer] = self.wine.client(["call", "SendText", f"i:{edit}", text_argument(text)])
        self.assertEqual(results([answer]), [1])
        typed = wait_until(lambda: self.wine.client(["text", str(edit)])[0] == text, 10)
        self.assertTrue(typed, self.wine.client(["text", str(edit)]))
        self.assertEqual(target.events("WM_CHAR"), [])

    def test_a_second_thread_calls_the_object_itself_not_a_proxy(self):
        # The creating thread waits without handling messages: a call that needed it would hang.
        answers = self.wine.client(["thread", "call", "MoveTo", "i:222", "i:111"], settled_cursor(222, 111))
        self.assertEqual(answers, [{"direct": True, "call": {"hr": S_OK, "type": 3, "result": 1}}, [222, 111]])

    def test_arguments_are_converted_and_wrong_calls_fail_harmlessly(self):
        target = self.target((50, 100, 500, 400))  # under the cursor from here on
        answers = self.wine.client(
            ["call", "moveto", "s:101", "r:i:202"], settled_cursor(101, 202),
            ["call", "MOVETO", "d:103.4", "v:i:204"], settled_cursor(103, 204),
            ["call", "MoveTo", "i:1"],
            ["call", "MoveTo", "i:1", "i:2", "i:3"],
            ["call", "LeftClick", "i:1"],
            ["call", "KeyPressName"],
            ["call", "MoveTo", "s:abc", "i:1"],
            ["call", "MoveTo", "i:1", "n:"],
            ["call", "Jump"],
            ["call", "MoveTo2", "i:1", "i:2"],
            ["call", "KeyPressName", "s:enterx"],
            ["call", "KeyPressName", "s:"],
            ["call", "KeyPressName", "s:255"],
            ["call", "KeyPressName", "s: 13"],
            ["call", "KeyPressName", text_argument("回车")],
            ["call", "SendText", "i:0", "s:abc"],
            ["call", "SendText", "i:305419896", "s:abc"],
            settled_cursor(103, 204),
            ["call", "KeyPressName", "i:66"])  # a number for the text: "66", the key B
        self.assertEqual(results(answers[0:4:2]), [1, 1])
        self.assertEqual(answers[1:4:2], [[101, 202], [103, 204]])
        self.assertEqual([a["hr"] for a in answers[4:8]], [DISP_E_BADPARAMCOUNT] * 4)
        self.assertEqual(answers[8], {"hr": DISP_E_TYPEMISMATCH, "argument": 1})  # the first, counted from last
        self.assertEqual(answers[9], {"hr": DISP_E_TYPEMISMATCH, "argument": 0})
        self.assertEqual(answers[10:12], [{"hr": DISP_E_UNKNOWNNAME, "stage": "names"}] * 2)
        self.assertEqual(results(answers[12:19]), [0] * 7)
        self.assertEqual(answers[19], [103, 204])
        self.assertEqual(results(answers[20:]), [1])
        # Nothing was clicked or pressed but the last key.
        wait_until(lambda: target.events(*KEYS), 10)
        self.assertEqual([(e["event"], e["vk"]) for e in target.events(*MOUSE, *KEYS)],
                         [("WM_KEYDOWN", 66), ("WM_KEYUP", 66)])



CREATE_BY_PROGIDS = """Option Explicit
Dim name, automation
For Each name In Array("Landou.Automation", "Landou.Automation.1")
    Set automation = Nothing
    On Error Resume Next
    Set automation = CreateObject(name)
    On Error GoTo 0
    If automation Is Nothing Then
        WScript.Echo name & " none"
    Else
        WScript.Echo name & " " & automation.MoveTo(WScript.Arguments(0), WScript.Arguments(1)) & _
            automation.LeftClick() & automation.LeftDoubleClick() & automation.RightClick() & _
            automation.SendText(0, "x") & automation.KeyPressName("no such key")
    End If
Next
"""


@unittest.skipUnless(harness.SESSION is None or harness.SESSION.has_32_bit_side(), "no 32-bit Wine")
class Component32Test(unittest.TestCase):
    """The 32-bit build of the component, for 32-bit scripting hosts, beside the 64-bit one."""

    @classmethod
    def setUpClass(cls):
        cls.wine = harness.SESSION
        cls.wine.stop_programs()
        if cls.wine.register_component() != 0 or cls.wine.register_component32() != 0:
            raise AssertionError("regsvr32 could not register both components")
        cls.script = cls.wine.runs / "create-by-progids.vbs"
        cls.script.parent.mkdir(parents=True, exist_ok=True)
        cls.script.write_text(CREATE_BY_PROGIDS)

    def tearDown(self):
        harness.screenshot_if_failed(self)
        self.wine.stop_programs()
        self.wine.register_component()
        self.wine.register_component32()

    def created(self, cscript):
        """What each ProgID's object answered to the six methods (clicks on a target window, a
        text into no window, an unknown key), as a host of that bitness made it."""
        target = Target(self.wine, "progids-" + ("64" if cscript == "cscript" else "32"), (200, 150, 500, 400))
        point = target.screen_point(100, 100)
        printed = self.wine.output(cscript, "//nologo", harness.windows_path(self.script), *map(str, point))
        target.process.kill()
        return dict(line.split() for line in printed.splitlines() if line.strip())

    def test_a_32_bit_host_makes_the_object_by_both_progids_and_calls_its_six_methods(self):
        self.assertEqual(self.created(harness.tool32("cscript")),
                         {"Landou.Automation": "111100", "Landou.Automation.1": "111100"})

    def test_the_example_vbscript_run_by_a_32_bit_host_moves_clicks_and_types(self):
        target = Target(self.wine, "vbscript-32", (200, 150, 500, 400))
        point = target.screen_point(120, 80)
        window = self.wine.client(["find", "LandouInputTarget"])[0]
        script = harness.windows_path(Path(__file__).resolve().parents[2] / "docs" / "examples" / "move-click-type.vbs")
        printed = self.wine.output(harness.tool32("cscript"), "//nologo", script, str(point[0]), str(point[1]),
                                   str(window), "hello")
        self.assertEqual(printed.split(), ["MoveTo", "1", "LeftClick", "1", "SendText", "1", "KeyPressName", "1"])
        self.assertTrue(wait_until(lambda: [chr(e["char"]) for e in target.events("WM_CHAR")][:5] == list("hello")))
        self.assertEqual([(e["x"], e["y"]) for e in target.events("WM_LBUTTONDOWN")], [(120, 80)])

    def test_unregistering_one_bitness_leaves_the_other_working(self):
        both = {"Landou.Automation": "111100", "Landou.Automation.1": "111100"}
        none = {"Landou.Automation": "none", "Landou.Automation.1": "none"}
        self.assertEqual(self.wine.run_quietly(harness.tool32("regsvr32"), "/u", "/s", r"C:\windows\syswow64\qdauto.dll"), 0)
        self.assertEqual(self.created(harness.tool32("cscript")), none)
        self.assertEqual(self.created("cscript"), both)
        self.assertEqual(self.wine.register_component32(), 0)
        self.assertEqual(self.wine.run_quietly("regsvr32", "/u", "/s", r"C:\windows\qdauto.dll"), 0)
        self.assertEqual(self.created("cscript"), none)
        self.assertEqual(self.created(harness.tool32("cscript")), both)
