"""The automation component written out and registered at every start."""

import os
import shutil
import subprocess
import time
import unittest

import harness
from harness import MAIN, wait_until
from test_component import CLASS_KEY


class InstallationTest(unittest.TestCase):
    def setUp(self):
        self.wine = harness.SESSION
        self.wine.stop_programs()
        self.component = self.wine.drive_c() / "windows" / "qdauto.dll"
        self.component32 = self.wine.drive_c() / "windows" / "syswow64" / "qdauto.dll"
        self.user = os.environ.get("USER", "root")
        self.user_component = self.wine.drive_c() / "users" / self.user / "AppData" / "Local" / "Landou" / "qdauto.dll"
        self.remove_component()
        self.exe = self.wine.install_program(self.id().rsplit(".", 1)[-1], first_start=True)

    def tearDown(self):
        self.wine.stop_programs()
        self.remove_component()

    def remove_component(self):
        for file in (self.component, self.user_component, self.component32):
            if file.is_dir():
                shutil.rmtree(file)
            else:
                file.unlink(missing_ok=True)

    def test_the_first_start_writes_registers_and_uses_the_component(self):
        self.wine.run_quietly("reg", "delete", CLASS_KEY, "/f")  # as on a machine that never had it
        self.wine.start(self.exe)
        self.assertTrue(self.wine.wait_window(MAIN))
        self.assertTrue(wait_until(self.component.exists))
        self.assertEqual(self.component.read_bytes(), (self.wine.bin / "qdauto.dll").read_bytes())
        self.assertEqual(self.wine.dialogs(), [])
        self.assertEqual(self.wine.registry_text(CLASS_KEY + "\\InprocServer32"), "C:\\windows\\qdauto.dll")
        self.assertEqual(self.wine.registry_text(CLASS_KEY + "\\InprocServer32", "ThreadingModel"), "Both")
        self.assertTrue(self.works())  # the object made right after registration
        if self.wine.has_32_bit_side():  # the 32-bit one beside it, for 32-bit hosts
            self.assertTrue(wait_until(lambda: self.component32.exists() and self.component32.read_bytes() ==
                                       (self.wine.bin / "x86" / "qdauto.dll").read_bytes(), 15))
            # (A 32-bit program may see the 32-bit system folder under the name of the 64-bit one.)
            self.assertTrue(wait_until(lambda: self.wine.registry_text(CLASS_KEY + "\\InprocServer32", reg=harness.tool32(
                "reg")) in ("C:\\windows\\syswow64\\qdauto.dll", "C:\\windows\\system32\\qdauto.dll"), 15))

    def works(self):
        """The object plays: the cursor lock pulls the cursor back to the captured point."""
        self.assertTrue(self.wine.point_at(321, 432))
        self.wine.key("F3", "ctrl+s")
        self.wine.xdotool("mousemove", "700", "600")
        held = wait_until(lambda: self.wine.probe("cursor") == [321, 432], 3, 0.05)
        self.wine.key("ctrl+q")
        return held

    def test_an_older_component_that_the_program_loaded_first_is_replaced_and_used(self):
        older = (self.wine.bin / "qdauto.dll").read_bytes() + b"an older build"
        self.component.write_bytes(older)  # loadable still, but not what the program carries
        embedded32 = (self.wine.bin / "x86" / "qdauto.dll").read_bytes()
        if self.wine.has_32_bit_side():
            self.component32.write_bytes(embedded32 + b"an older build")
        self.assertEqual(self.wine.run_quietly("regsvr32", "/s", "C:\\windows\\qdauto.dll"), 0)
        self.wine.start(self.exe)
        self.assertTrue(self.wine.wait_window(MAIN))
        embedded = (self.wine.bin / "qdauto.dll").read_bytes()
        self.assertTrue(wait_until(lambda: self.component.read_bytes() == embedded, 10))
        self.assertEqual(self.wine.dialogs(), [])
        self.assertTrue(self.works())
        if self.wine.has_32_bit_side():
            self.assertTrue(wait_until(lambda: self.component32.read_bytes() == embedded32, 15))

    def test_where_the_windows_folder_refuses_the_component_goes_to_the_users_folder(self):
        self.wine.run_quietly("reg", "delete", CLASS_KEY, "/f")  # no earlier start left one
        self.component.mkdir()  # something in the way: it can be neither written nor loaded
        self.wine.start(self.exe)
        self.assertTrue(self.wine.wait_window(MAIN))
        self.assertTrue(wait_until(self.user_component.exists, 10))
        self.assertEqual(self.user_component.read_bytes(), (self.wine.bin / "qdauto.dll").read_bytes())
        # A copy the user may replace is registered for the user alone, though the start could
        # write the machine's classes (Wine as root). (Wine reads classes from the machine's
        # keys only, so the object is not made here; Windows finds the user's first.)
        user_key = CLASS_KEY.replace("HKLM", "HKCU", 1)
        self.assertTrue(wait_until(lambda: self.wine.registry_text(user_key + "\\InprocServer32"), 10))
        self.assertEqual(self.wine.registry_text(user_key + "\\InprocServer32"),
                         f"C:\\users\\{self.user}\\AppData\\Local\\Landou\\qdauto.dll")
        self.assertIsNone(self.wine.registry_text(CLASS_KEY + "\\InprocServer32"))
        self.assertEqual(self.wine.dialogs(), [])

    def test_a_library_named_as_a_system_one_beside_the_program_is_never_loaded(self):
        planted = self.exe.parent / "wininet.dll"
        shutil.copy(self.wine.bin / "planted" / "wininet.dll", planted)
        # Wine prefers its own libraries; with this it searches for a file first, as Windows does.
        env = dict(self.wine.env, WINEDLLOVERRIDES="mscoree,mshtml=;wininet,winmm=n,b")
        self.wine.started.append(subprocess.Popen(
            ["wine", str(self.exe)], env=env, cwd=str(self.exe.parent), stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        self.assertTrue(self.wine.wait_window(MAIN))
        time.sleep(2)  # the notice page read, the first use of the library, is over
        self.assertFalse(planted.with_name("wininet.dll.loaded").exists())
        self.assertIsNotNone(self.wine.answers(MAIN, 5))

    def test_an_unwritable_and_unloadable_component_is_reported_and_start_up_goes_on(self):
        self.component.mkdir()  # a folder in its place: it can be neither written nor loaded
        self.user_component.mkdir(parents=True)  # and in the user's folder too
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
