#!/usr/bin/env python3
"""Linux-side client of the monitor's statistics protocol.

The monitor answers the bare word "getalldata" with one reply of sixteen
"Label: value" fields joined by "|", over UDP on 127.0.0.1 (requests to port
2, replies to port 3) and over TCP on its remote port. "vardolin" makes it
run the cleaner and answers nothing.

  stats_client.py udp   [--request TEXT] [--timeout S]       one exchange; prints the reply
  stats_client.py tcp   --port P [--request TEXT ...]        one connection, one reply per request
  stats_client.py admitted --port P                          "admitted" (exit 0) or "refused" (exit 3)
  stats_client.py watch [--port P]                           a viewer's panel once a second
  stats_client.py load  --port P --viewers N [--seconds S]   N viewers polling once a second
  stats_client.py closed-loop --port P [--seconds S] [--clients K]
  stats_client.py abuse --port P [--pid N] [--cycles N]    bad input, then a viewer is still served

Exit status: 0 on success, 1 when no well-formed reply came, 2 on bad use.
"load" and "closed-loop" print one JSON line with the figures.
"""

import argparse
import json
import os
import struct
import re
import resource
import selectors
import signal
import socket
import sys
import time

MONITOR_UDP_PORT = 2
SAVER_UDP_PORT = 3
LOOPBACK = "127.0.0.1"

LABELS = [
    "Commit Total: ", "Commit Limit: ", "Commit Peak: ", "File Cache: ",
    "Handle Count: ", "Kernel Total: ", "Kernel Paged: ", "Kernel Non Paged: ",
    "Memory Avail.: ", "Memory Total: ", "Memory Used: ", "Memory Used %: ",
    "Process Count: ", "System Cache: ", "Thread Count: ", "Up Time: ",
]

# The six groups a viewer shows: (group, [(row caption, field, placeholder)]).
GROUPS = [
    ("Memory", [("Memory Total :", 9, "00.00 MB"), ("Memory Used :", 10, "00.00 MB"),
                ("Memory Free :", 8, "00.00 MB"), ("Percent Used :", 11, "0%")]),
    ("Commit", [("Commit Total :", 0, "00.00 MB"), ("Commit Limit :", 1, "00.00 MB"),
                ("Commit Peak :", 2, "00.00 MB")]),
    ("Kernel", [("Kernel Total :", 5, "00.00 MB"), ("Kernel Paged :", 6, "00.00 MB"),
                ("Kernel Non Paged :", 7, "00.00 MB")]),
    ("Counts", [("Process Count :", 12, "0"), ("Handle Count :", 4, "0"),
                ("Thread Count :", 14, "0")]),
    ("Cache", [("File Cache :", 3, "00.00 MB"), ("System Cache :", 13, "00.00 MB")]),
    ("System Up Time", [("", 15, "0 Days 00:00:00")]),
]

UP_TIME = re.compile(r"\d+ Days? \d\d:\d\d:\d\d$")


def read_reply(text):
    """The clients' reading rule: the display text of each field, or None
    where the field is missing or lacks its pieces."""
    rows = [None] * 16
    if not text:
        return rows
    for i, field in enumerate(text.split("|")[:16]):
        pieces = field.split(":")
        if i == 15:
            if len(pieces) >= 4:
                rows[i] = ":".join(pieces[1:4])
        elif len(pieces) >= 2:
            rows[i] = pieces[1] + (" %" if i == 11 else "")
    return rows


def is_well_formed(text):
    """Sixteen fields with their labels in order, each with a value, and a
    complete up-time text at the end."""
    fields = text.split("|")
    if len(fields) != 16:
        return False
    for label, field in zip(LABELS, fields):
        if not field.startswith(label) or len(field) == len(label):
            return False
    return bool(UP_TIME.search(fields[15]))


