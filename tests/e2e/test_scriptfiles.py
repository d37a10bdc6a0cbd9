"""Data files: export through the input box, import through the open-file dialog, a file named
on the command line, and the ".qd" association."""

import json
import unittest
from pathlib import Path

from harness import MAIN, ProgramTest, wait_until, windows_path

ROWS = [
    ["鼠标", "100", "-200", "左键单击", "1500", "*"],
    ["键盘", "*", "*", "*", "*", "中文 text 😀 5€ ⺁"],  # beyond GBK: four- and two-byte forms
    ["模拟", "*", "*", "*", "*", "enter"],
    ["延时", "*", "*", "*", "*", "10秒"],
]
SAMPLE = "".join("]]][[[".join(row) + "+++---" for row in ROWS).encode("gb18030")


def numbered(rows, first=1):
    return [[str(first + i), *row] for i, row in enumerate(rows)]


class ScriptFilesTest(ProgramTest):
    start_program_in_setup = False

    def setUp(self):
        super().setUp()
        for old in self.wine.desktop().glob("*.qd"):
            old.unlink()

    def start_program(self, *args, cwd=None):
        """Starts the program and waits for its start-up to end (the notice page is its last
        step), so that the file named on the command line has been read."""
        super().start_program(*args, cwd=cwd)
        self.assertIsNotNone(self.wine.text_changed(MAIN, "透明标签3", "蓝豆程序集", 60), "start-up did not finish")

    def sample_file(self, name="a b.qd"):
        folder = self.exe.parent / "my files"
        folder.mkdir(exist_ok=True)
        (folder / name).write_bytes(SAMPLE)
        return folder / name

    def test_a_file_named_on_the_command_line_is_loaded(self):
        self.start_program(windows_path(self.sample_file()))  # one argument: Wine quotes it
        self.assertEqual(self.rows(), numbered(ROWS))

    def test_the_example_macros_load_from_the_command_line(self):
        examples = sorted((Path(__file__).resolve().parents[2] / "docs" / "examples").glob("*.qd"))
        self.assertEqual([e.name for e in examples], ["dialog-click-through.qd", "notepad-note.qd", "periodic-click.qd"])
        for example in examples:
            with self.subTest(example=example.name):
                self.wine.stop_programs()
                self.start_program(windows_path(example))
                records = example.read_bytes().decode("gbk").split("+++---")[:-1]
                self.assertEqual(self.rows(), numbered([record.split("]]][[[") for record in records]))

    def test_a_relative_path_is_taken_from_the_folder_the_program_starts_in(self):
        (self.exe.parent / "x.qd").write_bytes("]]][[[".join(ROWS[2]).encode("gbk") + b"+++---")
        folder = self.sample_file("x.qd").parent
        self.start_program("x.qd", cwd=folder)
        self.assertEqual(self.rows(), numbered(ROWS))

    def test_a_file_over_64_mib_appends_nothing_and_the_program_stays_up(self):
        record = "]]][[[".join(ROWS[2]).encode("gbk") + b"+++---"
        for mebibytes, rows in ((64, [ROWS[2]]), (65, [])):
            with self.subTest(mebibytes=mebibytes):
                path = self.exe.parent / f"{mebibytes}.qd"
                with open(path, "wb") as file:
                    file.write(record)
                    file.truncate(mebibytes << 20)  # the rest zero bytes, where the text ends
                self.start_program(windows_path(path))
                self.assertIsNotNone(self.wine.answers(MAIN, 30), "the window does not answer")
                self.assertEqual(self.rows(), numbered(rows))
                self.assertIsNone(self.process.poll())
                self.wine.stop_programs()

    def test_an_unquoted_path_with_spaces_loads_nothing(self):
        path = windows_path(self.sample_file())
        self.start_program(*path.split(" "))
        self.assertEqual(self.rows(), [])

    def test_export_writes_the_list_to_the_desktop(self):
        self.start_program(windows_path(self.sample_file()))
        exported = self.wine.desktop() / "macro 1.qd"
        exported.unlink(missing_ok=True)
        self.click_toolbar_entry(8)
        box = self.wine.wait_dialog("蓝豆程序集")
        self.assertIsNotNone(box, "no input box")
        self.assertIn("请输入保存名称", [c["text"] for c in box["controls"]])
        self.wine.type("macro 1")
        self.click_dialog_button(box, "确定")
        result = self.wine.wait_dialog("蓝豆")
        self.assertIn("导出数据成功", [c["text"] for c in result["controls"]])
        self.click_dialog_button(result, "OK")
        self.assertEqual(exported.read_bytes(), SAMPLE)

    def test_export_without_a_name_is_refused(self):
        self.start_program()
        self.click_toolbar_entry(8)
        box = self.wine.wait_dialog("蓝豆程序集")
        self.wine.type("   ")
        self.click_dialog_button(box, "确定")
        refusal = wait_until(lambda: next((d for d in self.wine.dialogs("蓝豆程序集")
                                           if "请输入保存名称" in [c["text"] for c in d["controls"]]
                                           and not any(c["class"] == "Edit" for c in d["controls"])), None))
        self.assertIsNotNone(refusal, "no refusal")
        self.click_dialog_button(refusal, "OK")
        self.assertEqual(list(self.wine.desktop().glob("*.qd")), [])

    def test_import_through_the_open_file_dialog(self):
        sample = self.sample_file("import me.qd")
        self.start_program()
        self.click_toolbar_entry(7)
        self.assertIsNotNone(self.wine.wait_dialog(""), "no file dialog")
        self.wine.type(windows_path(sample))
        self.wine.key("Return")
        self.assertTrue(wait_until(lambda: len(self.rows()) == len(ROWS)))
        self.assertEqual(self.rows(), numbered(ROWS))
        # A second import appends, numbered on from the count.
        self.click_toolbar_entry(7)
        self.wine.wait_dialog("")
        self.wine.type(windows_path(sample))
        self.wine.key("Return")
        self.assertTrue(wait_until(lambda: len(self.rows()) == 2 * len(ROWS)))
        self.assertEqual(self.rows()[len(ROWS):], numbered(ROWS, first=5))

    def test_the_association_is_written_at_start(self):
        choices = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.qd"
        self.wine.run_quietly("reg", "add", choices + "\\OpenWithList", "/v", "a", "/d", "other.exe", "/f")
        self.wine.run_quietly("reg", "add", choices + "\\OpenWithProgids", "/v", "otherfile", "/f")
        self.start_program()
        # The user's own choices are gone, the ".qd" key with them.
        self.assertTrue(wait_until(lambda: self.wine.run_quietly("reg", "query", choices) != 0, 20))
        program = windows_path(self.exe)
        folder = windows_path(self.exe.parent)
        self.assertTrue(wait_until(lambda: self.wine.registry_text("HKCR\\.qd") == "qdfile", 20))
        self.assertEqual(self.wine.registry_text("HKCR\\qdfile"), "qd")
        self.assertEqual(self.wine.registry_text("HKCR\\qdfile\\DefaultIcon"), folder + "\\Vuve3.ico,0")
        self.assertEqual(self.wine.registry_text("HKCR\\qdfile\\shell\\open\\command"), f'"{program}" "%1"')

    def test_every_character_survives_the_systems_code_page(self):
        report = json.loads(self.wine.output(str(self.wine.bin / "codepage-check.exe")))
        self.assertEqual(report["lost"], 0, report)
        self.assertGreater(report["checked"], 200000)


if __name__ == "__main__":
    unittest.main()
