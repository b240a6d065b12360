"""At each stroke's telling angle the page's frame is the desktop program's: the real program
on the X display and the page in headless Chromium, both at the start camera in 800 x 600,
stepped there by the same stroke key. Usage: frames_test.py PAGE_FOLDER TARVEX_BINARY WORKDIR.

Tolerances. Both light every vertex with OpenGL 1.1's equations in single precision and
interpolate the colours across each triangle; Mesa's llvmpipe and SwiftShader then round and
cover pixels by their own rules, which moves an edge or a wireframe line by a pixel. So a probe,
the mean of a 5 x 5 patch inside a surface, may differ by at most 3 of 255 in each channel (the
rounding of two interpolations; seen here: 1.2 at most); and over the whole frame, outside the
desktop's texts (the caption band at the bottom and each label's box, from the page's own label
places), at most 0.5 % of the pixels may differ by more than 12 in a channel (seen here: 0.18 %,
the wireframe's lines where the two rasterisers cover different pixels). A wrong polygon mode
costs 13 %; a scene ambient of 0.25 instead of 0.2 moves the probes by 3.6."""

import base64
import os
import subprocess
import sys
import time
import unittest
from pathlib import Path

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from page_driver import HEIGHT, WIDTH, Page, wait_for   # noqa: E402

FOLDER = Path(sys.argv.pop(1)).resolve()
BINARY = sys.argv.pop(1)
WORKDIR = sys.argv.pop(1)

PROBE_TOLERANCE = 3
PIXEL_TOLERANCE = 12
MOVED_SHARE = 0.005
CAPTION_TOP = 0.78 * HEIGHT                 # the desktop's title, speed, pause and credit below
# The passes: the keys that set the view (r: the spotlights' markers, from then on), and patches to probe inside a filled surface of each
# group at each telling angle (canvas pixels from the top left). The start's view (the crank
# train singled out, the rest as wireframe) is compared as a whole, and inside a shut valve's
# head, whose back faces show filled through its front wireframe; the whole engine filled
# hides the moving parts inside the block, which is probed there; the block hidden, they show.
ANGLES = [270, 365, 630, 90]
PASSES = [
    # At 365 degrees the spark lights the head's front lines too brightly for a patch between them.
    ("3r", {"shut valve's head, its filled inside": {270: (582, 300)}}),
    ("1t", {"head's end wall": {a: (700, 360) for a in ANGLES}, "crankcase": {a: (300, 450) for a in ANGLES}}),
    ("6", {"crank web": {a: (330, 420) for a in ANGLES}, "piston": {270: (450, 330), 365: (470, 320), 630: (470, 320), 90: (450, 330)},
           "valve head": {a: (582, 300) for a in ANGLES}}),
]


def raw_rgb(png_bytes):
    """8-bit RGB rows of a PNG, by ImageMagick through pipes: no file is written."""
    return subprocess.run(["convert", "png:-", "-depth", "8", "rgb:-"], input=png_bytes, capture_output=True,
                          check=True, timeout=30).stdout


class Desktop:
    """The real program on the display, its window at (0, 0) in 800 x 600."""

    def __init__(self):
        self.process = subprocess.Popen([BINARY], cwd=WORKDIR, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = wait_for(self.find, what="the program's window")
        subprocess.run(["xdotool", "mousemove", "--sync", str(WIDTH // 2), str(HEIGHT // 2)], check=True, timeout=10)

    def find(self):
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "Tarvex"], capture_output=True,
                             text=True, timeout=10).stdout.split()
        return out[0] if out else None

    def keys(self, *names):
        subprocess.run(["xdotool", "key", "--delay", "30", *names], check=True, timeout=10)

    def frame(self):
        png = subprocess.run(["import", "-window", self.window, "png:-"], capture_output=True, check=True,
                             timeout=30).stdout
        return raw_rgb(png)

    def stop(self):
        self.process.kill()
        self.process.wait(timeout=10)


def patch_mean(rgb, x, y):
    sums = [0, 0, 0]
    for dy in range(-2, 3):
        for dx in range(-2, 3):
            i = ((y + dy) * WIDTH + x + dx) * 3
            for c in range(3):
                sums[c] += rgb[i + c]
    return [s / 25 for s in sums]


def moved_share(a, b, masks):
    moved = counted = 0
    for y in range(HEIGHT):
        if y >= CAPTION_TOP:
            break
        masked_x = [(x0, x1) for (x0, y0, x1, y1) in masks if y0 <= y <= y1]
        for x in range(WIDTH):
            if any(x0 <= x <= x1 for x0, x1 in masked_x):
                continue
            i = (y * WIDTH + x) * 3
            counted += 1
            if max(abs(a[i] - b[i]), abs(a[i + 1] - b[i + 1]), abs(a[i + 2] - b[i + 2])) > PIXEL_TOLERANCE:
                moved += 1
    return moved / counted


class TellingAngles(unittest.TestCase):
    def test_each_strokes_frame_matches_the_desktops(self):
        desktop = Desktop()
        self.addCleanup(desktop.stop)
        page = Page((FOLDER / "index.html").as_uri())
        self.addCleanup(page.close)
        page.wait_until_drawn()
        desktop.keys("a", "e")               # the help and the explanation off the desktop's picture
        for keys, probes in PASSES:
            desktop.keys(*keys)
            page.keys(keys)
            for angle in ANGLES:
                desktop.keys("n")
                page.keys("n")
                wait_for(lambda: float(page.state("angle")) == angle, what=f"the page at {angle}")
                ours = raw_rgb(base64.b64decode(page.frame().split(",", 1)[1]))
                masks = page.script("""return Array.from(document.querySelectorAll('#labels div'))
                    .filter(d => d.style.display !== 'none').map(d => d.getBoundingClientRect())
                    .map(r => [r.left - 4, r.top - 6, r.right + 60, r.bottom + 6])""")
                # The desktop takes the key in its own time on a busy display: its frames are
                # read until one matches or the deadline passes, and the last one is judged.
                deadline = time.monotonic() + 10
                while True:
                    theirs = desktop.frame()
                    share = moved_share(ours, theirs, masks)
                    if share < MOVED_SHARE or time.monotonic() > deadline:
                        break
                self.assertLess(share, MOVED_SHARE, f"keys {keys} at {angle} degrees")
                for name, places in probes.items():
                    if angle not in places:
                        continue
                    x, y = places[angle]
                    a, b = patch_mean(ours, x, y), patch_mean(theirs, x, y)
                    self.assertTrue(all(abs(p - q) <= PROBE_TOLERANCE for p, q in zip(a, b)),
                                    f"{name} at {angle} degrees: page {a}, desktop {b}")


if __name__ == "__main__":
    unittest.main()