def panel(rows):
    """The values as a viewer lays them out, placeholders where no value."""
    lines = []
    for group, entries in GROUPS:
        lines.append(f"[{group}]")
        for caption, field, placeholder in entries:
            value = rows[field].strip() if rows[field] is not None else placeholder
            lines.append(f"  {caption:>20} {value:>18}" if caption else f"  {value:^39}")
    return "\n".join(lines)


def decode(data):
    return data.decode("cp1252", errors="replace")


def udp_exchange(request, timeout):
    """Sends one datagram to port 2 from port 3 and waits for the reply,
    which the monitor always addresses to port 3."""
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as s:
        s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        s.bind((LOOPBACK, SAVER_UDP_PORT))
        s.settimeout(timeout)
        s.sendto(request.encode("cp1252"), (LOOPBACK, MONITOR_UDP_PORT))
        try:
            data, _ = s.recvfrom(65536)
        except socket.timeout:
            return None
        return decode(data)


def tcp_receive_reply(s, timeout):
    """Reads until a whole reply has arrived (a viewer takes each arrival as
    a reply; this client waits for the complete one), or the time is up."""
    s.settimeout(timeout)
    buffered = ""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            data = s.recv(65536)
        except socket.timeout:
            break
        except OSError:  # reset by the monitor: a refused connection
            break
        if not data:
            break
        buffered += decode(data)
        if is_well_formed(buffered):
            return buffered
    return buffered or None


def answered(s, timeout):
    """Asks once on a connection; True when a whole, well-formed reply comes."""
    s.sendall(b"getalldata")
    reply = tcp_receive_reply(s, timeout)
    return reply is not None and is_well_formed(reply)


def cmd_udp(args):
    reply = udp_exchange(args.request, args.timeout)
    if reply is None:
        print("no reply", file=sys.stderr)
        return 1
    print(reply)
    return 0 if is_well_formed(reply) else 1


def cmd_tcp(args):
    try:
        s = socket.create_connection((args.host, args.port), timeout=args.timeout)
    except OSError as e:
        print(f"connect failed: {e}", file=sys.stderr)
        return 1
    status = 0
    with s:
        for request in args.request:
            s.sendall(request.encode("cp1252"))
            if request.lower() == "getalldata":
                reply = tcp_receive_reply(s, args.timeout)
                print(reply if reply is not None else "")
                if reply is None or not is_well_formed(reply):
                    status = 1
            else:
                # Anything else gets no answer; wait a moment to show that.
                s.settimeout(args.quiet)
                try:
                    data = s.recv(65536)
                    if not data:
                        print("(connection closed)")
                        status = 1
                    else:
                        print("unexpected answer: " + decode(data))
                        status = 1
                except socket.timeout:
                    print("(no answer)")
    return status


def cmd_admitted(args):
    """A refused peer sees its connection closed without an answer; an
    admitted one gets a reply to its request."""
    try:
        s = socket.create_connection((LOOPBACK, args.port), timeout=args.timeout)
    except OSError as e:
        print(f"refused ({e})")
        return 3
    with s:
        try:
            admitted = answered(s, args.timeout)
        except OSError:
            admitted = False
    print("admitted" if admitted else "refused")
    return 0 if admitted else 3


def cmd_watch(args):
    """Polls once a second and prints the panel, until interrupted."""
    rows = [None] * 16
    conn = None
    stop = []
    signal.signal(signal.SIGTERM, lambda *_: stop.append(1))
    try:
        while not stop:
            started = time.monotonic()
            reply = None
            try:
                if args.port:
                    if conn is None:
                        conn = socket.create_connection((LOOPBACK, args.port), timeout=2)
                    conn.sendall(b"getalldata")
                    reply = tcp_receive_reply(conn, 2)
                else:
                    reply = udp_exchange("getalldata", 2)
            except OSError:
                if conn is not None:
                    conn.close()
                conn = None
            # Each field updates its own row; missing ones keep their text.
            for i, value in enumerate(read_reply(reply or "")):
                if value is not None:
                    rows[i] = value
            stamp = time.strftime("%H:%M:%S")
            state = "" if reply else "  (no reply)"
            print(f"--- {stamp}{state}\n{panel(rows)}", flush=True)
            time.sleep(max(0.0, 1.0 - (time.monotonic() - started)))
    except KeyboardInterrupt:
        pass
    finally:
        if conn is not None:
            conn.close()
    return 0


