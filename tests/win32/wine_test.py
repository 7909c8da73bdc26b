"""The Windows program under Wine: a fresh prefix under a temporary home, Xvfb on a display
of its own, WenQuanYi standing in for the Windows fonts, menu building and the Gecko and
Mono installers switched off, no proxy. A driver program reads the running program's
window, controls, status-bar parts and toolbar buttons; input is real X input (xdotool)."""

import glob
import os
import re
import shutil
import socketserver
import subprocess
import sys
import tempfile
import threading
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "gtk"))
from desktop_session import Display, wait_until  # noqa: E402

PRODUCT = os.environ.get("ZIVMORA_WINDOWS_PRODUCT", "")
PROGRAM = os.environ.get("ZIVMORA_WINE_PROGRAM", "")
DRIVER = os.environ.get("ZIVMORA_WINE_DRIVER", "")
DEMO_SITE = os.environ.get("ZIVMORA_DEMO_SITE", "")
SITE_PORT = int(os.environ.get("ZIVMORA_WINE_SITE_PORT", "28644"))
VERSION_PORT = int(os.environ.get("ZIVMORA_WINE_VERSION_PORT", "28645"))
SCREENSHOTS = os.environ.get("ZIVMORA_SCREENSHOTS", "")
WINE = "/usr/lib/wine/wine64"
TITLE = "Zivmora  1.4  Quenlo作品"
PROMPT_TITLE = "升级提示, Quenlo作品"
MARKER = "<p>升级不升级你得看我的版本号sew/%skhj更改情况就知道了。</p>"

display = None
home = None
environment = None


def wine(*arguments, timeout=60, check=True):
    return subprocess.run([WINE, *arguments], env=environment, capture_output=True,
                          stdin=subprocess.DEVNULL, timeout=timeout, check=check)


def setUpModule():
    global display, home, environment
    for name, path in (("ZIVMORA_WINDOWS_PRODUCT", PRODUCT), ("ZIVMORA_WINE_PROGRAM", PROGRAM),
                       ("ZIVMORA_WINE_DRIVER", DRIVER), ("ZIVMORA_DEMO_SITE", DEMO_SITE)):
        if not os.path.isfile(path):
            raise RuntimeError(
                "%s names no file (%r): run `make test`, which builds it" % (name, path))
    display = Display()
    home = tempfile.mkdtemp(prefix="zivmora-wine-")
    environment = {
        "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
        "HOME": home,
        "DISPLAY": display.name,
        "WINEPREFIX": os.path.join(home, "prefix"),
        "WINESERVER": "/usr/lib/wine/wineserver64",
        "WINEDEBUG": "-all",
        "WINEDLLOVERRIDES": "winemenubuilder.exe=d;mscoree=d;mshtml=d",
        "LANG": "C.UTF-8",
    }
    wine("wineboot", "--init", timeout=300)
    recorder = os.path.join(home, "record-address")
    with open(recorder, "w") as script:
        script.write('#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s/opened-addresses"\n' % home)
    os.chmod(recorder, 0o755)
    settings = os.path.join(home, "settings.reg")
    with open(settings, "w") as reg:
        reg.write("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n")
        for face in ("MS Shell Dlg", "MS Shell Dlg 2", "Tahoma", "SimSun", "Arial",
                     "Microsoft Sans Serif", "Segoe UI", "MS Sans Serif", "System"):
            reg.write('"%s"="WenQuanYi Zen Hei"\n' % face)
        reg.write('\n[HKEY_CURRENT_USER\\Software\\Wine\\WineBrowser]\n"Browsers"="%s"\n'
                  % recorder.replace("\\", "\\\\"))
    wine("regedit", "/S", settings)
    wine_server_wait()


def wine_server_wait():
    subprocess.run(["/usr/lib/wine/wineserver64", "-w"], env=environment, timeout=60,
                   check=False)


def tearDownModule():
    subprocess.run(["/usr/lib/wine/wineserver64", "-k"], env=environment, timeout=30,
                   check=False)
    display.close()
    shutil.rmtree(home, ignore_errors=True)


class VersionServer:
    """Serves the version page on 127.0.0.1 and keeps every raw request."""

    def __init__(self, version):
        self.requests = []
        page = ("<html><body>" + MARKER % version + "</body></html>").encode("utf-8")
        owner = self

        class Handler(socketserver.BaseRequestHandler):
            def handle(self):
                self.request.settimeout(10)
                raw = b""
                while b"\r\n\r\n" not in raw:
                    chunk = self.request.recv(4096)
                    if not chunk:
                        break
                    raw += chunk
                owner.requests.append(raw.decode("latin-1"))
                self.request.sendall(b"HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=utf-8"
                                     b"\r\nContent-Length: %d\r\n\r\n" % len(page) + page)

        socketserver.TCPServer.allow_reuse_address = True
        self.server = socketserver.ThreadingTCPServer(("127.0.0.1", VERSION_PORT), Handler)
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def close(self):
        self.server.shutdown()
        self.server.server_close()


