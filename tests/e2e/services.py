#!/usr/bin/env python3
"""The Linux side of the end-to-end scenarios, steered by the driver under Wine.

run_e2e.sh starts it; the driver connects to its control port and sends one command a line:

    join|host <case> <port>   a hostile peer case against the program (hostile_peer.py)
    go                        lets a waiting peer case carry on
    relay <status> <port> [rate]
                              (re)starts the maker's server (tools/server) on <port>, answering
                              feedback with <status> (200 stores it; 0 stops the server),
                              sending update files at <rate> bytes a second if given
    feedback                  the stored feedback rows, as one line of JSON
    descriptor none|tampered  what the server offers as the update descriptor: nothing, or the
                              tests' signed descriptor with one byte changed
    publish [same|newer|damaged|big]
                              an update published with the maker's publisher: the program with
                              its version raised to 2.0.1 (replaced after it closes) and a text
                              file installed in place; or the program as it is (nothing to
                              update), a newer product, the program's compressed file damaged,
                              or with a 3 MB file besides (slow to fetch on a slow line)

Each command gets one answer line: "done ...", "ready" (a peer case listening), a JSON line, or
"fail ...".
"""

import argparse
import json
import os
import socket
import shutil
import sqlite3
import struct
import subprocess
import sys

import hostile_peer

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SERVER = os.path.join(ROOT, "tools", "server", "quillon_server.py")
PUBLISHER = os.path.join(ROOT, "build", "native", "tools", "publish", "quillon-publish")
DEV_KEY = os.path.join(ROOT, "packaging", "dev_update_key.pem")
MANIFEST = """url = http://127.0.0.1:8080/
baseurl = http://127.0.0.1:8080/updates/
product_version = {product}

[Quillon.exe]
name = Quillon
path = $(APP_PATH)
filename = $(APP_EXENAME)
category = Program
flags = download differed restart
"""
README_SECTION = """
[readme.txt]
name = Read me
path = $(APP_PATH)
category = Documentation
date = 2030-01-01
"""
BIG_SECTION = """
[extras.bin]
name = Extras
path = $(APP_PATH)
category = Extras
date = 2030-01-01
"""
README = b"Quillon 2.0.1: what is new.\r\n"
SIGNED_DESCRIPTOR = os.path.join(ROOT, "tests", "win", "iupdate", "data", "signed_descriptor.xml")


class Control:
    def __init__(self, sock):
        self.file = sock.makefile("rw", encoding="utf-8", newline="\n")

    def read(self):
        line = self.file.readline()
        if not line:
            raise EOFError
        return line.split()

    def say(self, line):
        self.file.write(line + "\n")
        self.file.flush()

    def await_go(self):
        if self.read() != ["go"]:
            raise hostile_peer.CaseFailed("expected go from the driver")


