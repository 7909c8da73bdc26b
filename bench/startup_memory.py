"""Start-up time and memory of the Linux program beside a bare WebKitGTK window.

Both load the same demo-site page on a private Xvfb display. Time is from exec to the
window being shown (visible on the X server); memory is the proportional set size (PSS)
summed over the process and all its descendants (WebKit's network and web processes
included), read once the page has loaded and a second has passed.

    python3 bench/startup_memory.py BUILD_DIR [RUNS]
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "gtk"))
from desktop_session import Display, wait_until  # noqa: E402

PORT = 28643


def descendants(pid):
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open("/proc/%s/stat" % entry) as stat:
                    fields = stat.read().rsplit(")", 1)[1].split()
                children.setdefault(int(fields[1]), []).append(int(entry))
            except OSError:
                pass
    found, queue = [], [pid]
    while queue:
        current = queue.pop()
        found.append(current)
        queue.extend(children.get(current, []))
    return found


def pss_kib(pids):
    total = 0
    for pid in pids:
        try:
            with open("/proc/%d/smaps_rollup" % pid) as rollup:
                for line in rollup:
                    if line.startswith("Pss:"):
                        total += int(line.split()[1])
        except OSError:
            pass
    return total


def visible_window(display, title):
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                            capture_output=True, text=True,
                            env={"DISPLAY": display.name, "PATH": os.environ["PATH"]})
    return result.stdout.split()


def measure(command, title, display, site_log, environment):
    requests_before = len(open(site_log).read().splitlines())
    started = time.monotonic()
    process = subprocess.Popen(command, env=environment, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    wait_until(lambda: visible_window(display, title), timeout=30, interval=0.005)
    shown = time.monotonic() - started
    wait_until(lambda: any("/play/" in line
                           for line in open(site_log).read().splitlines()[requests_before:]),
               timeout=30)
    time.sleep(1.0)
    memory = pss_kib(descendants(process.pid))
    process.terminate()
    process.wait(timeout=10)
    return shown, memory


def main():
    build = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    display = Display()
    home = tempfile.mkdtemp(prefix="zivmora-bench-")
    os.makedirs(os.path.join(home, "Desktop"))
    # A later start: the shortcut step finds its entry and the created sequence ends there.
    open(os.path.join(home, "Desktop", "Zivmora1.4.desktop"), "w").close()
    site_log = os.path.join(home, "site.log")
    open(site_log, "w").close()
    site = subprocess.Popen([os.path.join(build, "demo-site"), "--port", str(PORT),
                             "--log", site_log], stdout=subprocess.DEVNULL)
    time.sleep(0.5)
    environment = {"PATH": os.environ["PATH"], "HOME": home, "DISPLAY": display.name,
                   "LANG": "C.UTF-8", "NO_AT_BRIDGE": "1"}
    program = os.path.join(build, "bench", "zivmora-for-bench")
    bare = os.path.join(build, "bench", "bare-webkit-window")
    page = "http://127.0.0.1:%d/play/?:1" % PORT
    results = {"zivmora": [], "bare WebKitGTK window": []}
    try:
        for _ in range(runs):
            results["zivmora"].append(
                measure([program], "Quenlo", display, site_log, environment))
            results["bare WebKitGTK window"].append(
                measure([bare, page], "bare-webkit-window", display, site_log, environment))
    finally:
        site.terminate()
        display.close()
        shutil.rmtree(home, ignore_errors=True)

    print("%-24s %18s %20s" % ("", "exec to shown (ms)", "PSS, all processes"))
    medians = {}
    for name, samples in results.items():
        shown = statistics.median(s for s, _ in samples) * 1000
        memory = statistics.median(m for _, m in samples) / 1024
        medians[name] = (shown, memory)
        print("%-24s %18.0f %17.1f MiB" % (name, shown, memory))
    program_shown, program_memory = medians["zivmora"]
    bare_shown, bare_memory = medians["bare WebKitGTK window"]
    print("%-24s %18.2f %20.2f" % ("ratio", program_shown / bare_shown,
                                   program_memory / bare_memory))
    print("(medians of %d runs each, alternating)" % runs)


if __name__ == "__main__":
    main()
