"""The browser page in a real headless Chromium: it loads from its folder and from a static
server with no console error and no request outside its folder, its keys and clicks do what the
desktop program's do, pause holds the picture, a lost context comes back, and a browser without
WebGL 2 is told so in French. Usage: page_test.py PAGE_FOLDER [unittest arguments]."""

import os
import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from page_driver import Page, StaticServer, wait_for   # noqa: E402

FOLDER = Path(sys.argv.pop(1)).resolve()
HERE = Path(__file__).resolve().parent
BACKGROUND = [13, 13, 13]                   # the clear colour, 0.05 grey, as 8 bits

# The canvas pixels the desktop's pick pass gives these groups at 270 degrees under the start
# camera, 800 x 600 (tests/gl/web_pick_points_gl_test.cpp checks them on the desktop).
def pick_points():
    for line in (HERE / "pick_points.txt").read_text().splitlines():
        if line and not line.startswith("#"):
            x, y, group, name = line.split()
            yield int(x), int(y), int(group), name


class LoadedPage(unittest.TestCase):
    def open(self, url, flags=()):
        self.page = Page(url, flags)
        self.addCleanup(self.page.close)
        return self.page

    def assert_clean_load(self, page, folder_url):
        page.wait_until_drawn()
        wait_for(lambda: page.text("title"), what="the stroke title")
        self.assertEqual(page.console_errors(), [])
        outside = [u for u in page.requested_urls() if not (u.startswith(folder_url) or u.startswith("data:"))]
        self.assertEqual(outside, [])
        # The engine is drawn: the canvas is not the background alone.
        corners_and_middle = page.pixels([[400, 300], [300, 250], [500, 350], [10, 10]])
        self.assertTrue(any(p != BACKGROUND for p in corners_and_middle[:3]), corners_and_middle)


class Loading(LoadedPage):
    def test_from_its_folder(self):
        page = self.open((FOLDER / "index.html").as_uri())
        self.assert_clean_load(page, FOLDER.as_uri() + "/")

    def test_from_a_static_server(self):
        server = StaticServer(str(FOLDER))
        self.addCleanup(server.stop)
        page = self.open(server.url)
        self.assert_clean_load(page, server.url)

    def test_without_webgl2_it_says_so_in_french(self):
        page = self.open((FOLDER / "index.html").as_uri(), ["--disable-webgl2"])
        message = wait_for(lambda: page.text("message"), what="the message")
        self.assertIn("WebGL\u00a02", message)
        self.assertIn("navigateur", message)


class Controls(LoadedPage):
    def setUp(self):
        self.page = self.open((FOLDER / "index.html").as_uri())
        self.page.wait_until_drawn()

    def test_stroke_keys_show_each_strokes_title_in_order(self):
        page = self.page
        for angle, title in [(270, "Temps 2\u00a0: Compression"), (365, "Temps 3\u00a0: Combustion-détente (temps moteur)"),
                             (630, "Temps 4\u00a0: Échappement"), (90, "Temps 1\u00a0: Admission")]:
            page.keys("n")
            wait_for(lambda: float(page.state("angle")) == angle, what=f"the angle {angle}")
            wait_for(lambda: page.text("title") == title, what=title)
            self.assertEqual(page.text("pause"), f"En pause à {angle}°")

    def test_pause_holds_the_picture(self):
        page = self.page
        self.assertNotEqual(page.frame(), (time.sleep(0.3), page.frame())[1], "the engine does not run")
        page.keys(" ")
        wait_for(lambda: page.text("pause"), what="the pause line")
        held = page.frame()
        time.sleep(0.5)
        self.assertEqual(page.frame(), held)
        page.keys(" ")
        wait_for(lambda: page.text("pause") is None, what="the resume")

    def test_a_click_picks_what_the_desktop_picks(self):
        page = self.page
        page.keys("n")                       # 270 degrees, paused
        wait_for(lambda: float(page.state("angle")) == 270, what="270 degrees")
        for x, y, group, name in pick_points():
            page.keys("1")                   # nothing singled out before each click
            wait_for(lambda: page.state("group") == "0", what="the whole engine")
            page.click(x, y)
            wait_for(lambda: page.state("group") == str(group), timeout_s=5, what=f"{name} picked at {x}, {y}")

    def test_labels_help_wheel_middle_button_and_zoom(self):
        page = self.page
        for key, words in [("3", ["Piston", "Vilebrequin"]), ("4", ["Soupapes", "Échappement", "Admission"]),
                           ("2", ["Caisson", "Collecteur d’échappement", "Tubulure d’admission", "Bougie"])]:
            page.keys(key)
            wait_for(lambda: page.visible_labels() == words, what=f"the labels {words}")
        self.assertIn("a\u00a0: aide", page.text("help"))
        page.keys("a")
        wait_for(lambda: page.text("help") is None, what="the help hidden")
        # A wheel step forward slows it down, as on the desktop under X; the middle button resets.
        for event, speed in [("wheel", "0,0"), ("wheel", "-0,1"), ("middle", "0,1")]:
            page.mouse(event, 400, 300)
            wait_for(lambda: page.text("speed") == f"Vitesse\u00a0: {speed}\u00a0tr/s", what=f"the speed {speed}")
        # A right drag upwards zooms in: the held picture changes.
        page.keys(" ")
        held = page.frame()
        page.mouse("right", 400, 300)
        page.mouse("move", 400, 100, buttons=2)
        self.assertNotEqual(page.frame(), held)

    def test_a_lost_context_comes_back(self):
        page = self.page
        page.script("window.lose = document.getElementById('canvas').getContext('webgl2')"
                    ".getExtension('WEBGL_lose_context'); window.lose.loseContext();")
        wait_for(lambda: page.text("message"), what="the lost-context message")
        page.script("window.lose.restoreContext();")
        wait_for(lambda: page.text("message") is None, what="the context back")
        wait_for(lambda: any(p != BACKGROUND for p in page.pixels([[400, 300], [300, 250], [500, 350]])),
                 what="the engine drawn again")


if __name__ == "__main__":
    unittest.main()
