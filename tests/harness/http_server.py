#!/usr/bin/env python3
"""A loopback HTTP server for the tests: serves the files of a folder and a few made answers.

Arguments: folder, port file, request log. Writes "<port> <refused port>" to the port file once it
listens on 127.0.0.1, logs each request as "<path> <user agent>", and ends on /quit or when its
parent process ends.
"""
import http.server
import os
import socket
import sys
import threading
import time

root, port_file, log_file = sys.argv[1], sys.argv[2], sys.argv[3]
stopping = threading.Event()


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def parse_request(self):
        # Keeps the header lines as sent: a parsed value loses its leading blanks.
        raw = self.rfile
        lines = []

        class Tee:
            def readline(self, *args):
                line = raw.readline(*args)
                lines.append(line)
                return line

            def __getattr__(self, name):
                return getattr(raw, name)

        self.rfile = Tee()
        try:
            return super().parse_request()
        finally:
            self.rfile = raw
            self.raw_headers = lines

    def agent(self):
        for line in self.raw_headers:
            text = line.decode("latin-1").rstrip("\r\n")
            if text.lower().startswith("user-agent:"):
                value = text[len("user-agent:"):]
                return value[1:] if value.startswith(" ") else value
        return ""

    def answer(self, status, body, length=None):
        self.send_response(status)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body) if length is None else length))
        # Lets a client that ignores the reload flag serve the old copy from its cache.
        self.send_header("Cache-Control", "public, max-age=86400")
        self.send_header("Expires", self.date_time_string(time.time() + 86400))
        self.send_header("Last-Modified", "Mon, 01 Jan 2024 00:00:00 GMT")
        self.end_headers()
        self.wfile.write(body)
        self.wfile.flush()

    def do_GET(self):
        with open(log_file, "a", encoding="latin-1") as log:
            log.write("%s %s\n" % (self.path, self.agent()))
        path = self.path
        if path == "/quit":
            self.answer(200, b"bye")
            stopping.set()
        elif path == "/agent":
            self.answer(200, self.agent().encode("latin-1"))
        elif path == "/silent":
            while not stopping.wait(0.2):
                pass
        elif path.startswith("/short/"):
            n = int(path[len("/short/"):])
            self.answer(200, b"x" * n, length=n + 100)
            self.close_connection = True
        elif path.startswith("/trickle/"):
            # /trickle/<bytes>/<ms>: one byte of the body every <ms> milliseconds.
            n, ms = (int(part) for part in path[len("/trickle/"):].split("/"))
            self.send_response(200)
            self.send_header("Content-Type", "text/plain")
            self.send_header("Content-Length", str(n))
            self.end_headers()
            self.wfile.flush()
            try:
                for _ in range(n):
                    if stopping.wait(ms / 1000.0):
                        break
                    self.wfile.write(b"x")
                    self.wfile.flush()
            except OSError:
                pass  # the client gave up
        elif path.startswith("/status/"):
            self.answer(int(path[len("/status/"):]), b"<html><body>error page</body></html>")
        else:
            name = os.path.join(root, path.lstrip("/"))
            if os.path.isfile(name):
                with open(name, "rb") as f:
                    self.answer(200, f.read())
            else:
                self.answer(404, b"<html><body>404 Not Found</body></html>")


def free_port():
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return port


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
refused = free_port()
with open(port_file + ".tmp", "w") as f:
    f.write("%d %d\n" % (server.server_address[1], refused))
os.replace(port_file + ".tmp", port_file)
threading.Thread(target=server.serve_forever, daemon=True).start()
parent = os.getppid()
while not stopping.wait(0.2):
    if os.getppid() != parent:
        stopping.set()
server.shutdown()