class PlaySite:
    def __init__(self):
        self.log = os.path.join(home, "site.log")
        open(self.log, "w").close()
        self.process = subprocess.Popen([DEMO_SITE, "--port", str(SITE_PORT), "--log", self.log],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(0.3)

    def play_requests(self):
        with open(self.log, encoding="utf-8") as log:
            return [line.strip()[len("/play/?:"):] for line in log
                    if line.startswith("/play/?:")]

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=10)


def xdotool(*arguments):
    return subprocess.run(["xdotool", *arguments], capture_output=True, text=True, timeout=30,
                          env={"DISPLAY": display.name, "PATH": os.environ["PATH"]}).stdout


def driver(*arguments):
    result = wine(DRIVER, *arguments, check=False)
    values = {}
    for line in result.stdout.decode("utf-8", "replace").splitlines():
        name, _, value = line.partition("=")
        values[name] = value
    return result.returncode, values


def shortcut_files():
    return (glob.glob(os.path.join(environment["WINEPREFIX"], "drive_c", "users", "*",
                                   "Desktop", "Zivmora1.4.lnk")) +
            glob.glob(os.path.join(home, "Desktop", "Zivmora1.4.lnk")))


def opened_addresses():
    try:
        with open(os.path.join(home, "opened-addresses")) as opened:
            return opened.read().split()
    except FileNotFoundError:
        return []


