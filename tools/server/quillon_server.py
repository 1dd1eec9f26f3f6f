#!/usr/bin/python3
"""The maker's server: the feedback relay page and the update files.

POST (or GET, with a body or a query) on /updates/submit.asp stores one feedback form as a row
of the SQLite table `feedback`; any other path below /updates/ answers the file of that path
under the updates folder.  Python 3 standard library only.

    quillon_server.py --port 8080 [--host 127.0.0.1] [--db feedback.db] [--updates updates]
                      [--status CODE] [--rate BYTES_PER_SECOND]
"""

import argparse
import datetime
import os
import signal
import sqlite3
import sys
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

SUBMIT_PATH = "/updates/submit.asp"
UPDATES_PREFIX = "/updates/"
FIELDS = ("name", "email", "app", "appver", "vyxdll", "adodb", "windows", "feedback")
# A feedback form is a few kilobytes; anything far larger is not one.
MAX_BODY = 1 << 20
CONTENT_TYPES = {
    ".xml": "text/xml",
    ".txt": "text/plain; charset=utf-8",
    ".htm": "text/html",
    ".html": "text/html",
    ".exe": "application/octet-stream",
    ".dll": "application/octet-stream",
    ".ocx": "application/octet-stream",
    ".chm": "application/vnd.ms-htmlhelp",
    ".jpg": "image/jpeg",
    ".bmp": "image/bmp",
    ".zip": "application/zip",
}

SCHEMA = (
    "CREATE TABLE IF NOT EXISTS feedback ("
    " id INTEGER PRIMARY KEY,"
    " received TEXT NOT NULL,"  # UTC, ISO 8601
    " client TEXT NOT NULL,"
    + "".join(" %s TEXT," % f for f in FIELDS)
    + " raw BLOB NOT NULL,"  # the body exactly as it came, unknown fields included
    " content_type TEXT)"  # as the request declared its body: how to read a raw one again
)


def parse_form(body):
    """The known fields of a form body (bytes), decoded (UTF-8); a field sent twice keeps its
    first value.  One leading "?" is dropped, and the "adodb: value" piece, which has no "=",
    counts as the field adodb."""
    try:
        text = body.decode("utf-8")
    except UnicodeDecodeError:  # unescaped bytes in the system's code page, as older copies send
        text = body.decode("cp1252", errors="replace")
    if text.startswith("?"):
        text = text[1:]
    fields = {}
    for piece in text.split("&"):
        if piece.startswith("adodb:") and "=" not in piece:
            key, value = "adodb", piece[len("adodb:"):].removeprefix(" ")
        elif "=" in piece:
            key, value = piece.split("=", 1)
            key = urllib.parse.unquote_plus(key)
        else:
            continue
        if key in FIELDS and key not in fields:
            fields[key] = urllib.parse.unquote_plus(value, encoding="utf-8", errors="replace")
    return fields


def store_feedback(db_path, client, body, content_type=None):
    fields = parse_form(body)
    received = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%dT%H:%M:%SZ")
    columns = ("received", "client") + FIELDS + ("raw", "content_type")
    values = ((received, client) + tuple(fields.get(f) for f in FIELDS)
              + (bytes(body), content_type))
    with sqlite3.connect(db_path, timeout=10) as db:
        db.execute(
            "INSERT INTO feedback (%s) VALUES (%s)"
            % (", ".join(columns), ", ".join("?" * len(columns))),
            values,
        )
    db.close()


def resolve_update_file(root, url_path):
    """The file below root that url_path (after "/updates/") names, or None when the path may
    not be served: "..", an absolute or drive path, a backslash, a NUL, or a link leading out."""
    relative = urllib.parse.unquote(url_path[len(UPDATES_PREFIX):])
    parts = relative.split("/")
    if (
        not relative
        or "\\" in relative
        or "\0" in relative
        or relative.startswith("/")
        or ":" in parts[0]
        or any(p in ("", ".", "..") for p in parts)
    ):
        return None
    real_root = os.path.realpath(root)
    target = os.path.realpath(os.path.join(real_root, *parts))
    if os.path.commonpath([real_root, target]) != real_root:
        return None
    return target


