"""The release package: unpacked into a Wine prefix that has never seen the program, it starts,
registers its component and associates its data files with the icon beside it."""

import hashlib
import shutil
import subprocess
import unittest
import zipfile
from pathlib import Path

import harness
from harness import MAIN, wait_until

CLASS_KEY = r"HKLM\Software\Classes\CLSID\{28E8983D-6D4F-434A-AB18-9FF8684D4FD3}"


class PackageTest(unittest.TestCase):
    def setUp(self):
        session = harness.SESSION
        packages = sorted((session.bin.parent.parent / "dist").glob("landou-*-win64.zip"))
        self.assertTrue(packages, "no package: scripts/package.sh makes it")
        self.package = packages[-1]
        prefix = session.runs.parent / "wine-package"
        shutil.rmtree(prefix, ignore_errors=True)
        self.wine = harness.Wine(session.bin.parent, prefix, session.runs)
        subprocess.run(["wineboot", "-i"], env=self.wine.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       check=True, timeout=180)
        self.wine.open_session()

    def tearDown(self):
        self.wine.stop_programs()
        self.wine.shut_down()

    def test_the_unpacked_program_starts_and_installs_itself(self):
        digest = hashlib.sha256(self.package.read_bytes()).hexdigest()
        self.assertEqual(Path(str(self.package) + ".sha256").read_text().split(), [digest, self.package.name])
        folder = self.wine.drive_c() / "Program Files" / "Landou"
        with zipfile.ZipFile(self.package) as archive:
            top = self.package.name[:-len(".zip")]
            names = set(archive.namelist())
            for wanted in ("landou.exe", "Vuve3.ico", "LICENSE", "使用说明.md", "examples/notepad-note.qd",
                           "examples/move-click-type.vbs", "screenshots/help-panel.png"):
                self.assertIn(f"{top}/{wanted}", names)
            archive.extractall(folder.parent)
        (folder.parent / top).rename(folder)

        process = self.wine.start(folder / "landou.exe")
        self.assertTrue(self.wine.wait_window(MAIN, seconds=60), "the main window did not show")
        # The component and the association are written just after the window shows.
        self.assertEqual(wait_until(lambda: self.wine.registry_text(CLASS_KEY + r"\InprocServer32"), 20),
                         r"C:\windows\qdauto.dll")
        self.assertEqual(wait_until(lambda: self.wine.registry_text(r"HKCR\qdfile\DefaultIcon"), 20),
                         r"C:\Program Files\Landou\Vuve3.ico,0")
        self.assertEqual((self.wine.drive_c() / "windows" / "qdauto.dll").read_bytes(),
                         (self.wine.bin / "qdauto.dll").read_bytes())
        self.assertIsNone(process.poll())


if __name__ == "__main__":
    unittest.main()
