"""Takes the browser page's pictures for the docs in headless Chromium: docs/web.png, the page
in an 800 x 600 window at the compression stroke, and docs/web-phone.png, the same on a phone's
360 x 640 screen. Each is written beside its place and moved there whole.
Usage: /usr/bin/python3 scripts/web-screenshots.py (after scripts/build-web.sh)."""

import os
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "web"))
from page_driver import Page, wait_for   # noqa: E402


def shoot(name, width, height):
    page = Page((ROOT / "build-web" / "page" / "index.html").as_uri())
    try:
        page.wait_until_drawn()
        inner = page.script("return [innerWidth, innerHeight]")
        size = page.driver.get_window_size()
        page.driver.set_window_size(size["width"] + width - inner[0], size["height"] + height - inner[1])
        wait_for(lambda: page.script("return [innerWidth, innerHeight]") == [width, height], what="the size")
        page.keys("n")                       # held at the compression stroke's telling angle
        wait_for(lambda: page.state("angle") == "270.000000", what="270 degrees")
        page.frame()                         # drawn at its new size
        target = ROOT / "docs" / name
        temporary = target.with_name(f".{name}.{os.getpid()}.png")
        try:
            descriptor = os.open(temporary, os.O_WRONLY | os.O_CREAT | os.O_EXCL | os.O_NOFOLLOW, 0o644)
            with os.fdopen(descriptor, "wb") as out:
                out.write(page.driver.get_screenshot_as_png())
            temporary.replace(target)
        finally:
            temporary.unlink(missing_ok=True)
        print(f"docs/{name}")
    finally:
        page.close()


shoot("web.png", 800, 600)
shoot("web-phone.png", 360, 640)
