"""The notice page read at start-up, the help and video panels and the links, with the program
built to read its page from a server of the test's own and its browser replaced by a script
that logs what it is asked to open."""

import time
import unittest

import harness
from harness import MAIN, ProgramTest, centre, wait_until
from notice_server import ADDRESSES, NoticeServer

UPDATE_CAPTION = "蓝豆程序集_豆荚鼠键更新"
CREATED_ADVERTISEMENT = "蓝豆程序集"  # the advertisement line until the notice page has been read
IDYES, IDNO = 6, 7
SITE = ADDRESSES["LANDOU_AUTHOR_SITE_ADDRESS"]
CHAT = ADDRESSES["LANDOU_AUTHOR_CHAT_LINK"]
VIDEO = ADDRESSES["LANDOU_DEMO_VIDEO_ADDRESS"]


def gbk(text: str) -> bytes:
    return text.encode("gbk")


SERVER = NoticeServer()


def setUpModule():
    SERVER.start()
    wine = harness.SESSION
    wine.runs.mkdir(parents=True, exist_ok=True)
    script = wine.runs / "browser.sh"
    script.write_text(f'#!/bin/sh\nprintf "%s\\n" "$*" >> "{browser_log()}"\n')
    script.chmod(0o755)
    # Wine's browser hands web addresses to the script; the chat link's scheme goes to it too.
    wine.run_quietly("reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", "Browsers", "/d", str(script), "/f")
    wine.run_quietly("reg", "add", r"HKLM\Software\Classes\im", "/v", "URL Protocol", "/d", "", "/f")
    wine.run_quietly("reg", "add", r"HKLM\Software\Classes\im\shell\open\command", "/ve", "/d",
                     'C:\\windows\\system32\\winebrowser.exe "%1"', "/f")


def tearDownModule():
    SERVER.stop()


def browser_log():
    return harness.SESSION.runs / "browser.log"


class OnlineProgramTest(ProgramTest):
    """The online build, an empty notice page unless the test serves another, nothing opened yet."""

    online = True

    def setUp(self):
        browser_log().unlink(missing_ok=True)
        SERVER.serve(b"")
        SERVER.requests.clear()
        super().setUp()

    def opened(self) -> list:
        return browser_log().read_text().splitlines() if browser_log().exists() else []

    def place(self, name):
        return self.controls()[name]["place"][:2]

    def press(self, name, dx=20, dy=8):
        """A click near the top left of the control, where its text is."""
        rect = self.controls()[name]["screen"]
        self.wine.click(rect[0] + dx, rect[1] + dy)


class NoticePageTest(OnlineProgramTest):
    start_program_in_setup = False

    def start_until_started(self) -> float:
        """Starts the program and waits until its start-up has finished, that is until the
        advertisement line no longer shows its caption of creation; the seconds that took."""
        started = time.monotonic()
        self.start_program()
        self.wait_until_started()
        return time.monotonic() - started

    def wait_until_started(self):
        self.assertIsNotNone(self.wine.text_changed(MAIN, "透明标签3", CREATED_ADVERTISEMENT, 40), "start-up did not finish")

    def advertisement(self) -> str:
        return self.controls()["透明标签3"]["text"]

    def restart(self):
        self.wine.stop_programs()
        self.exe = self.wine.install_program(self._testMethodName, program=self.wine.online_program)

    def test_the_advertisement_shows_and_a_press_on_it_opens_its_link(self):
        SERVER.serve(gbk("<p>鼠键广告[蓝豆 新功能]</p><a>链接[http://landou-ad.test/新]</a>"))
        self.start_until_started()
        self.assertEqual(self.advertisement(), "蓝豆 新功能")
        self.assertEqual(SERVER.paths(), ["/notice.txt"])  # one read for both steps
        self.assertEqual(self.wine.dialogs(), [])  # no update address: no offer
        self.press("透明标签3")
        self.assertTrue(wait_until(lambda: self.opened() == ["http://landou-ad.test/%E6%96%B0"]
                                   or self.opened() == ["http://landou-ad.test/新"]), self.opened())

    def test_an_update_is_offered_yes_opens_its_address_and_no_nothing(self):
        page = gbk("更新内容[蓝豆有新版本，是否更新？]更新地址[http://landou-update.test/new.zip]")
        for answer in (IDNO, IDYES):
            with self.subTest(answer=answer):
                self.restart()
                SERVER.serve(page)
                self.start_program()
                offer = self.wine.wait_dialog(UPDATE_CAPTION)
                self.assertIsNotNone(offer, "no update offer")
                self.assertIn("蓝豆有新版本，是否更新？", [c["text"] for c in offer["controls"]])
                button = next(c for c in offer["controls"] if c["id"] == answer)
                self.wine.click(*centre(button["screen"]))
                self.assertTrue(wait_until(lambda: not self.wine.dialogs(UPDATE_CAPTION)))
                expected = ["http://landou-update.test/new.zip"] if answer == IDYES else []
                self.assertTrue(wait_until(lambda: self.opened() == expected, 5), self.opened())

    def test_links_from_the_page_that_are_no_web_addresses_are_never_opened(self):
        SERVER.serve(gbk("鼠键广告[点这里]链接[C:\\windows\\notepad.exe]"
                              "更新内容[新版本]更新地址[file:///C:/windows/notepad.exe]"))
        self.start_until_started()
        self.assertEqual(self.advertisement(), "点这里")
        self.assertEqual(self.wine.dialogs(), [])
        self.press("透明标签3")
        time.sleep(2)
        self.assertEqual(self.opened(), [])
        self.assertIsNone(self.wine.probe("foreign", "Notepad", "Edit"))

    def test_bad_pages_show_what_arrived_and_offer_nothing_they_do_not_hold(self):
        update = "更新内容[新版本]更新地址[http://landou-update.test/new.zip]"
        cases = [
            # (behaviour, body, the advertisement line afterwards)
            ("error", gbk("鼠键广告[错误页]" + update), ""),
            ("cut", b"\x81\xff" + gbk("鼠键广告[前半]") + b"\x80" * 4096 + gbk(update), "前半"),
            ("page", gbk("鼠键广告[一兆]") + b"x" * (1 << 20) + gbk(update), "一兆"),
            ("page", gbk("鼠键广告[没有结尾" + update.replace("]", "")), ""),
        ]
        for behaviour, body, advertisement in cases:
            with self.subTest(behaviour=behaviour, size=len(body)):
                self.restart()
                SERVER.serve(body, behaviour)
                self.start_until_started()
                self.assertEqual(self.advertisement(), advertisement)
                self.assertEqual(self.wine.dialogs(), [])

    def test_a_server_that_never_answers_or_trickles_holds_start_up_for_one_deadline_and_messages_for_none(self):
        SERVER.stop()
        try:
            baseline = self.start_until_started()  # nothing listens: the read fails at once
            self.assertEqual(self.advertisement(), "")
        finally:
            SERVER.start()
        for behaviour in ("silent", "trickle"):
            with self.subTest(behaviour=behaviour):
                self.restart()
                SERVER.serve(gbk("鼠键广告[慢]" + " " * 100), behaviour)
                started = time.monotonic()
                self.start_program()
                # While the read waits, what is sent to the window is answered.
                self.assertIsNotNone(self.wine.answers(MAIN, 3), "the window does not answer during the read")
                self.assertEqual(self.advertisement(), CREATED_ADVERTISEMENT)
                self.wait_until_started()
                seconds = time.monotonic() - started
                self.assertLess(seconds, baseline + 5 + 3, f"start-up took {seconds:.1f} s, {baseline:.1f} s offline")
                self.assertEqual(self.advertisement(), "")  # no marker arrived whole
                self.assertEqual(SERVER.paths(), ["/notice.txt"])
                SERVER.requests.clear()


