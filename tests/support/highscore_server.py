#!/usr/bin/env python3
"""The game's online high-score server for tests, on 127.0.0.1 over HTTP/1.0.

  /DR/saveScore.php      checks the query's keys and order and its signature with the shared
                         salt, keeps the figures of a good one and answers "OK" (else "REFUSED").
  /DR/getScorelist.php   answers the kept rows as a "Content" list, best total first, the row of
                         the player named in the query highlighted.
  /control/reply?body=H  the next list reply is the hex-encoded body H instead.
  /control/hold          list replies wait until /control/release.
  /control/queries       every game query so far, one a line: path?query, a space, the verdict.
  /control/reset         forgets rows, queries, the held state and the canned reply.

Run as a test driver: highscore_server.py --run COMMAND... starts the server on a free port, runs
the command with VORN_HIGHSCORE_SERVER set to the server's base and exits with its exit code.
"""
import hashlib
import http.server
import os
import subprocess
import sys
import threading
import urllib.parse

# Shared with the game's client.
SALT = "q7m2x9c4v1b8n5k3j6h0g2f7d4s9a1p8o3i6u5y2t7r0e4w9z1l6m8c3kd"
SUBMIT_KEYS = ["n", "i", "c", "os", "d", "v", "l", "cl", "cs", "c1", "c2", "c3", "z1", "z2", "z3"]
LIST_KEYS = ["t", "i", "n", "id"]


class Scores:
    def __init__(self):
        self.lock = threading.Lock()
        self.released = threading.Event()
        self.reset()

    def reset(self):
        with self.lock:
            self.rows = {}  # hex name -> (total, stars, frontier)
            self.queries = []
            self.canned = None
            self.released.set()


def split_query(query):
    """The pairs of a query exactly as sent (the signature covers the texts as they stand)."""
    pairs = []
    for part in query.split("&") if query else []:
        key, _, value = part.partition("=")
        pairs.append((key, value))
    return pairs


def check_submission(pairs):
    keys = [key for key, _ in pairs]
    if keys != SUBMIT_KEYS + ["md5"]:
        return "keys"
    text = "".join(value for _, value in pairs[:-1]) + SALT
    if hashlib.md5(text.encode("latin-1")).hexdigest() != pairs[-1][1]:
        return "signature"
    values = dict(pairs)
    for key in SUBMIT_KEYS[7:]:
        if not values[key].isdigit():
            return "number"
    return "ok"


def make_list(rows, highlighted):
    ranked = sorted(rows.items(), key=lambda row: (-row[1][0], row[0]))
    lines = ["<Content>"]
    for rank, (name, (total, stars, frontier)) in enumerate(ranked, 1):
        mark = ' highlight="1"' if name == highlighted else ""
        lines.append('<DR i="%d" n="%s" s1="%d" s2="%d" s3="%d"%s/>' % (rank, name, total, stars, frontier, mark))
    lines.append("</Content>")
    return "\n".join(lines)


def make_handler(scores):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.0"

        def log_message(self, *args):
            pass

        def reply(self, body, status=200):
            data = body.encode("latin-1")
            self.send_response(status)
            self.send_header("Content-Type", "text/xml" if body.startswith("<") else "text/plain")
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)

        def do_GET(self):
            path, _, query = self.path.partition("?")
            pairs = split_query(query)
            if path == "/DR/saveScore.php":
                verdict = check_submission(pairs)
                with scores.lock:
                    scores.queries.append("%s %s" % (self.path, verdict))
                    if verdict == "ok":
                        values = dict(pairs)
                        scores.rows[values["n"]] = (int(values["c1"]), int(values["c2"]), int(values["cs"]))
                self.reply("OK" if verdict == "ok" else "REFUSED")
            elif path == "/DR/getScorelist.php":
                verdict = "ok" if [key for key, _ in pairs] == LIST_KEYS else "keys"
                with scores.lock:
                    scores.queries.append("%s %s" % (self.path, verdict))
                scores.released.wait()
                with scores.lock:
                    body, scores.canned = scores.canned, None
                    if body is None:
                        body = make_list(scores.rows, dict(pairs).get("n"))
                self.reply(body)
            elif path == "/control/reply":
                body = urllib.parse.parse_qs(query).get("body", [""])[0]
                with scores.lock:
                    scores.canned = bytes.fromhex(body).decode("latin-1")
                self.reply("canned")
            elif path == "/control/hold":
                scores.released.clear()
                self.reply("held")
            elif path == "/control/release":
                scores.released.set()
                self.reply("released")
            elif path == "/control/queries":
                with scores.lock:
                    self.reply("".join(line + "\n" for line in scores.queries) or "none")
            elif path == "/control/reset":
                scores.reset()
                self.reply("reset")
            else:
                self.reply("not found", 404)

    return Handler


def start(port=0):
    scores = Scores()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), make_handler(scores))
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server, scores


def main(argv):
    if len(argv) >= 2 and argv[0] == "--run":
        server, scores = start()
        environment = dict(os.environ)
        environment["VORN_HIGHSCORE_SERVER"] = "http://127.0.0.1:%d" % server.server_address[1]
        try:
            code = subprocess.call(argv[1:], env=environment)
        finally:
            scores.released.set()  # a held reply must not keep a handler waiting
            server.shutdown()
        return code
    port = int(argv[0]) if argv else 0
    server, _ = start(port)
    print("http://127.0.0.1:%d" % server.server_address[1], flush=True)
    threading.Event().wait()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
