"""The page for class in headless Chromium: buttons as keys, fingers, the projector's and a phone's
layouts, French names and the keyboard, the zip's page from file:// with no network.
Usage: buttons_test.py PAGE_FOLDER ZIP [unittest arguments]."""

import os, subprocess, sys, tempfile, unittest   # noqa: E401
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from page_driver import Page, wait_for   # noqa: E402

FOLDER, ZIP = Path(sys.argv.pop(1)).resolve(), Path(sys.argv.pop(1)).resolve()
# Each button's name, its key, and the key that undoes it (so that both start from one state).
KEYS = [("Pause", " ", " "), ("Temps précédent", "b", "n"), ("Temps suivant", "n", "b"), ("Un degré de moins", "j", "k"),
        ("Un degré de plus", "k", "j"), ("Moins vite", "-", "+"), ("Plus vite", "+", "-"), ("Vue\u00a0: Tarvex entier", "1", "3"),
        ("Vue\u00a0: caisson", "2", "1"), ("Vue\u00a0: piston et vilebrequin", "3", "2"), ("Vue\u00a0: soupapes", "4", "3"),
        ("Afficher les gaz", "5", "5"), ("Afficher le caisson", "6", "6"), ("Afficher les textures", "t", "t"),
        ("Explications détaillées", "e", "e"), ("Aide", "a", "a")]


class ClassPage(unittest.TestCase):
    def open(self, width=800, height=600, url=None):
        self.page = Page(url or (FOLDER / "index.html").as_uri())
        self.addCleanup(self.page.close), self.page.wait_until_drawn()
        inner = self.page.script("return [innerWidth, innerHeight]")
        size = self.page.driver.get_window_size()
        self.page.driver.set_window_size(size["width"] + width - inner[0], size["height"] + height - inner[1])
        wait_for(lambda: self.page.script("return [innerWidth, innerHeight]") == [width, height], what="the size")
        self.page.frame()                    # the resize's event comes with the next frames
        return self.page

    def snapshot(self, still=True):
        """What the keys change, as drawn; the angle and the picture only if still (the cycle held)."""
        p = self.page
        frame, held = p.frame(), still and p.text("pause")      # the frame first: the texts follow it
        return [held and p.state("angle"), p.state("group"), p.text("speed"), p.text("pause") is None,
                p.text("help"), p.text("explanation") is None, held and frame]

    def button(self, name):
        return self.page.driver.find_element("css selector", f"#buttons button[aria-label='{name}']")

    def rects(self, selector):
        return self.page.script("return Array.from(document.querySelectorAll(arguments[0]), e => "
                                "e.getBoundingClientRect().toJSON())", selector)

    def touch(self, kind, *points):
        self.page.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {
            "type": kind, "touchPoints": [{"x": x, "y": y, "id": i} for i, (x, y) in enumerate(points)]})

    def camera(self):
        return [float(v) for v in self.page.state("camera").split()]