def percentile(values, fraction):
    if not values:
        return None
    ordered = sorted(values)
    index = min(len(ordered) - 1, max(0, int(round(fraction * (len(ordered) - 1)))))
    return ordered[index]


def raise_fd_limit(needed):
    soft, hard = resource.getrlimit(resource.RLIMIT_NOFILE)
    if soft < needed:
        resource.setrlimit(resource.RLIMIT_NOFILE, (min(hard, needed), hard))


class Viewer:
    def __init__(self, sock):
        self.sock = sock
        self.buffer = ""
        self.sent_at = None
        self.next_at = 0.0


def cmd_load(args):
    """N viewers, each sending "getalldata" once a second on its own
    connection, for the given seconds. A request counts as failed when its
    connection fails or no whole reply comes within the timeout."""
    raise_fd_limit(args.viewers + 64)
    sel = selectors.DefaultSelector()
    viewers = []
    failed = 0
    connect_failed = 0
    for _ in range(args.viewers):
        try:
            s = socket.create_connection((LOOPBACK, args.port), timeout=10)
            # A viewer asks as soon as it is connected. Waiting for that
            # first reply also paces the connecting: the listener's backlog
            # holds five, and a connection beyond it waits a second.
            if not answered(s, args.timeout):
                raise OSError("no first reply")
            s.setblocking(False)
            v = Viewer(s)
            viewers.append(v)
            sel.register(s, selectors.EVENT_READ, v)
        except OSError:
            connect_failed += 1
    latencies = []
    start = time.monotonic()
    # Spread the viewers over the first second, as real viewers are.
    for i, v in enumerate(viewers):
        v.next_at = start + i / max(1, len(viewers))
    end = start + args.seconds
    while True:
        now = time.monotonic()
        if now >= end and all(v.sent_at is None for v in viewers):
            break
        if now >= end + args.timeout:
            break
        for v in viewers:
            if v.sock is None:
                continue
            if v.sent_at is None and now >= v.next_at and now < end:
                try:
                    v.sock.send(b"getalldata")
                    v.sent_at = now
                    v.next_at += 1.0
                except OSError:
                    failed += 1
                    sel.unregister(v.sock)
                    v.sock.close()
                    v.sock = None
            elif v.sent_at is not None and now - v.sent_at > args.timeout:
                failed += 1
                v.sent_at = None
                v.buffer = ""
        for key, _ in sel.select(timeout=0.005):
            v = key.data
            try:
                data = v.sock.recv(65536)
            except OSError:
                data = b""
            if not data:
                if v.sent_at is not None:
                    failed += 1
                sel.unregister(v.sock)
                v.sock.close()
                v.sock = None
                continue
            v.buffer += decode(data)
            if v.sent_at is not None and is_well_formed(v.buffer):
                latencies.append(time.monotonic() - v.sent_at)
                v.sent_at = None
                v.buffer = ""
    elapsed = time.monotonic() - start
    for v in viewers:
        if v.sock is not None:
            v.sock.close()
    result = {
        "mode": "load",
        "viewers": args.viewers,
        "connected": len(viewers),
        "seconds": round(elapsed, 2),
        "replies": len(latencies),
        "replies_per_second": round(len(latencies) / elapsed, 1) if elapsed else 0,
        "p50_ms": round(1000 * percentile(latencies, 0.50), 2) if latencies else None,
        "p99_ms": round(1000 * percentile(latencies, 0.99), 2) if latencies else None,
        "max_ms": round(1000 * max(latencies), 2) if latencies else None,
        "failed": failed + connect_failed,
    }
    print(json.dumps(result))
    return 0 if result["failed"] == 0 else 1


