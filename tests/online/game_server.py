#!/usr/bin/env python3
"""A game server for the tests: pings, status, log-ins, registrations,
winner reports, match requests with pairing, and the relay of moves.

There is no framing on the wire: every reply and relayed move goes out in one
send. Every event is logged as one line on stdout; the first line is
"LISTEN <address> <port>". Switches make the server hostile on purpose.
"""
import argparse
import re
import select
import socket
import struct
import sys
import threading
import time

MATCH_GRAMMAR = re.compile(rb"^(?:-|([A-Za-z0-9][^+]*)\+(.*?)-)([a-z-]+)$")
SETUP_GRAMMAR = re.compile(rb"^!(?:[^!\x00]{1,2}!){40}$")
ONE_SHOT_TIMEOUT = 10.0
MATCH_COMPLETE_TIMEOUT = 2.0
PAIRING_GAP = 0.2
AFTER_PAIRING_GAP = 0.1
DRAIN_TIMEOUT = 60.0
HUGE = b"7" * (1 << 20)
SILENT_HOLD = 30.0

log_lock = threading.Lock()


def log(*words):
    with log_lock:
        print(" ".join(str(w) for w in words), flush=True)


def shown(name):
    return name.decode("latin-1") or "(guest)"


def send_all(conn, data):
    try:
        conn.sendall(data, socket.MSG_NOSIGNAL)
        return True
    except OSError:
        return False


def close_after_peer(conn, timeout):
    """Wait, sending nothing, until the peer closes (or the time is up; None: no limit), then close."""
    try:
        conn.settimeout(timeout)
        while conn.recv(4096):
            pass
    except OSError:
        pass
    conn.close()


def graceful_close(conn, timeout=ONE_SHOT_TIMEOUT):
    """Shut our side, wait until the peer closes, then close (never a reset)."""
    try:
        conn.shutdown(socket.SHUT_WR)
    except OSError:
        conn.close()
        return
    close_after_peer(conn, timeout)


def read_more(conn, first):
    """The first bytes and what follows them at once."""
    conn.settimeout(0.05)
    try:
        return first + conn.recv(512)
    except OSError:
        return first


def reset_close(conn):
    try:
        conn.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    except OSError:
        pass
    conn.close()


class Waiting:
    def __init__(self, conn, setup, name):
        self.conn = conn
        self.setup = setup
        self.name = name
        self.last_sent = time.monotonic()


