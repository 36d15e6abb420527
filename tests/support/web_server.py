#!/usr/bin/env python3
"""A local web server for the tests: serves the files of a folder on
127.0.0.1 at a free port and prints the port on the first line of stdout.

Every request's path is appended to <folder>/requests.log. A few paths under
/velmonar/ give hostile replies, chosen by a file next to the document:
  <name>.status   the reply's status code (the document's body follows)
  <name>.stall    headers (and the first bytes of <name>, if any) are sent, then nothing
  <name>.redirect a 302 to the address the file holds
  <name>.slow     the number of seconds to wait before replying
Usage: web_server.py FOLDER
"""
import http.server
import os
import sys
import threading
import time

FOLDER = sys.argv[1]
LOG_LOCK = threading.Lock()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def side(self, name, suffix):
        path = os.path.join(FOLDER, name + suffix)
        if os.path.isfile(path):
            with open(path, "rb") as f:
                return f.read()
        return None

    def do_GET(self):
        with LOG_LOCK, open(os.path.join(FOLDER, "requests.log"), "a") as log:
            log.write(self.path + "\n")
        name = self.path.lstrip("/").replace("/", "_")
        slow = self.side(name, ".slow")
        if slow is not None:
            time.sleep(float(slow))
        target = self.side(name, ".redirect")
        if target is not None:
            self.send_response(302)
            self.send_header("Location", target.decode().strip())
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        body = self.side(name, "")
        status = self.side(name, ".status")
        code = int(status) if status else (200 if body is not None else 404)
        if body is None:
            body = b"<html>not here</html>"
        stall = self.side(name, ".stall")
        self.send_response(code)
        self.send_header("Content-Length", str(len(body) if stall is None else len(body) + 1000))
        self.end_headers()
        try:
            if stall is not None:
                self.wfile.write(body)
                self.wfile.flush()
                time.sleep(float(stall))
                return
            self.wfile.write(body)
        except (BrokenPipeError, ConnectionResetError):
            with LOG_LOCK, open(os.path.join(FOLDER, "requests.log"), "a") as log:
                log.write("cut " + self.path + "\n")


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads = True
print(server.server_address[1], flush=True)
server.serve_forever()
