"""An X display, the demo site and the program, driven with real input for the tests."""

import os
import shutil
import signal
import subprocess
import tempfile
import time

PROGRAM = os.environ.get("ZIVMORA_PROGRAM", "")
DEMO_SITE = os.environ.get("ZIVMORA_DEMO_SITE", "")
SITE_PORT = int(os.environ.get("ZIVMORA_SITE_PORT", "28642"))
TITLE = "Zivmora  1.4  Quenlo作品"
PROMPT_TITLE = "升级提示, Quenlo作品"

# Every wait below is bounded.
WAIT = 20.0


def wait_until(predicate, timeout=WAIT, interval=0.1):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(interval)
    return predicate()


class Display:
    """A private Xvfb server; the display number is chosen by the server itself."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            self.server.kill()
            raise RuntimeError("Xvfb did not start")
        self.name = ":" + number

    def close(self):
        self.server.terminate()
        self.server.wait(timeout=10)


class Home:
    """A fresh home folder with a desktop folder and a stand-in default web browser."""

    def __init__(self):
        self.path = tempfile.mkdtemp(prefix="zivmora-home-")
        self.desktop = os.path.join(self.path, "Desktop")
        os.makedirs(self.desktop)
        self.opened_file = os.path.join(self.path, "opened-addresses")
        recorder = os.path.join(self.path, "record-address")
        with open(recorder, "w") as script:
            script.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' % self.opened_file)
        os.chmod(recorder, 0o755)
        applications = os.path.join(self.path, ".local", "share", "applications")
        os.makedirs(applications)
        with open(os.path.join(applications, "recorder.desktop"), "w") as entry:
            entry.write("[Desktop Entry]\nType=Application\nName=Recorder\n"
                        "Exec=%s %%u\nMimeType=x-scheme-handler/http;\n" % recorder)
        config = os.path.join(self.path, ".config")
        os.makedirs(config)
        with open(os.path.join(config, "mimeapps.list"), "w") as associations:
            associations.write("[Default Applications]\n"
                               "x-scheme-handler/http=recorder.desktop\n"
                               "x-scheme-handler/https=recorder.desktop\n")

    @property
    def shortcut(self):
        return os.path.join(self.desktop, "Zivmora1.4.desktop")

    def opened_addresses(self):
        try:
            with open(self.opened_file) as opened:
                return opened.read().split()
        except FileNotFoundError:
            return []

    def remove(self):
        shutil.rmtree(self.path, ignore_errors=True)


class DemoSite:
    def __init__(self, folder, publish="1.40"):
        self.log_path = os.path.join(folder, "site.log")
        self.process = subprocess.Popen(
            [DEMO_SITE, "--port", str(SITE_PORT), "--publish", publish, "--log", self.log_path],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if not wait_until(self._listening, timeout=10):
            self.process.kill()
            raise RuntimeError("the demo site did not start on port %d" % SITE_PORT)

    def _listening(self):
        import socket
        with socket.socket() as probe:
            probe.settimeout(0.2)
            return probe.connect_ex(("127.0.0.1", SITE_PORT)) == 0

    def requests(self):
        try:
            with open(self.log_path, encoding="utf-8") as log:
                return [line.rstrip("\n") for line in log]
        except FileNotFoundError:
            return []

    def play_requests(self):
        return [r[len("/play/?:"):] for r in self.requests() if r.startswith("/play/?:")]

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class Program:
    """One run of the program under test."""

    def __init__(self, display, home):
        self.display = display
        self.environment = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": home.path,
            "DISPLAY": display.name,
            "LANG": "C.UTF-8",
            "NO_AT_BRIDGE": "1",
        }
        self.process = subprocess.Popen([PROGRAM], env=self.environment,
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        self.window = None

    def xdotool(self, *arguments):
        result = subprocess.run(["xdotool", *arguments], capture_output=True, text=True,
                                env={"DISPLAY": self.display.name, "PATH": os.environ["PATH"]},
                                timeout=WAIT)
        return result.stdout.strip()

    def find_windows(self, title):
        found = self.xdotool("search", "--onlyvisible", "--name", "^" + title + "$")
        return found.split()

    def wait_for_window(self):
        windows = wait_until(lambda: self.find_windows(TITLE))
        assert windows, "the main window did not appear"
        self.window = windows[0]
        # No window manager: give the window the keyboard focus directly.
        self.xdotool("windowfocus", "--sync", self.window)
        time.sleep(0.3)
        return self.window

    def geometry(self):
        values = {}
        for line in self.xdotool("getwindowgeometry", "--shell", self.window).splitlines():
            name, _, value = line.partition("=")
            values[name] = int(value)
        return values

    def click(self, x, y):
        """Clicks at a point of the window's client area."""
        geometry = self.geometry()
        self.xdotool("mousemove", "--sync", str(geometry["X"] + x), str(geometry["Y"] + y))
        time.sleep(0.3)  # let the engine report what is under the pointer
        self.xdotool("click", "1")
        time.sleep(0.3)

    def type(self, text):
        self.xdotool("type", "--delay", "80", text)
        time.sleep(0.3)

    def key(self, *keys):
        self.xdotool("key", "--delay", "80", *keys)
        time.sleep(0.3)

    def running(self):
        return self.process.poll() is None

    def wait_for_exit(self, timeout=WAIT):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def screenshot(self, path):
        subprocess.run(["import", "-window", "root", path],
                       env={"DISPLAY": self.display.name, "PATH": os.environ["PATH"]},
                       timeout=WAIT, check=False)

    def stop(self):
        if self.running():
            self.process.send_signal(signal.SIGTERM)
            if self.wait_for_exit(5) is None:
                self.process.kill()
                self.process.wait()
        output = self.process.stdout.read().decode("utf-8", "replace")
        self.process.stdout.close()
        return output
