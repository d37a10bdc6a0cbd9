"""Playing a macro back, from the keyboard as a person does: F11 runs and cancels, the editor's
hotkeys work while the cursor stays over another program, runs are scheduled, and a second copy
of the program finds the hotkeys taken."""

import time
import unittest
from pathlib import Path

import harness
from harness import MAIN, MOUSE_EDITOR, ProgramTest, centre, wait_until, windows_path
from test_component import Target


def script(*rows):
    return "".join("]]][[[".join(row) + "+++---" for row in rows).encode("gb18030")


def click_row(point, mode="左键单击", delay="0"):
    return ["鼠标", str(point[0]), str(point[1]), mode, delay, "*"]


class PlaybackTest(ProgramTest):
    start_program_in_setup = False

    def start_with(self, *rows):
        macro = self.exe.parent / "macro.qd"
        macro.write_bytes(script(*rows))
        self.start_program(windows_path(macro))
        # The file is read once the window shows, after the component is registered.
        wait_until(lambda: len(self.rows()) >= len(rows), 10)
        self.assertEqual(len(self.rows()), len(rows))

    def set_text(self, box, text):
        self.wine.click_control(self.controls()[box])
        self.wine.key("ctrl+a", "BackSpace")
        self.wine.type(text)

    def caption(self):
        return self.controls()["按钮_运行"]["text"]

    def main_visible(self):
        return self.wine.window(MAIN)["visible"]

    def cursor(self):
        return self.wine.probe("cursor")

    def target(self, place=(900, 40, 300, 200)):  # clear of the main window and of notepad
        return Target(self.wine, self.id().rsplit(".", 1)[-1], place)

    def test_f11_plays_into_other_programs_and_counts_down(self):
        target = self.target()
        self.wine.start(Path("notepad"))
        edit = wait_until(lambda: self.wine.probe("foreign", "Notepad", "Edit"), 30)
        self.assertTrue(edit, "notepad did not start")
        left, top, width, height = edit["screen"]
        in_notepad_only = (left + 60, top + height - 60)  # clear of the main window and the target
        self.start_with(click_row(target.screen_point(150, 100)),
                        click_row(in_notepad_only),
                        ["键盘", "*", "*", "*", "*", "hello 中文😀"],
                        ["模拟", "*", "*", "*", "*", "enter"])
        self.set_text("编辑框_运行次数", "2")
        self.wine.key("F11")
        self.assertTrue(wait_until(lambda: self.caption() == "取消(F11)", 5))
        self.assertTrue(wait_until(lambda: self.caption() == "运行(F11)", 20))
        self.assertEqual(self.controls()["编辑框_运行次数"]["text"], "0")
        clicks = target.events("WM_LBUTTONDOWN")
        self.assertEqual([(e["x"], e["y"]) for e in clicks], [(150, 100), (150, 100)])
        self.assertEqual(self.wine.probe("foreign", "Notepad", "Edit")["text"], "hello 中文😀\r\nhello 中文😀\r\n")

    def test_text_goes_to_the_smallest_visible_later_sibling_under_the_cursor(self):
        target = self.target((700, 100, 330, 260, "siblings"))

        def move_and_type(x, y, text):
            return [click_row(target.screen_point(x, y), "移动到此"), ["键盘", "*", "*", "*", "*", text]]

        self.start_with(*move_and_type(130, 70, "1"),   # big, medium and small hold it: small
                        *move_and_type(200, 140, "2"),  # big, medium and its twin: medium
                        *move_and_type(20, 20, "3"),    # big, and the larger wide: big
                        *move_and_type(132, 72, "4"))   # as 1, with the hidden one there too: small
        self.wine.key("F11")
        self.assertTrue(wait_until(lambda: len(target.events("WM_CHAR")) == 4, 20), target.events("WM_CHAR"))
        self.assertEqual([(chr(e["char"]), e.get("child")) for e in target.events("WM_CHAR")],
                         [("1", "small"), ("2", "medium"), ("3", "big"), ("4", "small")])

    def test_f11_during_a_ten_second_delay_cancels_at_once(self):
        target = self.target()
        self.start_with(["延时", "*", "*", "*", "*", "10秒"], click_row(target.screen_point(10, 10)))
        self.wine.key("F11")
        self.assertTrue(wait_until(lambda: self.caption() == "取消(F11)", 5))
        time.sleep(1)
        started = time.monotonic()
        self.wine.key("F11")
        self.assertTrue(wait_until(lambda: self.caption() == "运行(F11)", 5))
        self.assertLess(time.monotonic() - started, 3)
        time.sleep(10)  # past the end of the delay: nothing more is played
        self.assertEqual(target.events("WM_LBUTTONDOWN"), [])
        self.assertEqual(self.controls()["编辑框_运行次数"]["text"], "1")

    def test_the_hide_option_hides_the_windows_during_the_run(self):
        self.start_with(["延时", "*", "*", "*", "*", "1000毫秒"])
        self.wine.click_control(self.controls()["选择框_影藏"])
        self.wine.key("F11")
        self.assertTrue(wait_until(lambda: not self.main_visible(), 5))
        self.assertTrue(wait_until(self.main_visible, 10))
        self.assertEqual(self.caption(), "运行(F11)")
        # Cancelled while hidden: the main window comes back at once, the editor stays hidden.
        self.set_text("编辑框_运行次数", "5")
        self.wine.key("F11")
        self.assertTrue(wait_until(lambda: not self.main_visible(), 5))
        self.wine.key("F11")
        self.assertTrue(wait_until(self.main_visible, 3))
        self.assertEqual(self.caption(), "运行(F11)")
        self.assertFalse(self.wine.window(MOUSE_EDITOR)["visible"])

    def test_the_editor_hotkeys_capture_cycle_and_confirm_while_it_is_hidden(self):
        self.start_program()
        self.assertTrue(self.wine.point_at(300, 420))
        self.wine.key("F3")
        editor = self.controls(MOUSE_EDITOR)
        self.assertEqual((editor["编辑框_X坐标"]["text"], editor["编辑框_Y坐标"]["text"]), ("300", "420"))
        self.wine.key("ctrl+space", "ctrl+space")
        self.assertEqual(self.controls(MOUSE_EDITOR)["组合框1"]["selected"], 1)
        self.wine.key("ctrl+Return")
        self.assertTrue(wait_until(lambda: self.rows() == [["1", "鼠标", "300", "420", "左键单击", "100", "*"]], 5))
        self.assertFalse(self.wine.window(MOUSE_EDITOR)["visible"])

    def test_ctrl_s_holds_the_cursor_until_ctrl_q(self):
        self.start_program()
        self.assertTrue(self.wine.point_at(333, 444))  # where F3 takes it from
        self.wine.key("F3", "ctrl+s")
        self.wine.xdotool("mousemove", "700", "600")
        self.assertTrue(wait_until(lambda: self.cursor() == [333, 444], 3, 0.05))
        self.wine.key("ctrl+q")
        self.wine.xdotool("mousemove", "--sync", "700", "600")
        time.sleep(0.5)
        self.assertEqual(self.cursor(), [700, 600])

    def test_ctrl_s_without_a_position_is_refused(self):
        self.start_program()
        self.wine.key("ctrl+s")
        refusal = self.wine.wait_dialog("蓝豆")
        self.assertIn("锁定失败,请先获取到鼠标坐标位置。", [c["text"] for c in refusal["controls"]])
        self.click_dialog_button(refusal, "OK")

    def arm_schedule(self, seconds):
        self.set_text("编辑框_延时打卡", seconds)
        self.wine.click_control(self.controls()["按钮_设定"])
        confirmation = self.wine.wait_dialog("蓝豆提示")
        self.assertIn(f"软件将在{seconds}秒后执行！\r\n运行过程中按下热键F9停止运行。",
                      [c["text"] for c in confirmation["controls"]])
        dismissed = time.monotonic()
        self.click_dialog_button(confirmation, "OK")
        return dismissed

    def test_a_delayed_start_plays_once(self):
        target = self.target()
        self.start_with(click_row(target.screen_point(20, 20)))
        armed = self.arm_schedule("2")
        self.assertEqual(self.controls()["按钮_设定"]["text"], "停止(F9)")
        self.assertTrue(wait_until(lambda: target.events("WM_LBUTTONDOWN"), 10))
        self.assertGreater(time.monotonic() - armed, 1.9)
        self.assertTrue(wait_until(lambda: self.controls()["按钮_设定"]["text"] == "设定", 5))
        time.sleep(3)
        self.assertEqual(len(target.events("WM_LBUTTONDOWN")), 1)

    def test_a_periodic_schedule_plays_until_f9(self):
        target = self.target()
        self.start_with(click_row(target.screen_point(20, 20)))
        self.wine.click_control(self.controls()["选择框1"])
        self.arm_schedule("1")
        self.assertTrue(wait_until(lambda: len(target.events("WM_LBUTTONDOWN")) >= 3, 15))
        self.wine.key("F9")
        self.assertTrue(wait_until(lambda: self.controls()["按钮_设定"]["text"] == "设定", 5))
        self.assertFalse(self.controls()["选择框1"]["checked"])
        self.assertEqual(self.controls()["选择框1"]["text"], "每1秒执行一次。")
        played = len(target.events("WM_LBUTTONDOWN"))
        time.sleep(3)
        self.assertLessEqual(len(target.events("WM_LBUTTONDOWN")), played + 1)  # one run may have been under way

    def test_f9_during_a_scheduled_run_takes_effect_after_it_and_before_the_next_tick(self):
        target = self.target()
        # One run takes about 2.8 s, while the schedule ticks every second.
        self.start_with(click_row(target.screen_point(20, 20), delay="1000"),
                        click_row(target.screen_point(60, 60), delay="1000"))
        self.wine.click_control(self.controls()["选择框1"])
        self.arm_schedule("1")
        self.assertTrue(wait_until(lambda: target.events("WM_LBUTTONDOWN"), 10))
        self.wine.key("F9")  # waits in the queue while the run holds the user-interface thread
        self.assertTrue(wait_until(lambda: self.controls()["按钮_设定"]["text"] == "设定", 10))
        self.assertEqual([(e["x"], e["y"]) for e in target.events("WM_LBUTTONDOWN")], [(20, 20), (60, 60)])
        time.sleep(3)  # no tick that came due during the run plays afterwards
        self.assertEqual(len(target.events("WM_LBUTTONDOWN")), 2)

    def test_a_second_copy_reports_the_seven_hotkeys_in_order(self):
        self.start_program()
        target = self.target()
        second_exe = self.wine.install_program("second-copy")
        macro = second_exe.parent / "macro.qd"
        macro.write_bytes(script(click_row(target.screen_point(20, 20))))
        second = self.wine.start(second_exe, windows_path(macro))
        names = ["F11", "F3", "CTRL+空格", "Ctrl+回车", "CTRL+S", "Ctrl+Q", "F9"]
        for name in names:
            box = wait_until(lambda: next((d for d in self.wine.dialogs("蓝豆程序集")), None), 15)
            self.assertIsNotNone(box, f"no message for {name}")
            self.assertIn(f"注册{name}键失败。可能为热键冲突，杀毒软件拦截。请尝试重新打开，如果不行请重启计算机。",
                          [c["text"] for c in box["controls"]])
            self.click_dialog_button(box, "OK")
            wait_until(lambda: not self.wine.dialogs("蓝豆程序集") or
                       self.wine.dialogs("蓝豆程序集")[0]["controls"] != box["controls"], 5)
        counted = wait_until(lambda: self.wine.probe("count", MAIN) == 2, 10)
        self.assertTrue(counted, self.wine.probe("count", MAIN))
        # The second copy (on top, the one with the macro's row) plays without hotkeys; the first
        # copy's hotkeys still work.
        self.assertEqual(len(self.rows()), 1)
        self.wine.click_control(self.controls()["按钮_运行"])
        self.assertTrue(wait_until(lambda: target.events("WM_LBUTTONDOWN"), 10))
        second.kill()
        second.wait()
        self.assertTrue(wait_until(lambda: self.wine.probe("count", MAIN) == 1, 10))
        self.wine.xdotool("mousemove", "--sync", "123", "234")
        self.wine.key("F3")
        self.assertTrue(wait_until(lambda: any(
            c["text"] == "123" for c in self.wine.window(MOUSE_EDITOR)["controls"]), 5))


if __name__ == "__main__":
    unittest.main()
