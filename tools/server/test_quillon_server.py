#!/usr/bin/python3
"""The maker's server as the library meets it: started on a free port in a subprocess and
spoken to over HTTP.  Run: python3 tools/server/test_quillon_server.py"""

import http.client
import os
import pathlib
import sqlite3
import subprocess
import sys
import tempfile
import unittest

SERVER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "quillon_server.py")
# What the library sends: every value form-encoded, the "adodb: " piece without "=".
FORM = (b"?name=Ann+%26+Bob%3D1&email=a%40bc.de&app=Quillon.exe&appver=1.2.3+beta+2"
        b"&vyxdll=2.1.0&adodb: 2.8&windows=Windows+XP%2520version%3A+5.1.2600"
        b"&feedback=Caf%C3%A9%2B100%25+ok%0D%0A&extra=1")
COLUMNS = ("name, email, app, appver, vyxdll, adodb, windows, feedback, raw, client, received,"
           " content_type")
FORM_TYPE = {"Content-Type": "application/x-www-form-urlencoded"}


class ServerTest(unittest.TestCase):
    def start(self, *options):
        tmp = tempfile.TemporaryDirectory()
        self.addCleanup(tmp.cleanup)
        self.tmp, self.db, self.updates = tmp.name, tmp.name + "/db/f.db", tmp.name + "/up"
        proc = subprocess.Popen([sys.executable, SERVER, "--port", "0", "--db", self.db,
                                 "--updates", self.updates, *options],
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.addCleanup(proc.stdout.close)
        self.addCleanup(proc.wait, 10)
        self.addCleanup(proc.terminate)
        line = proc.stdout.readline()
        self.assertRegex(line, r"^listening on http://127\.0\.0\.1:\d+$")
        self.port = int(line.rsplit(":", 1)[1])

    def request(self, method, path, body=None, headers=None):
        conn = http.client.HTTPConnection("127.0.0.1", self.port, timeout=10)
        conn.request(method, path, body, headers or {})
        with conn.getresponse() as r:
            return r.status, r.read(), r.getheader("Content-Type"), r.getheader("Content-Length")

    def rows(self):
        with sqlite3.connect(self.db) as db:
            return db.execute("SELECT %s FROM feedback ORDER BY id" % COLUMNS).fetchall()

    def test_feedback_is_stored_decoded_whatever_way_it_comes(self):
        self.start()
        self.assertEqual(self.request("POST", "/updates/submit.asp", FORM, FORM_TYPE)[:2],
                         (200, b"OK"))
        # The library's own way: a GET whose body is the form; a browser's: a query; an older
        # copy's: unescaped bytes in its code page.
        for path, body in (("", b"?name=Bo&feedback=x"), ("?email=q%40r.st", None),
                           ("", b"?name=Zo\xeb")):
            self.assertEqual(self.request("GET", "/updates/submit.asp" + path, body)[0], 200)
        self.assertEqual(self.request("GET", "/updates/submit.asp")[0], 400)
        rows = self.rows()
        self.assertEqual(rows[0][:10], ("Ann & Bob=1", "a@bc.de", "Quillon.exe", "1.2.3 beta 2",
                                        "2.1.0", "2.8", "Windows XP%20version: 5.1.2600",
                                        "Caf\u00e9+100% ok\r\n", FORM, "127.0.0.1"))
        self.assertRegex(rows[0][10], r"^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ$")
        self.assertEqual(rows[0][11], FORM_TYPE["Content-Type"])
        self.assertEqual([(r[0], r[1], r[5], r[7], r[11]) for r in rows[1:]],
                         [("Bo", None, None, "x", None), (None, "q@r.st", None, None, None),
                          ("Zo\u00eb", None, None, None, None)])

    def test_a_database_from_before_the_content_type_gains_its_column(self):
        old = tempfile.TemporaryDirectory()
        self.addCleanup(old.cleanup)
        with sqlite3.connect(old.name + "/f.db") as db:
            db.execute("CREATE TABLE feedback (id INTEGER PRIMARY KEY, received TEXT, client TEXT,"
                       " name TEXT, email TEXT, app TEXT, appver TEXT, vyxdll TEXT, adodb TEXT,"
                       " windows TEXT, feedback TEXT, raw BLOB NOT NULL)")
            db.execute("INSERT INTO feedback (name, raw) VALUES ('Old', x'00')")
        db.close()
        self.start("--db", old.name + "/f.db")
        self.db = old.name + "/f.db"
        self.assertEqual(self.request("POST", "/updates/submit.asp", b"?name=New", FORM_TYPE)[0],
                         200)
        with sqlite3.connect(self.db) as db:
            self.assertEqual(db.execute("SELECT name, content_type FROM feedback").fetchall(),
                             [("Old", None), ("New", FORM_TYPE["Content-Type"])])
        db.close()

    def test_forced_status_answers_every_submission_and_stores_nothing(self):
        self.start("--status", "500")
        self.assertEqual(self.request("POST", "/updates/submit.asp", FORM)[0], 500)
        self.assertEqual(self.request("GET", "/updates/submit.asp", FORM)[0], 500)
        self.assertEqual(self.rows(), [])

    def test_update_files_are_served_and_nothing_outside_their_folder(self):
        self.start()
        os.makedirs(self.updates + "/files")
        pathlib.Path(self.updates, "quillon_2.xml").write_bytes(b"<UPDATE>\r\n</UPDATE>\r\n")
        pathlib.Path(self.tmp, "secret.txt").write_bytes(b"secret")
        os.symlink(self.tmp, self.updates + "/files/out")
        for method in ("GET", "POST"):
            self.assertEqual(self.request(method, "/updates/quillon_2.xml", b"ignored"),
                             (200, b"<UPDATE>\r\n</UPDATE>\r\n", "text/xml", "21"))
        for path in ("../secret.txt", "%2E%2E/secret.txt", "files/..%5C..%5Csecret.txt",
                     "/etc/passwd", "files/out/secret.txt"):
            self.assertEqual(self.request("GET", "/updates/" + path)[0], 403, path)
        for path in ("/updates/missing.xml", "/updates/files", "/secret.txt"):
            self.assertEqual(self.request("GET", path)[0], 404, path)


if __name__ == "__main__":
    unittest.main()
