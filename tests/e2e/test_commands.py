"""Composing a macro: the two editors, the list and its context menu, by mouse and keyboard."""

import unittest

from harness import KEY_EDITOR, MOUSE_EDITOR, ProgramTest, centre, wait_until


class CommandsTest(ProgramTest):
    def click_row(self, index, button=1):
        rect = self.controls()["超级列表框_鼠标命令"]["rowRects"][index]
        self.wine.click(rect[0] + 20, rect[1] + rect[3] // 2, button)

    def open_add_panel_and_click(self, button):
        self.click_toolbar_entry(1)
        self.wine.click_control(self.controls()[button])

    def type_into(self, caption, box, text):
        """Clicks into the box, empties it and types."""
        self.wine.click_control(self.controls(caption)[box])
        self.wine.key("ctrl+a", "BackSpace")
        if text:
            self.wine.type(text)

    def compose_mouse_row(self, x, y, delay, mode_steps):
        self.type_into(MOUSE_EDITOR, "编辑框_X坐标", x)
        self.type_into(MOUSE_EDITOR, "编辑框_Y坐标", y)
        self.type_into(MOUSE_EDITOR, "编辑框_点击频率", delay)
        # The click mode: open the drop-down, step down from the first entry, take it.
        self.wine.click_control(self.controls(MOUSE_EDITOR)["组合框1"])
        self.wine.key("Home", *["Down"] * mode_steps, "Return")
        self.wine.click_control(self.controls(MOUSE_EDITOR)["按钮_添加命令"])

    def test_composing_inserting_modifying_and_deleting_rows(self):
        self.open_add_panel_and_click("按钮_添加鼠标")
        self.assertTrue(self.wine.wait_window(MOUSE_EDITOR))
        self.assertEqual(self.controls(MOUSE_EDITOR)["按钮_添加命令"]["text"], "确认添加\r\nCtrl+回车")
        self.compose_mouse_row("100", "200", "1500", 1)
        self.compose_mouse_row("110", "210", "", 0)
        self.compose_mouse_row("-5", "", "0", 3)
        self.assertEqual(self.rows(), [
            ["1", "鼠标", "100", "200", "左键单击", "1500", "*"],
            ["2", "鼠标", "110", "210", "移动到此", "100", "*"],
            ["3", "鼠标", "-5", "0", "右键单击", "0", "*"],
        ])
        self.assertTrue(self.wine.window(MOUSE_EDITOR)["visible"])  # add mode stays open

        # Insert after the first row.
        self.click_row(0)
        self.open_add_panel_and_click("按钮_插入鼠标")
        self.assertEqual(self.controls(MOUSE_EDITOR)["按钮_添加命令"]["text"], "插入\r\nCtrl+回车")
        self.compose_mouse_row("7", "8", "9", 2)
        self.assertTrue(self.wine.wait_window(MOUSE_EDITOR, "hidden", 5))
        self.assertEqual(self.rows()[1], ["4", "鼠标", "7", "8", "左键双击", "9", "*"])

        # Modify the third row through the toolbar.
        self.click_row(2)
        self.click_toolbar_entry(4)
        self.assertTrue(self.wine.wait_window(MOUSE_EDITOR))
        editor = self.controls(MOUSE_EDITOR)
        self.assertEqual((editor["编辑框_X坐标"]["text"], editor["按钮_添加命令"]["text"]), ("110", "确认修改"))
        self.type_into(MOUSE_EDITOR, "编辑框_X坐标", "999")
        self.wine.click_control(self.controls(MOUSE_EDITOR)["按钮_添加命令"])
        self.assertTrue(self.wine.wait_window(MOUSE_EDITOR, "hidden", 5))
        self.assertEqual(self.rows()[2], ["4", "鼠标", "999", "210", "移动到此", "100", "*"])

        # Delete the first row through the context menu: right click, its first item.
        self.click_row(0, button=3)
        self.wine.key("Down", "Return")
        self.assertTrue(wait_until(lambda: len(self.rows()) == 3))
        self.assertEqual([r[2] for r in self.rows()], ["7", "999", "-5"])

    def test_text_and_key_rows_and_the_key_code_table(self):
        self.open_add_panel_and_click("按钮2")
        self.assertTrue(self.wine.wait_window(KEY_EDITOR))
        text = "hello world, " * 11  # longer than the program reads a box's text in one go
        self.type_into(KEY_EDITOR, "编辑框_输入文字", text)
        self.wine.click_control(self.controls(KEY_EDITOR)["按钮_添加"])
        self.type_into(KEY_EDITOR, "编辑框1", "enter")
        self.wine.click_control(self.controls(KEY_EDITOR)["按钮_添加模拟按键"])
        self.assertEqual(self.rows(), [["1", "键盘", "*", "*", "*", "*", text],
                                       ["2", "模拟", "*", "*", "*", "*", "enter"]])

        # A double click empties the box.
        box = self.controls(KEY_EDITOR)["编辑框1"]
        self.wine.click(*centre(box["screen"]), repeat=2)
        self.assertEqual(self.controls(KEY_EDITOR)["编辑框1"]["text"], "")

        # Text files open in notepad, as on Windows (this Wine prefix lacks the ".txt" class).
        self.wine.run_quietly("reg", "add", r"HKCR\.txt", "/ve", "/d", "txtfile", "/f")
        table = self.exe.parent / "蓝豆程序集_键代码对照表.txt"
        self.assertFalse(table.exists())
        self.wine.click_control(self.controls(KEY_EDITOR)["标签4"])
        self.assertTrue(wait_until(lambda: table.exists() and table.stat().st_size == 1705))
        self.assertEqual(table.read_bytes()[:12], "可以直接输入".encode("gbk"))
        # The shell opened it: the viewer for text files shows the file.
        self.assertTrue(wait_until(lambda: self.wine.probe("foreign", "蓝豆程序集_键代码对照表", "Edit"), 15))


if __name__ == "__main__":
    unittest.main()