class Server:
    def __init__(self, args):
        self.args = args
        self.accounts = {}
        for entry in args.account:
            name, _, password = entry.partition(":")
            self.accounts[name.encode("latin-1")] = password.encode("latin-1")
        self.lock = threading.Lock()
        self.queue = []
        self.players_in_game = 0
        self.pairs = []          # [names, reported]

    # --- one-shot exchanges ---

    def reply_once(self, conn, reply):
        if self.args.silent:
            # Accept and never answer: the connection stays open until the
            # client gives up and closes it.
            close_after_peer(conn, SILENT_HOLD)
            return
        send_all(conn, reply)
        graceful_close(conn)

    def account_reply(self, normal):
        return bytes.fromhex(self.args.account_reply) if self.args.account_reply else normal

    def handle_ping(self, conn, first):
        log("PING")
        self.reply_once(conn, b"&\x00")

    def handle_status(self, conn, first):
        with self.lock:
            count = min(self.players_in_game, 99)
        log("STATUS", count)
        self.reply_once(conn, HUGE if self.args.huge else str(count).encode())

    def handle_login(self, conn, first):
        name, _, password = read_more(conn, first)[1:].partition(b"+")
        if self.args.silent_logins:
            log("LOGIN", name.decode("latin-1"), "silent")
            close_after_peer(conn, SILENT_HOLD)
            return
        ok = name in self.accounts and self.accounts[name] == password
        log("LOGIN", name.decode("latin-1"), "ok" if ok else "refused")
        time.sleep(self.args.login_delay)
        self.reply_once(conn, self.account_reply(b"-\x00" if ok else b"x\x00"))

    def handle_register(self, conn, first):
        parts = read_more(conn, first)[1:].split(b"+")
        name = parts[0] if parts else b""
        with self.lock:
            taken = name in self.accounts or len(parts) != 3
            if not taken:
                self.accounts[name] = parts[1]
        log("REGISTER", name.decode("latin-1"), "taken" if taken else "new")
        self.reply_once(conn, self.account_reply(b"-\x00" if taken else b"+\x00"))

    def handle_report(self, conn, first):
        data = first
        conn.settimeout(ONE_SHOT_TIMEOUT)
        try:
            while len(data) < 22:
                more = conn.recv(22 - len(data))
                if not more:
                    break
                data += more
        except OSError:
            pass
        name = data[1:].split(b"\x00")[0]
        text = name.decode("latin-1")
        with self.lock:
            pair = next((p for p in reversed(self.pairs) if name in p[0]), None) if name else None
            if name == b"-" or name not in self.accounts or pair is None:
                verdict = "ignored"
            elif pair[1]:
                verdict = "duplicate"
            else:
                pair[1] = True
                verdict = "counted"
        log("REPORT", text if text else "(none)", verdict)
        graceful_close(conn)

    # --- the match ---

    def read_match_request(self, conn, first):
        """Reads until 41 "!" from the first one; None when it never completes."""
        data = first
        conn.settimeout(MATCH_COMPLETE_TIMEOUT)
        while True:
            start = data.find(b"!")
            if start >= 0 and data[start:].count(b"!") >= 41:
                return data
            try:
                more = conn.recv(512)
            except OSError:
                return None
            if not more:
                return None
            data += more

    def handle_match(self, conn, first):
        if self.args.close_match:
            log("MATCH closed-at-once")
            conn.close()
            return
        data = self.read_match_request(conn, first)
        m = MATCH_GRAMMAR.match(data[:data.find(b"!")]) if data is not None else None
        setup = data[data.find(b"!"):] if m else b""
        if m is None or len(setup) != 83 or not SETUP_GRAMMAR.match(setup):
            log("MATCH malformed", repr(data)[:60])
            self.refuse_forever(conn)
            return
        named = m.group(1) is not None and self.accounts.get(m.group(1)) == m.group(2)
        name = m.group(1) if named else b""
        newcomer = Waiting(conn, setup, name)
        if self.args.silent:
            log("MATCH silent")
            self.refuse_forever(conn, reply=b"")
            return
        with self.lock:
            self.queue = [w for w in self.queue if self.alive(w)]
            waiting = self.queue.pop(0) if self.queue else None
            if waiting is None:
                self.queue.append(newcomer)
        if waiting is None:
            log("QUEUED", shown(name))
            if not self.args.queued_with_pairing:
                with self.lock:
                    send_all(conn, HUGE if self.args.huge else b"?")
                    newcomer.last_sent = time.monotonic()
            if self.args.keep_alive:
                threading.Thread(target=self.keep_alive, args=(newcomer,), daemon=True).start()
            if self.args.close_queued is not None:
                threading.Thread(target=self.close_queued, args=(newcomer,), daemon=True).start()
            return
        self.pair(waiting, newcomer)

    def refuse_forever(self, conn, reply=b"?"):
        """A refused request gets "?" and is never paired; the connection stays."""
        if reply:
            send_all(conn, reply)
        close_after_peer(conn, None)

    def keep_alive(self, waiting):
        """Sends "&" to a queued client now and then, as long as it waits."""
        while True:
            time.sleep(self.args.keep_alive)
            with self.lock:
                if waiting not in self.queue:
                    return
                send_all(waiting.conn, b"&")
                waiting.last_sent = time.monotonic()
            log("KEEPALIVE")

    def close_queued(self, waiting):
        """Ends a queued request after a while, unpaired, with an orderly close."""
        time.sleep(self.args.close_queued)
        with self.lock:
            if waiting not in self.queue:
                return
            self.queue.remove(waiting)
        log("CLOSED queued")
        graceful_close(waiting.conn)

    @staticmethod
    def alive(waiting):
        readable, _, _ = select.select([waiting.conn], [], [], 0)
        if readable:
            waiting.conn.close()   # a queued client never sends: this is its end
            log("DROPPED", shown(waiting.name))
            return False
        return True

    def pairing_reply(self, other):
        if self.args.pairing_reply is not None:
            return bytes.fromhex(self.args.pairing_reply)
        return other.setup + b" " + other.name + b"\x00"

    @staticmethod
    def hex_switch(value):
        return bytes.fromhex(value) if value is not None else b""

    def pair(self, w, n):
        gap = PAIRING_GAP - (time.monotonic() - w.last_sent)
        if gap > 0:
            time.sleep(gap)
        # What one slow receive gets: notices before the pairing, moves after it.
        before = (b"?" if self.args.queued_with_pairing else b"") + self.hex_switch(self.args.before_pairing)
        after = self.hex_switch(self.args.with_pairing)
        send_all(w.conn, before + self.pairing_reply(n) + after)
        send_all(n.conn, self.pairing_reply(w) + after)
        with self.lock:
            self.players_in_game += 2
            self.pairs.append([(w.name, n.name), False])
        log("PAIRED", shown(w.name), shown(n.name), "first", shown(n.name))
        if self.args.leave_at_pairing:
            # The later requester is gone at once: the one who waited hears it.
            self.left(n.conn, w.conn, "at-pairing")
        else:
            if self.args.after_pairing is not None:
                bytes_after = bytes.fromhex(self.args.after_pairing)
                time.sleep(AFTER_PAIRING_GAP)  # a receive of its own, not the pairing's
                log("AFTER-PAIRING", repr(bytes_after))
                send_all(w.conn, bytes_after)
            self.relay(w.conn, n.conn)
        with self.lock:
            self.players_in_game -= 2

    def left(self, gone, peer, how):
        # The other side hears the leave as "rrrr", then its connection ends.
        gone.close()
        log("LEFT", how)
        send_all(peer, b"rrrr")
        graceful_close(peer, DRAIN_TIMEOUT)

    def relay(self, a, b):
        buffers = {a: b"", b: b""}
        other = {a: b, b: a}
        moves = 0
        while True:
            readable, _, _ = select.select([a, b], [], [])
            for conn in readable:
                try:
                    data = conn.recv(512)
                except OSError:
                    data = b""
                if not data:
                    self.left(conn, other[conn], "first" if conn is a else "second")
                    return
                buffers[conn] += data
                while len(buffers[conn]) >= 4:
                    move, buffers[conn] = buffers[conn][:4], buffers[conn][4:]
                    if not move.isdigit():
                        log("NONDIGIT", repr(move))
                    if self.args.move_reply is not None:
                        move = bytes.fromhex(self.args.move_reply)
                    elif self.args.huge:
                        move = HUGE
                    log("MOVE", "first" if conn is a else "second", move[:4].decode("latin-1"))
                    send_all(other[conn], move)
                    moves += 1
                    if self.args.reset_after_moves and moves >= self.args.reset_after_moves:
                        log("RESET")
                        reset_close(a)
                        reset_close(b)
                        return

    # --- dispatch ---

    def serve_connection(self, conn):
        try:
            conn.settimeout(ONE_SHOT_TIMEOUT)
            try:
                first = conn.recv(512)
            except OSError:
                first = b""
            if not first:
                conn.close()
                return
            kind = first[:1]
            handler = {b"&": self.handle_ping, b"*": self.handle_status, b"%": self.handle_login,
                       b"+": self.handle_register, b")": self.handle_report}.get(kind)
            if handler is None and (kind == b"-" or kind.isalnum()):
                handler = self.handle_match
            if handler is None:
                log("UNKNOWN", repr(first[:20]))
                conn.close()
                return
            handler(conn, first)
        except Exception as error:  # a test server keeps serving
            log("ERROR", repr(error))

    def run(self):
        listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        listener.bind((self.args.address, self.args.port))
        listener.listen(64)
        log("LISTEN", self.args.address, self.args.port)
        while True:
            conn, _ = listener.accept()
            conn.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
            threading.Thread(target=self.serve_connection, args=(conn,), daemon=True).start()


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--address", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=10002)
    parser.add_argument("--account", action="append", default=[], help="name:password")
    parser.add_argument("--silent", action="store_true", help="never answer")
    parser.add_argument("--silent-logins", action="store_true", help="never answer a log-in")
    parser.add_argument("--login-delay", type=float, default=0.0, help="seconds before a log-in reply")
    parser.add_argument("--account-reply", help="hex bytes sent as every log-in and registration reply")
    parser.add_argument("--huge", action="store_true", help="megabyte replies to status, match and moves")
    parser.add_argument("--close-match", action="store_true", help="close every match request at once")
    parser.add_argument("--pairing-reply", help="hex bytes sent as every pairing reply")
    parser.add_argument("--close-queued", type=float, help="seconds after which a queued request is closed")
    parser.add_argument("--leave-at-pairing", action="store_true",
                        help="the later requester leaves right after the pairing")
    parser.add_argument("--after-pairing", help="hex bytes sent to the earlier requester right after its pairing")
    parser.add_argument("--queued-with-pairing", action="store_true",
                        help="hold the queued reply back and send it with the pairing reply, in one send")
    parser.add_argument("--before-pairing", help="hex bytes sent before the earlier requester's pairing reply,"
                        " in the same send")
    parser.add_argument("--with-pairing", help="hex bytes sent after every pairing reply, in the same send")
    parser.add_argument("--move-reply", help="hex bytes relayed in place of every move")
    parser.add_argument("--keep-alive", type=float, default=0.0, help="seconds between keep-alives")
    parser.add_argument("--reset-after-moves", type=int, default=0, help="reset both after N moves")
    Server(parser.parse_args()).run()


if __name__ == "__main__":
    sys.exit(main())
