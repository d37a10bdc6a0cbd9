"""The automation component written out and registered at every start."""

import shutil
import unittest

import harness
from harness import MAIN, wait_until
from test_component import CLASS_KEY


class InstallationTest(unittest.TestCase):
    def setUp(self):
        self.wine = harness.SESSION
        self.wine.stop_programs()
        self.component = self.wine.drive_c() / "windows" / "qdauto.dll"
        self.remove_component()
        self.exe = self.wine.install_program(self.id().rsplit(".", 1)[-1], first_start=True)

    def tearDown(self):
        self.wine.stop_programs()
        self.remove_component()

    def remove_component(self):
        if self.component.is_dir():
            shutil.rmtree(self.component)
        else:
            self.component.unlink(missing_ok=True)

    def test_the_first_start_writes_registers_and_uses_the_component(self):
        self.wine.run_quietly("reg", "delete", CLASS_KEY, "/f")  # as on a machine that never had it
        self.wine.start(self.exe)
        self.assertTrue(self.wine.wait_window(MAIN))
        self.assertTrue(wait_until(self.component.exists))
        self.assertEqual(self.component.read_bytes(), (self.wine.bin / "qdauto.dll").read_bytes())
        self.assertEqual(self.wine.dialogs(), [])
        self.assertEqual(self.wine.registry_text(CLASS_KEY + "\\InprocServer32"), "C:\\windows\\qdauto.dll")
        self.assertEqual(self.wine.registry_text(CLASS_KEY + "\\InprocServer32", "ThreadingModel"), "Both")
        # The object made right after registration plays: the cursor lock pulls the cursor back.
        self.wine.xdotool("mousemove", "--sync", "321", "432")
        self.wine.key("F3", "ctrl+s")
        self.wine.xdotool("mousemove", "700", "600")
        self.assertTrue(wait_until(lambda: self.wine.probe("cursor") == [321, 432], 3, 0.05))
        self.wine.key("ctrl+q")

    def test_an_unwritable_and_unloadable_component_is_reported_and_start_up_goes_on(self):
        self.component.mkdir()  # a folder in its place: it can be neither written nor loaded
        self.wine.start(self.exe)
        message = self.wine.wait_dialog("蓝豆程序集")
        self.assertIsNotNone(message, "no message box")
        texts = [c["text"] for c in message["controls"]]
        self.assertIn("注册插件失败，请退出流氓杀毒软件后重新打开此软件", texts)
        ok = next(c for c in message["controls"] if c["class"] == "Button" and c["visible"])
        self.wine.click(*harness.centre(ok["screen"]))
        self.assertTrue(wait_until(lambda: not self.wine.dialogs("蓝豆程序集")))
        self.assertTrue(self.wine.wait_window(MAIN))
        self.assertTrue(wait_until(lambda: (self.exe.parent / "kv3170").exists()))  # the rest of start-up ran


if __name__ == "__main__":
    unittest.main()