class Relay:
    """The maker's server in a process of its own, with its database in the output folder."""

    def __init__(self, folder):
        self.db = os.path.join(folder, "feedback.db")
        self.updates = os.path.join(folder, "updates")
        self.process = None

    def start(self, status, port, rate=0):
        self.stop()
        if status == 0:
            return "done relay stopped"
        os.makedirs(self.updates, exist_ok=True)
        self.process = subprocess.Popen(
            [sys.executable, SERVER, "--port", str(port), "--db", self.db,
             "--updates", self.updates] + (["--status", str(status)] if status != 200 else [])
            + (["--rate", str(rate)] if rate else []),
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        line = self.process.stdout.readline()  # "listening on ..." once it takes connections
        return "done " + line.strip() if line else "fail the server did not start"

    def stop(self):
        if self.process:
            self.process.terminate()
            self.process.wait()
            self.process = None

    def offer_descriptor(self, kind):
        os.makedirs(self.updates, exist_ok=True)
        target = os.path.join(self.updates, "quillon_2.xml")
        if kind == "none":
            if os.path.exists(target):
                os.remove(target)
            return "done no descriptor"
        with open(SIGNED_DESCRIPTOR, "rb") as f:
            data = bytearray(f.read())
        at = data.index(b"<MAJOR>2") + len(b"<MAJOR>")
        data[at] = ord("9")  # a newer product version, were the signature not checked
        with open(target, "wb") as f:
            f.write(data)
        return "done tampered descriptor"

    def publish(self, program, variant):
        """The program with the build number of its file version raised (2.0.1), published;
        or the variant's update."""
        source = os.path.join(os.path.dirname(self.db), "publish")
        shutil.rmtree(source, ignore_errors=True)
        os.makedirs(source)
        with open(program, "rb") as f:
            exe = bytearray(f.read())
        at = exe.find(b"\xbd\x04\xef\xfe")  # VS_FIXEDFILEINFO: signature, struct version, MS, LS
        if at < 0:
            return "fail the program has no version information"
        if variant != "same":
            exe[at + 12:at + 16] = struct.pack("<I", 1 << 16)
        with open(os.path.join(source, "Quillon.exe"), "wb") as f:
            f.write(exe)
        with open(os.path.join(source, "readme.txt"), "wb") as f:
            f.write(README)
        with open(os.path.join(source, "update.manifest"), "w") as f:
            f.write(MANIFEST.format(product="2.1.0" if variant == "newer" else "2.0.0"))
            if variant != "same":
                f.write(README_SECTION)
            if variant == "big":
                f.write(BIG_SECTION)
        if variant == "big":
            with open(os.path.join(source, "extras.bin"), "wb") as f:
                f.write(os.urandom(3 * 1024 * 1024))
        done = subprocess.run(
            [PUBLISHER, "--manifest", os.path.join(source, "update.manifest"), "--input", source,
             "--output", self.updates, "--key", DEV_KEY], capture_output=True, text=True)
        if done.returncode != 0:
            return "fail the publisher: " + (done.stderr or done.stdout).strip().replace("\n", " ")
        if variant == "damaged":
            with open(os.path.join(self.updates, "files", "Quillon.exe"), "r+b") as f:
                f.seek(100)
                byte = f.read(1)
                f.seek(100)
                f.write(bytes([byte[0] ^ 0xFF]))
        return "done published " + variant

    def rows(self):
        if not os.path.exists(self.db):
            return "[]"
        with sqlite3.connect(self.db) as db:
            db.row_factory = sqlite3.Row
            rows = db.execute("SELECT * FROM feedback ORDER BY id").fetchall()
        return json.dumps([{k: r[k] for k in r.keys() if k != "raw"} for r in rows])


def serve(control, relay, program):
    while True:
        try:
            words = control.read()
            if words and words[0] in ("join", "host"):
                control.say(hostile_peer.play(words, control))
            elif len(words) in (3, 4) and words[0] == "relay":
                control.say(relay.start(*(int(w) for w in words[1:])))
            elif words == ["feedback"]:
                control.say(relay.rows())
            elif words[:1] == ["publish"] and len(words) <= 2:
                control.say(relay.publish(program, words[1] if len(words) == 2 else "raised"))
            elif len(words) == 2 and words[0] == "descriptor" and words[1] in ("none", "tampered"):
                control.say(relay.offer_descriptor(words[1]))
            else:
                control.say("fail unknown command %r" % " ".join(words))
        except EOFError:
            return  # the driver is gone


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--control", type=int, required=True, help="port the driver connects to")
    parser.add_argument("--folder", required=True, help="where the server keeps its files")
    parser.add_argument("--program", required=True, help="the built Quillon.exe, for publish")
    args = parser.parse_args()
    relay = Relay(args.folder)
    with socket.socket() as listener:
        listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        listener.bind(("127.0.0.1", args.control))
        listener.listen(1)
        print("services: control on %d" % args.control, flush=True)
        try:
            while True:  # one driver run after another
                sock, _ = listener.accept()
                with sock:
                    serve(Control(sock), relay, args.program)
                relay.stop()  # each scenario starts the server it needs
        finally:
            relay.stop()


if __name__ == "__main__":
    sys.exit(main())