class PanelsTest(OnlineProgramTest):
    def help_enabled(self):
        return self.controls()["工具条_添加工具"]["entries"][10]["enabled"]

    def open_help(self):
        self.click_toolbar_entry(10)
        self.assertTrue(wait_until(lambda: self.place("分组框_程序帮助") == [0, 23], 5))

    def open_video(self):
        self.press("标签_查看视屏演示")
        self.assertTrue(wait_until(lambda: self.place("分组框_视频演示") == [0, 0], 5))

    def test_help_slides_in_and_out_and_its_entry_is_disabled_between(self):
        self.assertEqual(self.place("分组框_程序帮助"), [510, 23])
        self.open_help()
        self.assertFalse(self.help_enabled())
        self.wine.click_control(self.controls()["按钮_关闭"])
        self.assertTrue(wait_until(lambda: self.place("分组框_程序帮助") == [510, 23], 5))
        self.assertTrue(self.help_enabled())

    def test_the_video_panel_comes_down_with_the_video_and_goes_back_to_a_blank_page(self):
        self.open_help()
        self.open_video()
        self.assertEqual(self.controls()["超文本浏览框_视频演示"]["text"], VIDEO)
        # Under Wine the browser control is made and fetches the page, but has no engine to show it.
        browser = [c["class"] for c in self.wine.window(MAIN)["controls"] if c["parent"] == "超文本浏览框_视频演示"]
        self.assertIn("Shell Embedding", browser)
        self.assertTrue(wait_until(lambda: "/video.html" in SERVER.paths(), 10), SERVER.paths())
        self.wine.click_control(self.controls()["按钮_撤销"])
        self.assertTrue(wait_until(lambda: self.place("分组框_视频演示") == [0, -360], 5))
        self.assertTrue(wait_until(lambda: self.controls()["超文本浏览框_视频演示"]["text"] == "about:blank"))
        self.assertEqual(self.place("分组框_程序帮助"), [0, 23])  # the help panel stays where it was
        self.assertEqual(self.wine.dialogs(), [])
        self.assertIsNotNone(self.wine.answers(MAIN, 5))

    def test_the_fixed_links_open_their_addresses(self):
        self.click_toolbar_entry(12)
        self.assertTrue(wait_until(lambda: self.opened() == [CHAT], 10), self.opened())
        self.click_toolbar_entry(13)
        self.assertTrue(wait_until(lambda: self.opened() == [CHAT, SITE], 10), self.opened())
        self.open_help()
        self.press("超级链接框_蓝豆领地")
        self.assertTrue(wait_until(lambda: self.opened() == [CHAT, SITE, SITE], 10), self.opened())
        self.open_video()
        self.wine.click_control(self.controls()["按钮_撤销1"])
        self.assertTrue(wait_until(lambda: self.opened() == [CHAT, SITE, SITE, VIDEO], 10), self.opened())


class FirstStartTest(OnlineProgramTest):
    first_start = True

    def test_the_help_panel_slides_in_at_the_first_start_and_help_stays_enabled(self):
        self.assertTrue(wait_until(lambda: self.place("分组框_程序帮助") == [0, 23], 5))
        self.assertTrue(self.controls()["工具条_添加工具"]["entries"][10]["enabled"])
        marker = self.exe.parent / "kv3170"
        self.assertTrue(marker.exists())
        self.assertEqual(marker.stat().st_size, 0)
        self.wine.click_control(self.controls()["按钮_关闭"])
        self.assertTrue(wait_until(lambda: self.place("分组框_程序帮助") == [510, 23], 5))


if __name__ == "__main__":
    unittest.main()