class Buttons(ClassPage):
    def test_each_button_does_what_its_key_does(self):
        page = self.open()
        page.keys("6")                       # the block hidden: the gas and the textures show
        for name, key, undo in KEYS:
            if page.text("pause") is None:
                page.keys("n")                   # each from a stroke's telling angle, held
                wait_for(lambda: page.text("pause"), what="the cycle held")
            still = key != " "               # pausing stops the cycle where it happens to be
            before = self.snapshot(still)
            self.button(name).click()
            by_button = wait_for(lambda: (s := self.snapshot(still)) != before and s, what=f"the button of {key!r}")
            page.script("document.activeElement.blur()")     # the keys to the page, not the button
            page.keys(undo)
            wait_for(lambda: self.snapshot(still) == before, what=f"{key!r} undone")
            page.keys(key)
            wait_for(lambda: self.snapshot(still) == by_button, timeout_s=5, what=f"the key {key!r} as its button")
        page.keys("+")                       # the reset is the middle button's
        self.button("Vitesse d’origine").click()
        wait_for(lambda: page.text("speed") == "Vitesse\u00a0: 0,1\u00a0tr/s", what="the speed reset")

    def test_toggles_show_their_state_and_full_screen_is_the_projector(self):
        page = self.open()
        self.assertEqual(self.button("Aide").get_attribute("aria-pressed"), "true")
        (whole := self.button("Vue\u00a0: Tarvex entier")).click()
        wait_for(lambda: whole.get_attribute("aria-pressed") == "true", what="view 1 pressed")
        self.assertEqual(self.button("Vue\u00a0: piston et vilebrequin").get_attribute("aria-pressed"), "false")
        self.button("Plein écran").click()
        wait_for(lambda: page.state("layout") == "projector" and page.text("help") is None, what="the projector")
        self.assertEqual(self.button("Aide").get_attribute("aria-pressed"), "false")
        self.button("Plein écran").click()              # back in the window, the help as it was there
        wait_for(lambda: page.state("layout") == "wide" and page.text("help") is not None, what="the help back")

    def test_projector_type_at_1920_by_1080(self):
        # Headless Chromium's full screen keeps its 800 x 600 screen: the window takes the size
        # and the body the layout full screen gives it.
        page = self.open(1920, 1080)
        page.script("document.body.dataset.layout = 'projector'")
        capitals = page.script("""const c = document.createElement('canvas').getContext('2d');
            return ['title', 'explanation'].map(id => { c.font = getComputedStyle(document.getElementById(id)).font;
                                                         return c.measureText('E').actualBoundingBoxAscent; });""")
        self.assertTrue(capitals[0] >= 54 and capitals[1] >= 32, capitals)      # CSS px, from the 1920 x 1080 screen
        self.assertTrue(all(r["bottom"] <= 1080 and r["right"] <= 1920 for r in self.rects("#buttons button")))
        self.assertGreaterEqual(self.rects("#title")[0]["top"], self.rects("#canvas")[0]["bottom"])

    def test_a_drag_turns_a_pinch_zooms_a_tap_picks(self):
        page = self.open()
        page.keys("n")                       # 270 degrees, as the pick points are
        start = self.camera()
        self.touch("touchStart", (400, 300)); self.touch("touchMove", (200, 250)); self.touch("touchEnd")  # noqa: E702
        turned = wait_for(lambda: (c := self.camera())[:2] != start[:2] and c, what="the orbit")
        self.assertEqual(turned[2], start[2])
        self.touch("touchStart", (350, 300), (450, 300)); self.touch("touchMove", (250, 300), (550, 300))  # noqa: E702
        self.touch("touchEnd")
        wait_for(lambda: self.camera()[2] > start[2], what="the zoom")
        self.assertEqual(self.camera()[:2], turned[:2])
        self.assertEqual(page.script("return [scrollX, scrollY, visualViewport.scale]"), [0, 0, 1])
        page.keys("3")
        self.touch("touchStart", (20, 20)); self.touch("touchEnd")  # noqa: E702
        wait_for(lambda: page.state("group") == "0", what="a tap's pick")


class Screens(ClassPage):
    def test_a_phone_holds_the_texts_and_buttons_off_the_engines_middle(self):
        page = self.open(360, 640)
        canvas = self.rects("#canvas")[0]
        middle = [canvas["width"] / 4, canvas["height"] / 4, canvas["width"] * 3 / 4, canvas["height"] * 3 / 4]
        for r in self.rects("#buttons button, #title, #explanation, #speed, #pause, #help"):
            self.assertTrue(0 <= r["left"] and r["right"] <= 360 and 0 <= r["top"] and r["bottom"] <= 640, r)
            self.assertFalse(r["left"] < middle[2] and r["right"] > middle[0] and middle[1] < r["bottom"] and r["top"] < middle[3], r)
        self.assertTrue(all(r["width"] >= 44 and r["height"] >= 44 for r in self.rects("#buttons button")))

    def test_every_button_is_named_in_french_and_works_from_the_keyboard(self):
        page = self.open()
        names = [b.accessible_name for b in page.driver.find_elements("css selector", "#buttons button")]
        self.assertEqual(len(set(names)), 18)
        self.assertTrue(all(len(n) > 2 and "'" not in n for n in names), names)
        page.keys("\ue004\ue004")            # Tab past the canvas to the first button, pause; Enter
        self.assertEqual(page.script("return document.activeElement.getAttribute('aria-label')"), "Pause")
        self.assertNotEqual(page.script("return getComputedStyle(document.activeElement).outlineStyle"), "none")
        page.keys("\ue007"), wait_for(lambda: page.text("pause"), what="the pause from Enter")


class Zip(ClassPage):
    def test_the_zips_page_opens_from_its_folder_with_no_network(self):
        folder = self.enterContext(tempfile.TemporaryDirectory(prefix="tarvex-zip-"))
        subprocess.run(["unzip", "-q", str(ZIP), "-d", folder], check=True, timeout=60)
        top = next(Path(folder).iterdir())
        self.assertTrue((top / "LICENSE").is_file() and "clé USB" in (top / "LISEZMOI.txt").read_text())
        page = self.open(url=(top / "index.html").as_uri())
        wait_for(lambda: page.text("title"), what="the stroke title")
        self.assertEqual([u for u in page.requested_urls() if not u.startswith((top.as_uri(), "data:"))], [])
        self.assertEqual(page.console_errors(), [])


if __name__ == "__main__":
    unittest.main()