class WineProgramTest(unittest.TestCase):
    version = "1.40"

    def setUp(self):
        for path in shortcut_files():
            os.remove(path)
        if os.path.exists(os.path.join(home, "opened-addresses")):
            os.remove(os.path.join(home, "opened-addresses"))
        self.version_server = VersionServer(self.version)
        self.site = PlaySite()
        self.process = None

    def tearDown(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait(timeout=10)
        wine_server_wait() if self.process is None else None
        self.site.close()
        self.version_server.close()

    def start(self):
        self.started = time.monotonic()
        self.process = subprocess.Popen([WINE, PROGRAM], env=environment,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)

    def wait_for_window(self):
        # Watched from the X side first: a second Wine process starting while the program's
        # own is still starting can stall in a fresh prefix.
        window = wait_until(lambda: xdotool("search", "--onlyvisible", "--name", TITLE).split(),
                            timeout=60, interval=0.02)
        self.shown_after = time.monotonic() - self.started
        self.assertTrue(window, "the main window did not appear")
        status, _ = driver("wait-window", "10000")
        self.assertEqual(status, 0, "the driver does not see the main window")
        xdotool("windowfocus", "--sync", window[0])
        time.sleep(0.5)
        return window[0]

    def screenshot(self, name):
        if SCREENSHOTS:
            os.makedirs(SCREENSHOTS, exist_ok=True)
            subprocess.run(["import", "-window", "root", os.path.join(SCREENSHOTS, name)],
                           env={"DISPLAY": display.name, "PATH": os.environ["PATH"]},
                           timeout=30, check=False)

    def wait_for_exit(self):
        try:
            return self.process.wait(timeout=30)
        except subprocess.TimeoutExpired:
            return None


class ExecutableFile(unittest.TestCase):
    def test_version_resource_icon_and_imports(self):
        import pefile
        executable = pefile.PE(PRODUCT)
        self.assertEqual(executable.FILE_HEADER.Machine, pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"])
        self.assertEqual(executable.OPTIONAL_HEADER.Subsystem,
                         pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"])
        fixed = executable.VS_FIXEDFILEINFO[0]
        self.assertEqual((fixed.FileVersionMS, fixed.FileVersionLS), (0x00010004, 0))
        self.assertEqual((fixed.ProductVersionMS, fixed.ProductVersionLS), (0x00010004, 0))
        self.assertEqual((fixed.FileFlagsMask, fixed.FileFlags, fixed.FileOS, fixed.FileType,
                          fixed.FileSubtype), (0, 0, 4, 1, 0))
        strings, translation = {}, None
        for info in executable.FileInfo[0]:
            if info.Key == b"StringFileInfo":
                for table in info.StringTable:
                    self.assertEqual(table.LangID, b"080404B0")
                    strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
            elif info.Key == b"VarFileInfo":
                translation = info.Var[0].entry[b"Translation"]
        self.assertEqual(strings["FileVersion"], "1.4.0.0")
        self.assertEqual(strings["FileDescription"], "Zivmora ")
        self.assertEqual(strings["ProductVersion"], "1.4.0.0")
        self.assertEqual(translation, "0x0804 0x04b0")

        groups = [entry for entry in executable.DIRECTORY_ENTRY_RESOURCE.entries
                  if entry.id == pefile.RESOURCE_TYPE["RT_GROUP_ICON"]]
        self.assertEqual(len(groups), 1)
        first = groups[0].directory.entries[0]
        self.assertEqual(str(first.name), "DEFAULT_ICON")
        language = first.directory.entries[0]
        self.assertEqual(language.id, 0)  # language-neutral
        data = executable.get_data(language.data.struct.OffsetToData, language.data.struct.Size)
        count = int.from_bytes(data[4:6], "little")
        self.assertEqual(count, 26)
        sizes = set()
        for i in range(count):
            entry = data[6 + 14 * i:6 + 14 * (i + 1)]
            sizes.add((entry[0] or 256, int.from_bytes(entry[6:8], "little")))
        expected = {(s, b) for s in (16, 24, 32, 48, 64, 72, 96, 128) for b in (4, 8, 32)}
        expected |= {(256, 4), (256, 8)}
        self.assertEqual(sizes, expected)

        executable.parse_data_directories()
        system = {"advapi32.dll", "comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
                  "ole32.dll", "oleaut32.dll", "shell32.dll", "user32.dll", "wininet.dll"}
        imported = {entry.dll.decode().lower() for entry in executable.DIRECTORY_ENTRY_IMPORT}
        self.assertTrue(imported <= system, imported - system)


class CodePages(unittest.TestCase):
    def test_conversion_and_version_reading(self):
        checker = os.path.join(os.path.dirname(PROGRAM), "code_page_check.exe")
        result = wine(checker, check=False)
        output = result.stdout.decode("utf-8", "replace")
        print("\n" + output)
        self.assertEqual(result.returncode, 0, output)
        self.assertNotIn("FAIL", output)


class FirstStart(WineProgramTest):
    def test_window_controls_requests_and_shortcut(self):
        self.start()
        self.wait_for_window()
        print("\nshown %.1f s after start under Wine" % self.shown_after)

        # The version page request, byte for byte where it matters.
        self.assertTrue(wait_until(lambda: self.version_server.requests))
        request = self.version_server.requests[0]
        self.assertTrue(request.startswith("GET /version HTTP/1.0\r\n"), request)
        self.assertIn("User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n",
                      request)
        self.assertIn("Accept: */*", request)
        # The browser control asks the play site for code 1.
        self.assertTrue(wait_until(lambda: "1" in self.site.play_requests()))

        time.sleep(1.5)  # at least one clock tick
        status, info = driver("info")
        self.assertEqual(status, 0)
        self.assertEqual(info["title"], TITLE)
        self.assertEqual(info["outer"], "723x546")
        self.assertEqual(info["status.edges"], "500,600,700")
        self.assertRegex(info["status.part0"], r"^\d{4}年\d{1,2}月\d{1,2}日(\d{1,2}时)?")
        self.assertEqual(info["toolbar.buttons"], "5")
        texts = [info["toolbar.button%d.text" % i] for i in range(5)]
        self.assertEqual(texts, ["操作选择＝>>", "刷新地址", "上一视频", "下一视频", ""])
        images = [info["toolbar.button%d.image" % i] for i in range(5)]
        self.assertEqual(images[1:4], ["1", "3", "3"])
        # Form order, but with the status bar lifted above the browser box so that it is
        # never covered.
        self.assertEqual(info["stacking"],
                         "msctls_statusbar32 > ZivmoraBrowserBox > Edit[请在这里输入英文字母或数字]"
                         " > ZivmoraClockTimer > ToolbarWindow32 > Edit[]")
        edit_texts = sorted(info[key] for key in info if key.endswith(".text")
                            and key.startswith("edit"))
        self.assertEqual(edit_texts, ["", "请在这里输入英文字母或数字"])
        self.screenshot("wine-first-start.png")

        # The shortcut on the prefix's desktop starts this very executable.
        links = shortcut_files()
        self.assertEqual(len(links), 1)
        status, link = driver("read-shortcut", "Z:" + links[0].replace("/", "\\"))
        self.assertEqual(status, 0)
        self.assertEqual(link["target"].lower(),
                         ("Z:" + os.path.realpath(PROGRAM).replace("/", "\\")).lower())
        with open(links[0], "rb") as shortcut:
            header = shortcut.read(0x4C)
        self.assertEqual(int.from_bytes(header[0:4], "little"), 0x4C)  # a shell link header
        self.assertEqual(int.from_bytes(header[0x3C:0x40], "little"), 5)  # SW_SHOW

        # The browser control's rendering mode was set for this executable.
        query = wine("reg", "query", "HKCU\\Software\\Microsoft\\Internet Explorer\\Main\\"
                     "FeatureControl\\FEATURE_BROWSER_EMULATION", check=False)
        self.assertRegex(query.stdout.decode("utf-8", "replace"),
                         r"(?i)%s\s+REG_DWORD\s+0x2af9" % re.escape(os.path.basename(PROGRAM)))

        # "下一视频" draws a code from 100 to 1000 and says so in part 1.
        before = len(self.site.play_requests())
        x, y = info["toolbar.button3.screen"].split(",")
        xdotool("mousemove", "--sync", x, y)
        xdotool("click", "1")
        self.assertTrue(wait_until(lambda: len(self.site.play_requests()) > before))
        time.sleep(0.5)
        code = self.site.play_requests()[-1]
        self.assertTrue(code.isdigit() and 100 <= int(code) <= 1000, code)
        status, info = driver("info")
        self.assertEqual(info["status.part1"], "你按了下一视频 ")
        self.screenshot("wine-after-toolbar-click.png")

        # A press on the hint box raises the code box, which shows the last code and takes
        # what is typed.
        hint = next(key[:-len(".text")] for key in info
                    if key.startswith("edit") and info[key] == "请在这里输入英文字母或数字")
        x, y = info[hint + ".screen"].split(",")
        xdotool("mousemove", "--sync", x, y)
        xdotool("click", "1")
        time.sleep(0.5)
        xdotool("key", "--delay", "100", "End", "BackSpace", "BackSpace", "BackSpace",
                "BackSpace", "4", "2")
        self.assertTrue(wait_until(lambda: self.site.play_requests()[-1:] == ["42"]))
        self.screenshot("wine-after-hint-box-click.png")
        status, info = driver("info")
        self.assertEqual(info["stacking"],
                         "Edit[42] > msctls_statusbar32 > ZivmoraBrowserBox > ZivmoraClockTimer"
                         " > Edit[请在这里输入英文字母或数字] > ToolbarWindow32")

        # Tab and Shift+Tab go through the focus order before any control sees them.
        xdotool("key", "Tab")  # code box -> hint box
        xdotool("type", "9")
        time.sleep(0.5)
        self.assertEqual(self.site.play_requests()[-1], "42")
        xdotool("key", "shift+Tab")  # hint box -> code box
        xdotool("type", "9")
        self.assertTrue(wait_until(lambda: self.site.play_requests()[-1:] == ["429"]))

        xdotool("key", "Escape")
        self.assertEqual(self.wait_for_exit(), 0)


class LaterStart(WineProgramTest):
    def test_existing_shortcut_is_left_alone(self):
        self.start()
        self.wait_for_window()
        links = wait_until(shortcut_files)
        self.assertEqual(len(links), 1)
        xdotool("key", "Escape")
        self.assertEqual(self.wait_for_exit(), 0)
        written = os.stat(links[0]).st_mtime_ns
        time.sleep(1)
        self.start()
        self.wait_for_window()
        self.assertEqual(os.stat(links[0]).st_mtime_ns, written)
        # No focus move on this start: the default focus rule puts it into the code box.
        xdotool("type", "3")
        self.assertTrue(wait_until(lambda: "3" in self.site.play_requests()))
        xdotool("key", "Escape")
        self.assertEqual(self.wait_for_exit(), 0)


class NewerVersion(WineProgramTest):
    version = "1.50"

    def test_ok_opens_the_download_page_and_ends_the_program(self):
        self.start()
        prompt = wait_until(lambda: xdotool("search", "--onlyvisible", "--name",
                                            PROMPT_TITLE).split(), timeout=30)
        self.assertTrue(prompt, "no update prompt")
        xdotool("windowfocus", "--sync", prompt[0])
        time.sleep(0.5)
        self.screenshot("wine-update-prompt.png")
        xdotool("key", "Return")
        self.assertEqual(self.wait_for_exit(), 0)
        self.assertTrue(wait_until(opened_addresses))
        self.assertEqual(opened_addresses(), ["http://127.0.0.1:%d/download" % SITE_PORT])


if __name__ == "__main__":
    unittest.main()
