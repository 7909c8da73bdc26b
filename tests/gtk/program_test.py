"""The Linux program as a user meets it: real GTK and WebKit under Xvfb, real input through
xdotool, the demo site on 127.0.0.1 recording every request."""

import os
import re
import subprocess
import time
import unittest

from desktop_session import (PROGRAM, PROMPT_TITLE, SITE_PORT, TITLE, DemoSite, Display, Home,
                             Program, wait_until)

SCREENSHOTS = os.environ.get("ZIVMORA_SCREENSHOTS", "")
SITE = "http://127.0.0.1:%d" % SITE_PORT

# Places in the window's client area, from the form: the hint box, and the demo page's
# links, which sit at fixed places of the page (the browser box starts at -24, 24).
HINT_BOX = (512, 12)
FIRST_BUTTON = (40, 14)
NEW_WINDOW_LINK = (-24 + 560 + 75, 24 + 100 + 20)
SCRIPT_WINDOW_LINK = (-24 + 560 + 75, 24 + 160 + 20)
POPUP_LINK = (-24 + 560 + 75, 24 + 220 + 20)
PAGE = (200, 300)

display = None


def setUpModule():
    global display
    display = Display()


def tearDownModule():
    display.close()


def pixel_columns(png, row_top, row_height, width, colour, tolerance=40):
    """Columns of a screen strip whose pixels are close to a colour, as (first, last) runs."""
    text = subprocess.run(
        ["convert", png, "-crop", "%dx%d+0+%d" % (width, row_height, row_top), "+repage", "txt:-"],
        capture_output=True, text=True, check=True).stdout
    columns = set()
    for match in re.finditer(r"^(\d+),(\d+): \((\d+),(\d+),(\d+)", text, re.M):
        x, red, green, blue = (int(match.group(i)) for i in (1, 3, 4, 5))
        if all(abs(a - b) <= tolerance for a, b in zip((red, green, blue), colour)):
            columns.add(x)
    runs = []
    for x in sorted(columns):
        if runs and x <= runs[-1][1] + 3:
            runs[-1][1] = x
        else:
            runs.append([x, x])
    return [tuple(run) for run in runs]


class ProgramTest(unittest.TestCase):
    publish = "1.40"

    def setUp(self):
        self.assertTrue(os.path.exists(PROGRAM), "ZIVMORA_PROGRAM names no program")
        self.home = Home()
        self.site = DemoSite(self.home.path, self.publish)
        self.program = None

    def tearDown(self):
        if self.program:
            output = self.program.stop()
            if output.strip():
                print("\n[program output]\n" + output)
        self.site.close()
        self.home.remove()

    def start(self, wait_for_window=True):
        self.program = Program(display, self.home)
        if wait_for_window:
            self.program.wait_for_window()
        return self.program

    def screenshot(self, name):
        if SCREENSHOTS:
            os.makedirs(SCREENSHOTS, exist_ok=True)
            self.program.screenshot(os.path.join(SCREENSHOTS, name + ".png"))

    def wait_for_play(self, code):
        return wait_until(lambda: code in self.site.play_requests())

    def settle(self, seconds=1.0):
        time.sleep(seconds)

    def toolbar_buttons(self):
        """Client x of the refresh, previous and next buttons, found by their pictures."""
        png = os.path.join(self.home.path, "toolbar.png")
        self.program.screenshot(png)
        geometry = self.program.geometry()
        blue = pixel_columns(png, geometry["Y"], 24, 1024, (0x1d, 0x6f, 0xb8))
        green = pixel_columns(png, geometry["Y"], 24, 1024, (0x2a, 0x9d, 0x3a))
        self.assertGreaterEqual(len(blue), 1, "no refresh picture on the toolbar")
        self.assertGreaterEqual(len(green), 2, "no play pictures on the toolbar")
        centre = lambda run: (run[0] + run[1]) // 2 - geometry["X"] + 20
        return centre(blue[0]), centre(green[0]), centre(green[1])


