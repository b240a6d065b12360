"""Drives the browser page in a real headless Chromium (software WebGL 2: ANGLE on SwiftShader)
through chromedriver: the page from a folder or from a static server on 127.0.0.1, its console
and its requests, keys and clicks, and the canvas's pixels. Every wait polls with a deadline;
every browser, server and profile folder is gone when the test ends."""

import json
import os
import re
import shutil
import subprocess
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains

WIDTH, HEIGHT = 800, 600                    # the desktop program's start window


def wait_for(condition, timeout_s=20.0, what="condition"):
    """Polls condition() until it returns something true, or fails after timeout_s."""
    deadline = time.monotonic() + timeout_s
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(0.05)


class StaticServer:
    """python3 -m http.server on 127.0.0.1 in folder, on a port it chooses; stopped by PID."""

    def __init__(self, folder):
        self.process = subprocess.Popen(
            ["/usr/bin/python3", "-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", folder],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        line = self.process.stdout.readline()     # "Serving HTTP on 127.0.0.1 port N ..."
        match = re.search(r"port (\d+)", line)
        if not match:
            self.stop()
            raise AssertionError(f"no server: {line!r}")
        self.url = f"http://127.0.0.1:{match.group(1)}/"

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)
        self.process.stdout.close()


class Page:
    """One Chromium with the page loaded from url, its console and network logged."""

    def __init__(self, url, extra_flags=()):
        self.profile = tempfile.mkdtemp(prefix="tarvex-web-")
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ["--headless=new", "--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader",
                     f"--user-data-dir={self.profile}", f"--window-size={WIDTH},{HEIGHT}",
                     # Any name but the local server's fails: nothing leaves the machine.
                     "--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1",
                     "--force-device-scale-factor=1", *extra_flags]:
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
        try:
            self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
            # The window's outer size is not the page's: make the page 800 x 600.
            inner = self.driver.execute_script("return [window.innerWidth, window.innerHeight]")
            size = self.driver.get_window_size()
            self.driver.set_window_size(size["width"] + WIDTH - inner[0], size["height"] + HEIGHT - inner[1])
            # What the browser did before the page (its new-tab page) is not the page's.
            self.driver.get_log("performance")
            self.driver.get_log("browser")
            self.driver.get(url)
        except Exception:
            self.close()
            raise

    def close(self):
        if getattr(self, "driver", None):
            self.driver.quit()
            self.driver = None
        shutil.rmtree(self.profile, ignore_errors=True)

    def script(self, source, *args):
        return self.driver.execute_script(source, *args)

    def text(self, element_id):
        return self.script("const e = document.getElementById(arguments[0]);"
                           "return e.style.display === 'none' ? null : e.textContent", element_id)

    def state(self, name):
        return self.script("return document.body.dataset[arguments[0]]", name)

    def wait_until_drawn(self):
        wait_for(lambda: self.state("angle") is not None, what="the first frame")

    def console_errors(self):
        return [e for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]

    def requested_urls(self):
        urls = []
        for entry in self.driver.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message["method"] == "Network.requestWillBeSent":
                urls.append(message["params"]["request"]["url"])
        return urls

    def keys(self, text):
        ActionChains(self.driver).send_keys(text).perform()

    def click(self, x, y):
        """A left click at canvas pixel (x, y), counted from the top left."""
        canvas = self.driver.find_element("id", "canvas")
        ActionChains(self.driver).move_to_element_with_offset(canvas, x - WIDTH // 2, y - HEIGHT // 2) \
            .click().perform()

    def visible_labels(self):
        return self.script("return Array.from(document.querySelectorAll('#labels div'))"
                           ".filter(d => d.style.display !== 'none').map(d => d.textContent)")

    def mouse(self, kind, x, y, buttons=0):
        """A wheel step forward, a middle or right press, or a move, at canvas pixel (x, y)."""
        self.script("""
            const [kind, x, y, buttons] = arguments, canvas = document.getElementById('canvas');
            const at = {clientX: x, clientY: y, bubbles: true, cancelable: true};
            const event = kind === 'wheel' ? new WheelEvent('wheel', {...at, deltaY: -100})
                : kind === 'move' ? new MouseEvent('mousemove', {...at, buttons})
                : new MouseEvent('mousedown', {...at, button: kind === 'middle' ? 1 : 2, buttons: kind === 'middle' ? 4 : 2});
            canvas.dispatchEvent(event);""", kind, x, y, buttons)

    def frame(self):
        """The canvas as a PNG data URL, copied right after the page's next frame is drawn."""
        return self.driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            requestAnimationFrame(() => requestAnimationFrame(() =>
                done(document.getElementById('canvas').toDataURL('image/png'))));""")

    def pixels(self, points):
        """The canvas's RGB at each (x, y) of points, right after the page's next frame."""
        return self.driver.execute_async_script("""
            const points = arguments[0], done = arguments[arguments.length - 1];
            requestAnimationFrame(() => requestAnimationFrame(() => {
                const gl = document.getElementById('canvas'), copy = document.createElement('canvas');
                copy.width = gl.width; copy.height = gl.height;
                const c = copy.getContext('2d');
                c.drawImage(gl, 0, 0);
                done(points.map(([x, y]) => Array.from(c.getImageData(x, y, 1, 1).data.slice(0, 3))));
            }));""", points)