class Handler(BaseHTTPRequestHandler):
    server_version = "QuillonServer/1.0"

    def answer(self, code, body=b"", content_type="text/plain; charset=utf-8"):
        self.send_response(code)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def read_body(self):
        """The request's body, or None when its length is not one we read."""
        try:
            length = int(self.headers.get("Content-Length") or 0)
        except ValueError:
            return None
        return self.rfile.read(length) if 0 <= length <= MAX_BODY else None

    def do_GET(self):
        self.route()

    def do_POST(self):
        self.route()

    def route(self):
        path, _, query = self.path.partition("?")
        body = self.read_body()
        if body is None:
            self.close_connection = True
            return self.answer(413, b"Body refused\n")
        if path == SUBMIT_PATH:
            # The library posts its form as the body (older copies sent it as the body of a GET);
            # a query serves browsers.
            if body:
                self.submit(body, self.headers.get("Content-Type"))
            else:
                self.submit(query.encode("utf-8"))
        elif path.startswith(UPDATES_PREFIX):
            self.send_update(path)
        else:
            self.answer(404, b"Not found\n")

    def submit(self, body, content_type=None):
        forced = self.server.forced_status
        if forced:
            return self.answer(forced, b"Refused\n")
        if not body:
            return self.answer(400, b"No feedback\n")
        try:
            store_feedback(self.server.db_path, self.client_address[0], body, content_type)
        except sqlite3.Error as e:
            self.log_error("feedback not stored: %s", e)
            return self.answer(500, b"Not stored\n")
        self.answer(200, b"OK")

    def send_update(self, path):
        target = resolve_update_file(self.server.updates_dir, path)
        if target is None:
            return self.answer(403, b"Forbidden\n")
        try:
            with open(target, "rb") as f:
                data = f.read()
        except (FileNotFoundError, IsADirectoryError, NotADirectoryError):
            return self.answer(404, b"Not found\n")
        ext = os.path.splitext(target)[1].lower()
        content_type = CONTENT_TYPES.get(ext, "application/octet-stream")
        if not self.server.rate:
            return self.answer(200, data, content_type)
        # A slow line, as a player's may be: the file in pieces, each after its share of time.
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        piece = max(1, self.server.rate // 20)
        for at in range(0, len(data), piece):
            self.wfile.write(data[at:at + piece])
            self.wfile.flush()
            time.sleep(len(data[at:at + piece]) / self.server.rate)


def make_server(host, port, db_path, updates_dir, forced_status, rate=0):
    db_dir = os.path.dirname(os.path.abspath(db_path))
    os.makedirs(db_dir, exist_ok=True)
    os.makedirs(updates_dir, exist_ok=True)
    with sqlite3.connect(db_path) as db:
        db.execute(SCHEMA)
        # A database from before the content type was kept gains its column.
        if "content_type" not in {row[1] for row in db.execute("PRAGMA table_info(feedback)")}:
            db.execute("ALTER TABLE feedback ADD COLUMN content_type TEXT")
    db.close()
    server = ThreadingHTTPServer((host, port), Handler)
    server.daemon_threads = True
    server.db_path = db_path
    server.updates_dir = updates_dir
    server.forced_status = forced_status
    server.rate = rate
    return server


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--port", type=int, default=8080, help="0 picks a free port")
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--db", default="feedback.db", help="SQLite file of the feedback")
    parser.add_argument("--updates", default="updates", help="folder served below /updates/")
    parser.add_argument("--status", type=int, default=0,
                        help="answer every feedback request with this status and store nothing")
    parser.add_argument("--rate", type=int, default=0,
                        help="send update files at most this many bytes a second (0: at once)")
    args = parser.parse_args(argv)
    if args.status and not 200 <= args.status <= 599:
        parser.error("--status must be an HTTP status code from 200 to 599")

    server = make_server(args.host, args.port, args.db, args.updates, args.status, args.rate)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    print("listening on http://%s:%d" % (args.host, server.server_address[1]), flush=True)
    try:
        server.serve_forever()
    except (KeyboardInterrupt, SystemExit):
        pass
    finally:
        server.server_close()


if __name__ == "__main__":
    main()