class FirstStart(ProgramTest):
    def test_window_navigation_and_shortcut(self):
        program = self.start()
        geometry = program.geometry()
        self.assertEqual((geometry["WIDTH"], geometry["HEIGHT"]), (723, 546))
        self.assertEqual((geometry["X"], geometry["Y"]), ((1024 - 723) // 2, (768 - 546) // 2))

        # The version page is asked for before the start navigation loads code 1.
        self.assertTrue(self.wait_for_play("1"))
        requests = self.site.requests()
        self.assertLess(requests.index("/version"), requests.index("/play/?:1"))

        # The desktop entry starts this very program.
        self.assertTrue(os.path.isfile(self.home.shortcut))
        self.assertTrue(os.access(self.home.shortcut, os.X_OK))
        with open(self.home.shortcut) as entry:
            text = entry.read()
        self.assertIn('Exec="%s"' % os.path.realpath(PROGRAM), text)
        self.assertIn("Type=Application", text)
        self.settle()
        self.screenshot("first-start")

        # The focus is in the hint box: typing there loads nothing.
        program.type("9")
        self.settle()
        self.assertEqual(self.site.play_requests(), ["1"])

        # A press on the hint box brings the code box up, with the focus in it.
        program.click(*HINT_BOX)
        program.type("42")
        self.assertTrue(self.wait_for_play("42"))
        self.assertEqual(self.site.play_requests()[-2:], ["4", "42"])
        self.settle()
        self.screenshot("after-hint-box-click")

        # Each toolbar action draws a code from its own range.
        refresh, previous, following = self.toolbar_buttons()
        for x, low in ((refresh, 1), (previous, 500), (following, 100)):
            before = len(self.site.play_requests())
            program.click(x, 14)
            self.assertTrue(wait_until(lambda: len(self.site.play_requests()) > before))
            self.settle(0.5)
            code = self.site.play_requests()[-1]
            self.assertTrue(code.isdigit(), code)
            self.assertTrue(low <= int(code) <= 1000, code)
        # The first button has no action.
        before = self.site.play_requests()
        program.click(*FIRST_BUTTON)
        self.settle()
        self.assertEqual(self.site.play_requests(), before)
        self.screenshot("after-toolbar-clicks")

        program.key("Escape")
        self.assertEqual(program.wait_for_exit(), 0)


class LaterStart(ProgramTest):
    def setUp(self):
        super().setUp()
        with open(self.home.shortcut, "w") as existing:
            existing.write("left alone\n")

    def test_shortcut_left_alone_and_focus_in_code_box(self):
        program = self.start()
        self.assertTrue(self.wait_for_play("1"))
        with open(self.home.shortcut) as existing:
            self.assertEqual(existing.read(), "left alone\n")
        # The code box has the focus, though it lies under the toolbar.
        program.type("3")
        self.assertTrue(self.wait_for_play("3"))
        program.key("Escape")
        self.assertEqual(program.wait_for_exit(), 0)

    def test_tab_order_and_escape_from_the_page(self):
        program = self.start()
        self.assertTrue(self.wait_for_play("1"))
        program.key("Tab")  # code box -> hint box
        program.type("7")
        self.settle()
        self.assertNotIn("7", self.site.play_requests())
        program.key("shift+Tab")  # hint box -> code box
        program.type("7")
        self.assertTrue(self.wait_for_play("7"))
        program.key("Tab", "Tab")  # code box -> hint box -> the page
        program.type("8")
        program.key("Tab")  # inside the page Tab does nothing
        program.type("8")
        self.settle()
        self.assertFalse([code for code in self.site.play_requests() if "8" in code])
        program.key("shift+Escape")
        self.settle()
        self.assertTrue(program.running(), "Shift+Esc must not close the window")
        program.key("Escape")
        self.assertEqual(program.wait_for_exit(), 0)

    def test_new_windows_load_in_place(self):
        program = self.start()
        self.assertTrue(self.wait_for_play("1"))
        self.settle()
        program.click(*NEW_WINDOW_LINK)  # target="_blank"
        self.assertTrue(self.wait_for_play("777"))
        self.settle()
        program.click(*SCRIPT_WINDOW_LINK)  # window.open() from a click
        self.assertTrue(self.wait_for_play("555"))
        self.settle()
        program.click(*POPUP_LINK)  # a page that opens a pop-up and an alert while loading
        self.assertTrue(wait_until(lambda: "/popup" in self.site.requests()))
        self.settle(2)
        self.assertEqual(self.site.requests().count("/popup"), 1)
        self.assertNotIn("999", self.site.play_requests())
        visible = program.xdotool("search", "--onlyvisible", "--name", ".").split()
        self.assertEqual(visible, [program.window], "a second window appeared")
        self.screenshot("after-popup-page")
        program.key("Escape")
        self.assertEqual(program.wait_for_exit(), 0)


class NewerVersion(ProgramTest):
    publish = "1.50"

    def wait_for_prompt(self, program):
        prompts = wait_until(lambda: program.find_windows(PROMPT_TITLE))
        self.assertTrue(prompts, "no update prompt")
        # The main window stays hidden while the prompt is open.
        self.assertEqual(program.find_windows(TITLE), [])
        program.xdotool("windowfocus", "--sync", prompts[0])
        time.sleep(0.5)
        return prompts[0]

    def test_ok_opens_the_download_page_and_ends_the_program(self):
        program = self.start(wait_for_window=False)
        self.wait_for_prompt(program)
        self.screenshot("update-prompt")
        program.key("Return")  # OK is the default button
        self.assertEqual(program.wait_for_exit(), 0)
        self.assertTrue(wait_until(lambda: self.home.opened_addresses()))
        self.assertEqual(self.home.opened_addresses(), [SITE + "/download"])
        # The rest of the start-up still ran: the shortcut was created. (The start navigation
        # was handed to the engine too, but the window closes before it need reach the site.)
        self.assertTrue(os.path.isfile(self.home.shortcut))

    def test_cancel_keeps_the_program_running(self):
        program = self.start(wait_for_window=False)
        self.wait_for_prompt(program)
        program.key("Escape")
        program.wait_for_window()
        self.assertTrue(self.wait_for_play("1"))
        self.settle()
        self.assertTrue(program.running())
        self.assertEqual(self.home.opened_addresses(), [])
        program.key("Escape")
        self.assertEqual(program.wait_for_exit(), 0)


if __name__ == "__main__":
    unittest.main()
