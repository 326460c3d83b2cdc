#!/usr/bin/env python3
"""Drives the real Vardolin.exe under Wine from outside: a fresh folder with
the program and an INI, one run, and the log block it leaves (or not)."""
import os
import re
import shutil
import subprocess
import sys
import time

WINE_RUN = os.environ["SKEL_WINE_RUN"]
BIN = os.environ["SKEL_BIN"]
RULE = "-" * 62
SIZE = r"(?:[\d,]+ Bytes|[\d,]+\.\d\d (?:KB|MB|GB|TB))"
ENTRY = re.compile(r"^(?P<entry>[^,]+), " + SIZE + " ==> " + SIZE + r", PID: (?P<pid>\d+)$")
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message)


def fresh_folder(name):
    folder = os.path.join(os.getcwd(), "cleaner_e2e", name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    shutil.copy(os.path.join(BIN, "Vardolin.exe"), folder)
    return folder


def windows_path(unix_path):
    return "Z:" + unix_path.replace("/", "\\")


def write_ini(folder, lines):
    with open(os.path.join(folder, "Vardolin.ini"), "w", newline="\r\n") as f:
        f.write("[main]\n" + "".join(line + "\n" for line in lines))


def run(folder, env_extra=None):
    """Starts the cleaner and waits until it ends by itself."""
    env = dict(os.environ)
    env.update(env_extra or {})
    start = time.monotonic()
    # A cleaner that never ends fails here instead of hanging the suite.
    result = subprocess.run([WINE_RUN, os.path.join(folder, "Vardolin.exe")], cwd=folder,
                            env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
    elapsed = time.monotonic() - start
    print(f"  {os.path.basename(folder)}: exit code {result.returncode}, ended after {elapsed:.2f} s")
    check(result.returncode == 0, f"{folder}: exit code {result.returncode}")
    return result


def read_block(path):
    with open(path, "rb") as f:
        data = f.read()
    check(data.endswith(b"\r\n\r\n"), "log ends with the rule's line break and an empty line")
    return data.decode("cp1252").split("\r\n")


def check_block(lines, expect_entries, own_command_line):
    """expect_entries: the log-list entry texts that must appear, one each."""
    check(re.match(r"^Vardolin stats: \S+ \S.*\d\d", lines[0]) is not None, f"header: {lines[0]!r}")
    check(lines[1] == "Process monitored - Memory usage - PID - Process path", "column line")
    check(lines[2] == RULE, "opening rule")
    body = lines[3:-3]
    check(lines[-3] == RULE and lines[-2] == "" and lines[-1] == "", f"closing: {lines[-3:]!r}")
    check(len(body) == 2 * len(expect_entries), f"two lines per entry: {body!r}")
    seen = {}
    for first, second in zip(body[0::2], body[1::2]):
        m = ENTRY.match(first)
        check(m is not None, f"entry line: {first!r}")
        check(second.startswith("\t"), f"command line starts with a tab: {second!r}")
        if m:
            seen[m.group("entry")] = (int(m.group("pid")), second[1:])
    check(sorted(seen) == sorted(expect_entries), f"entries {sorted(seen)}")
    if "vardolin" in seen and own_command_line is not None:
        check(seen["vardolin"][1] == own_command_line, f"own command line: {seen['vardolin'][1]!r}")
    return seen


def main():
    # 1. The ordinary run: every process trimmed, the cache cleared, and two
    #    of the listed names running (the cleaner itself and the service host).
    folder = fresh_folder("logged")
    log = os.path.join(folder, "logs", "vardolin.log")
    os.makedirs(os.path.dirname(log))
    write_ini(folder, ["filecache=True", "logfileenabled=True",
                       "logfilepath=" + windows_path(log), "allprocessenable=1",
                       "logfilelist= vardolin , services.exe,nosuchprocess,services"])
    run(folder)
    exe = '"' + windows_path(os.path.join(folder, "Vardolin.exe")) + '"'
    seen = check_block(read_block(log), ["vardolin", "services.exe"], exe)
    # A second run appends a second block; the first stays as it was.
    with open(log, "rb") as f:
        first = f.read()
    run(folder)
    with open(log, "rb") as f:
        both = f.read()
    check(both.startswith(first) and both.count(b"Vardolin stats: ") == 2, "second block appended")
    second_pid = check_block(read_block(log)[len(first.decode("cp1252").split("\r\n")) - 1:],
                             ["vardolin", "services.exe"], exe)
    check(second_pid.get("vardolin", (0,))[0] != seen.get("vardolin", (0,))[0],
          "each run logs its own process")

    # 2. No INI: the run ends likewise and leaves nothing behind.
    folder = fresh_folder("no_ini")
    run(folder)
    check(os.listdir(folder) == ["Vardolin.exe"], f"nothing written: {os.listdir(folder)}")

    # 3. Settings that must not produce a file: a flag of "yes", an empty path,
    #    a folder as the path, commas only, an over-long list.
    cases = {
        "flag_yes": ["logfileenabled=yes", "logfilepath=" + windows_path("{f}/v.log"),
                     "logfilelist=vardolin"],
        "empty_path": ["logfileenabled=True", "logfilepath=", "logfilelist=vardolin"],
        "folder_path": ["logfileenabled=True", "logfilepath=" + windows_path("{f}"),
                        "logfilelist=vardolin"],
        "missing_folder": ["logfileenabled=True",
                           "logfilepath=" + windows_path("{f}/missing/v.log"),
                           "logfilelist=vardolin"],
        "commas_only": ["logfileenabled=True", "logfilepath=" + windows_path("{f}/v.log"),
                        "logfilelist=,,,", "onlylistenable=True", "onlylist=,,,"],
        "long_value": ["logfileenabled=True", "logfilepath=" + windows_path("{f}/v.log"),
                       "logfilelist=" + "x" * 5000 + ",vardolin", "ignorelistenable=1",
                       "ignorelist=" + ",".join(["y" * 40] * 200)],
    }
    for name, lines in cases.items():
        folder = fresh_folder(name)
        write_ini(folder, [line.replace(windows_path("{f}"), windows_path(folder)) for line in lines])
        run(folder)
        check(sorted(os.listdir(folder)) == ["Vardolin.exe", "Vardolin.ini"],
              f"{name}: nothing written: {os.listdir(folder)}")

    # 4. The management service unavailable: the block is still written, the
    #    command lines are empty.
    folder = fresh_folder("no_wmi")
    log = os.path.join(folder, "v.log")
    write_ini(folder, ["logfileenabled=True", "logfilepath=" + windows_path(log),
                       "logfilelist=vardolin"])
    overrides = os.environ.get("WINEDLLOVERRIDES", "mscoree,mshtml=") + ";wbemprox="
    run(folder, {"WINEDLLOVERRIDES": overrides})
    seen = check_block(read_block(log), ["vardolin"], "")

    print("cleaner e2e:", "FAILED" if failures else "passed", f"({len(failures)} failures)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
