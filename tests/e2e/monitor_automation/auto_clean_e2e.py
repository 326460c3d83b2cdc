#!/usr/bin/env python3
"""Drives the real monitor and cleaner under Wine from outside: auto-clean at
1 % every minute must start the cleaner (its log block appears), and while
"Pause Advanced Monitor" is checked it must not.

One monitor run covers both: it is paused right after start-up, stays paused
past its first minute (no block may appear), then is un-paused and must start
the cleaner at its next minute."""
import os
import shutil
import subprocess
import sys
import time

WINE_RUN = os.environ["SKEL_WINE_RUN"]
BIN = os.environ["SKEL_BIN"]
POST = sys.argv[1]
SKIP = 77
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)


def windows_path(unix_path):
    return "Z:" + unix_path.replace("/", "\\")


def ensure_display(env):
    """One X display for the monitor and the helper, so they share a desktop."""
    if env.get("DISPLAY") and subprocess.run(["xdpyinfo"], env=env, capture_output=True).returncode == 0:
        return None
    for n in range(140, 180):
        if os.path.exists(f"/tmp/.X11-unix/X{n}") or os.path.exists(f"/tmp/.X{n}-lock"):
            continue
        xvfb = subprocess.Popen(["Xvfb", f":{n}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        env["DISPLAY"] = f":{n}"
        for _ in range(50):
            if subprocess.run(["xdpyinfo"], env=env, capture_output=True).returncode == 0:
                return xvfb
            time.sleep(0.1)
        xvfb.kill()
    sys.exit("no X display")


def read_text(path):
    try:
        with open(path, "rb") as f:
            return f.read().decode("cp1252")
    except OSError:
        return ""


def setting(folder, key):
    for line in read_text(os.path.join(folder, "skelvane_settings.ini")).splitlines():
        name, _, value = line.partition("=")
        if name.strip().lower() == key:
            return value
    return None


def wait_for(predicate, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if predicate():
            return True
        time.sleep(0.5)
    return predicate()


def main():
    env = dict(os.environ)
    xvfb = ensure_display(env)
    folder = os.path.join(os.getcwd(), "monitor_automation_e2e")
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for program in ("skelvane.exe", "Vardolin.exe"):
        shutil.copy(os.path.join(BIN, program), folder)
    monitor_exe = windows_path(os.path.join(folder, "skelvane.exe"))
    log = os.path.join(folder, "vardolin.log")
    with open(os.path.join(folder, "Vardolin.ini"), "w", newline="\r\n") as f:
        f.write("[main]\nlogfileenabled=True\nlogfilepath=" + windows_path(log) +
                "\nlogfilelist=vardolin\n")
    # "01" reads as checked; the check box's start-up click writes it back
    # as "1", which shows that the automation is on the window.
    with open(os.path.join(folder, "skelvane_settings.ini"), "w", newline="\r\n") as f:
        f.write("[main]\nenableautoclean=01\nautocleanpercent=1\nautocleanmin=1\nshow=0\n")

    def post(item):
        r = subprocess.run([WINE_RUN, POST, item, monitor_exe], cwd=folder, env=env,
                           capture_output=True, timeout=60)
        return r.returncode == 0

    monitor = subprocess.Popen([WINE_RUN, os.path.join(folder, "skelvane.exe")], cwd=folder, env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                               start_new_session=True)
    status = 0
    try:
        if not wait_for(lambda: setting(folder, "enableautoclean") == "1", 30):
            print("SKIP: the monitor does not carry the auto-clean yet "
                  f"(enableautoclean={setting(folder, 'enableautoclean')!r})")
            status = SKIP
            return
        started = time.monotonic()
        check(post("pause"), "pause posted")
        # Past the first minute of the timer, paused: nothing may run.
        time.sleep(max(0.0, 75 - (time.monotonic() - started)))
        check(monitor.poll() is None, "the monitor still runs after its first minute")
        check("Vardolin stats: " not in read_text(log), "no cleaner run while paused")
        check(post("pause"), "un-pause posted")
        ran = wait_for(lambda: "Vardolin stats: " in read_text(log), 75)
        check(ran, "the cleaner ran within a minute of un-pausing")
        if ran:
            print("  log block after un-pausing:", read_text(log).splitlines()[0])
        check(setting(folder, "autocleanpercent") == "1", "threshold key untouched")
    finally:
        post("exit")
        try:
            monitor.wait(timeout=30)
        except subprocess.TimeoutExpired:
            os.killpg(monitor.pid, 9)
            monitor.wait()
            check(False, "the monitor ended on Exit")
        if xvfb:
            xvfb.kill()
        if status == 0 and failures:
            status = 1
        sys.exit(status)


if __name__ == "__main__":
    main()