def cmd_closed_loop(args):
    """K clients, each sending its next request as soon as the last reply
    is complete: the monitor's ceiling in replies per second."""
    sockets = [socket.create_connection((LOOPBACK, args.port), timeout=10)
               for _ in range(args.clients)]
    sel = selectors.DefaultSelector()
    state = {}
    for s in sockets:
        s.setblocking(False)
        sel.register(s, selectors.EVENT_READ)
        state[s] = ["", time.monotonic()]
        s.send(b"getalldata")
    latencies = []
    failed = 0
    start = time.monotonic()
    end = start + args.seconds
    while time.monotonic() < end and sel.get_map():
        for key, _ in sel.select(timeout=0.05):
            s = key.fileobj
            try:
                data = s.recv(65536)
            except OSError:
                data = b""
            if not data:
                failed += 1
                sel.unregister(s)
                continue
            entry = state[s]
            entry[0] += decode(data)
            if is_well_formed(entry[0]):
                now = time.monotonic()
                latencies.append(now - entry[1])
                entry[0] = ""
                entry[1] = now
                if now < end:
                    s.send(b"getalldata")
        now = time.monotonic()
        for s in list(sel.get_map().values()):
            if now - state[s.fileobj][1] > args.timeout:
                failed += 1
                sel.unregister(s.fileobj)
    elapsed = time.monotonic() - start
    for s in sockets:
        s.close()
    result = {
        "mode": "closed-loop",
        "clients": args.clients,
        "seconds": round(elapsed, 2),
        "replies": len(latencies),
        "replies_per_second": round(len(latencies) / elapsed, 1) if elapsed else 0,
        "p50_ms": round(1000 * percentile(latencies, 0.50), 2) if latencies else None,
        "p99_ms": round(1000 * percentile(latencies, 0.99), 2) if latencies else None,
        "max_ms": round(1000 * max(latencies), 2) if latencies else None,
        "failed": failed,
    }
    print(json.dumps(result))
    return 0 if failed == 0 else 1


