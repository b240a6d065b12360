"""The browser page's figures, a measurement and not a test: its frame rate at 800 x 600 in
headless Chromium (SwiftShader) with the frame rate not held to the screen's, the time from
opening the page to its first drawn engine, and its size, raw and gzipped.
Usage: web_page.py PAGE_FOLDER [SECONDS] [ROUNDS]"""

import gzip
import os
import statistics
import sys
import time
from pathlib import Path

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from page_driver import Page, wait_for   # noqa: E402

folder = Path(sys.argv[1]).resolve()
seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 4.0
rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 3
UNCAPPED = ["--disable-gpu-vsync", "--disable-frame-rate-limit"]

fps, first = [], []
for _ in range(rounds):
    page = Page((folder / "index.html").as_uri(), UNCAPPED)
    try:
        wait_for(lambda: page.script("return performance.getEntriesByName('tarvex-first-frame').length"),
                 what="the first frame")
        first.append(page.script("return performance.getEntriesByName('tarvex-first-frame')[0].startTime"))
        frames = page.driver.execute_async_script("""
            const seconds = arguments[0], done = arguments[arguments.length - 1];
            let n = 0; const start = performance.now();
            function count(now) { ++n; if (now - start < seconds * 1000) requestAnimationFrame(count);
                                  else done([n, now - start]); }
            requestAnimationFrame(count);""", seconds)
        fps.append(frames[0] / (frames[1] / 1000))
    finally:
        page.close()
    time.sleep(0.5)

page_file = folder / "index.html"
raw = page_file.read_bytes()
print(f"Browser page at 800 x 600, {rounds} rounds of {seconds:g} s, medians (headless Chromium, SwiftShader)")
print(f"fps {statistics.median(fps):.1f}  ms/frame {1000 / statistics.median(fps):.3f}  "
      f"first frame {statistics.median(first):.0f} ms from navigation")
print(f"index.html {len(raw)} bytes, gzipped {len(gzip.compress(raw, 9))} bytes")