def resident_kb(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def reset_close(s):
    """Closes with a reset instead of the orderly close: a peer that vanishes."""
    s.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    s.close()


def silent(s, seconds):
    """True when nothing comes back and the connection stays open."""
    s.settimeout(seconds)
    try:
        s.recv(65536)  # an answer, or the monitor's close
        return False
    except socket.timeout:
        return True
    except OSError:
        return False


def cmd_abuse(args):
    """Garbage, megabytes in one go, peers that vanish and thousands of
    connect/close cycles; after each, a well-behaved viewer must still get
    its reply. With --pid the monitor's resident memory is reported too."""
    checks = {}
    memory = {}
    started = time.monotonic()

    def note(text):
        print(f"{time.monotonic() - started:7.2f} s  {text}", file=sys.stderr, flush=True)

    def steps():
        witness = socket.create_connection((LOOPBACK, args.port), timeout=10)

        def witness_served(name):
            # Generous: the question is whether the monitor still answers,
            # and after megabytes it first reads what the system holds.
            checks[name] = answered(witness, max(args.timeout, 20))
            note(name)

        witness_served("witness served")

        with socket.create_connection((LOOPBACK, args.port), timeout=10) as g:
            g.sendall(os.urandom(65536))
            g.sendall(b"\x00getalldata\x00")
            checks["garbage gets no answer"] = silent(g, 1.0)
        witness_served("served after garbage")

        memory["before megabytes"] = resident_kb(args.pid) if args.pid else None
        with socket.create_connection((LOOPBACK, args.port), timeout=30) as m:
            m.sendall(b"x" * (8 << 20))
            checks["megabytes get no answer"] = silent(m, 1.0)
        witness_served("served after megabytes")

        # Peers that are served, stay, and then all vanish with a reset at once.
        vanished = []
        for _ in range(200):
            v = socket.create_connection((LOOPBACK, args.port), timeout=10)
            vanished.append((v, answered(v, args.timeout)))
        checks["200 peers served"] = all(ok for _, ok in vanished)
        for v, _ in vanished:
            reset_close(v)
        witness_served("served after vanished peers")

        def cycles(count):
            # In turn: served and closed; served and reset; reset straight after
            # the request, often before the monitor has even accepted. Each
            # served cycle waits for its reply, which keeps the listener's
            # backlog of five from overflowing.
            for i in range(count):
                c = socket.create_connection((LOOPBACK, args.port), timeout=10)
                if i % 3 == 2:
                    c.sendall(b"getalldata")
                    reset_close(c)
                    continue
                if not answered(c, args.timeout):
                    checks["every cycle served"] = False
                if i % 3:
                    reset_close(c)
                else:
                    c.close()

        checks["every cycle served"] = True
        cycles(200)
        witness_served("served after warm-up cycles")
        memory["after warm-up cycles"] = resident_kb(args.pid) if args.pid else None
        cycles(args.cycles)
        witness_served("served after cycles")
        memory["after cycles"] = resident_kb(args.pid) if args.pid else None
        witness.close()
        with socket.create_connection((LOOPBACK, args.port), timeout=10) as late:
            checks["a new viewer is served"] = answered(late, args.timeout)

    try:
        steps()
    except OSError as e:
        # A connection refused or timed out: the monitor stopped serving.
        checks[f"connections keep working ({e})"] = False
    print(json.dumps({"mode": "abuse", "cycles": args.cycles, "checks": checks,
                      "resident_kb": memory}))
    return 0 if all(checks.values()) else 1


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    sub = parser.add_subparsers(dest="command", required=True)
    p = sub.add_parser("udp")
    p.add_argument("--request", default="getalldata")
    p.add_argument("--timeout", type=float, default=5)
    p.set_defaults(run=cmd_udp)
    p = sub.add_parser("tcp")
    p.add_argument("--host", default=LOOPBACK)
    p.add_argument("--port", type=int, required=True)
    p.add_argument("--request", action="append")
    p.add_argument("--timeout", type=float, default=5)
    p.add_argument("--quiet", type=float, default=1.0,
                   help="seconds to wait to show that a request gets no answer")
    p.set_defaults(run=cmd_tcp)
    p = sub.add_parser("admitted")
    p.add_argument("--port", type=int, required=True)
    p.add_argument("--timeout", type=float, default=5)
    p.set_defaults(run=cmd_admitted)
    p = sub.add_parser("watch")
    p.add_argument("--port", type=int, default=0, help="TCP port; UDP when omitted")
    p.set_defaults(run=cmd_watch)
    p = sub.add_parser("load")
    p.add_argument("--port", type=int, required=True)
    p.add_argument("--viewers", type=int, required=True)
    p.add_argument("--seconds", type=float, default=10)
    p.add_argument("--timeout", type=float, default=5)
    p.set_defaults(run=cmd_load)
    p = sub.add_parser("closed-loop")
    p.add_argument("--port", type=int, required=True)
    p.add_argument("--seconds", type=float, default=10)
    p.add_argument("--clients", type=int, default=1)
    p.add_argument("--timeout", type=float, default=5)
    p.set_defaults(run=cmd_closed_loop)
    p = sub.add_parser("abuse")
    p.add_argument("--port", type=int, required=True)
    p.add_argument("--pid", type=int, default=0, help="the monitor's process, for its memory")
    p.add_argument("--cycles", type=int, default=2000)
    p.add_argument("--timeout", type=float, default=5)
    p.set_defaults(run=cmd_abuse)
    args = parser.parse_args(argv)
    if args.command == "tcp" and not args.request:
        args.request = ["getalldata"]
    return args.run(args)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
