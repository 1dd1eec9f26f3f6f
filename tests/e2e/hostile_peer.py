#!/usr/bin/env python3
"""A scripted hostile peer for the network end-to-end scenario.

It speaks the game's line protocol on its own (no code shared with the program) and plays one
misbehaving case at a time, as host or as client, against a real program, when the end-to-end
driver asks through services.py:

    join <case> <port>   connect to 127.0.0.1:<port> (the program hosts) and play <case>
    host <case> <port>   listen on 127.0.0.1:<port> (answering "ready"), take the program's
                         connection, play <case>
    go                   lets a case that waits for the driver carry on

and answers one line for each case: "done <case> <what happened>" or "fail <case> <why>".
"""

import socket
import time

NAME = "Mal+lory"  # a "+" in the name: only the first one after the address ends it
STEP_TIMEOUT = 20.0
SILENCE_TIMEOUT = 90.0


class CaseFailed(Exception):
    pass


class Wire:
    """One connection to the program: messages out with their 0x00, pieces in."""

    def __init__(self, sock):
        self.sock = sock
        self.buffer = b""
        self.closed = False

    def send(self, text, terminate=True):
        data = text if isinstance(text, bytes) else text.encode("latin-1")
        self.sock.sendall(data + (b"\0" if terminate else b""))

    def _fill(self, deadline):
        self.sock.settimeout(max(0.01, deadline - time.monotonic()))
        try:
            chunk = self.sock.recv(65536)
        except socket.timeout:
            return
        except OSError:
            chunk = b""
        if not chunk:
            self.closed = True
        self.buffer += chunk

    def expect(self, prefix, timeout=STEP_TIMEOUT):
        """The first piece that starts with prefix; earlier pieces are passed over."""
        deadline = time.monotonic() + timeout
        while True:
            while b"\0" in self.buffer:
                piece, self.buffer = self.buffer.split(b"\0", 1)
                if piece.startswith(prefix.encode()):
                    return piece.decode("latin-1")
            if self.closed or time.monotonic() >= deadline:
                raise CaseFailed("no %s from the program (closed=%s)" % (prefix, self.closed))
            self._fill(deadline)

    def has(self, prefix, timeout):
        try:
            self.expect(prefix, timeout)
            return True
        except CaseFailed:
            return False

    def wait_closed(self, timeout):
        """Reads (and drops) whatever comes until the program closes the connection."""
        deadline = time.monotonic() + timeout
        while not self.closed:
            if time.monotonic() >= deadline:
                raise CaseFailed("the program kept the connection open")
            self.buffer = b""
            self._fill(deadline)
        return "closed by the program"


def deck_of(piece):
    numbers = piece[len("+DECK="):].split(";")
    if len(numbers) != 50:
        raise CaseFailed("a deal of %d cards" % len(numbers))
    return [int(n) for n in numbers]  # position p is x = p // 5, y = p % 5


def join_game(wire):
    """The client's handshake; returns the deal and whether this side starts."""
    wire.expect("+OK")
    wire.send("+HELLO+IP=127.0.0.1+NAME=" + NAME)
    wire.expect("+ACCEPTED=")
    deck = deck_of(wire.expect("+DECK="))
    return deck, wire.has("+YOU_START", 1.0)


def host_game(wire):
    """The host's handshake up to the acceptance."""
    wire.send("+OK")
    wire.expect("+HELLO")
    wire.send("+ACCEPTED=" + NAME)
    wire.expect("+OK")


def reveal(wire, position):
    wire.send("+REVEAL{%d;%d}" % (position // 5, position % 5))


# The cases: each gets the connection and the control channel, and says what happened.

def garbage_then_off_board(wire, control):
    wire.expect("+OK")
    for junk in (b"\x01\x02\xff junk", b"", b"HELLO?", b"+BOGUS=1", b"\x00\x00"):
        wire.send(junk)
    wire.send("+HELLO+IP=127.0.0.1+NAME=" + NAME)
    wire.expect("+ACCEPTED=")
    wire.expect("+DECK=")
    wire.send("+REVEAL{99;99}")
    return wire.wait_closed(STEP_TIMEOUT)


def out_of_turn(wire, control):
    deck, mine = join_game(wire)
    if mine:
        # Two cards of different pairs end this side's turn; a third is not ours to turn.
        second = next(p for p in range(1, 50) if deck[p] != deck[0])
        reveal(wire, 0)
        reveal(wire, second)
        third = next(p for p in range(1, 50) if p != second)
        reveal(wire, third)
    else:
        reveal(wire, 0)
    return wire.wait_closed(STEP_TIMEOUT)


def second_hello_then_vanish(wire, control):
    join_game(wire)
    wire.send("+HELLO+IP=6.6.6.6+NAME=Eve")
    wire.send("MSG=still here")
    control.await_go()
    wire.sock.close()  # no goodbye
    return "closed without a goodbye"


def oversized(wire, control):
    join_game(wire)
    chunk = b"A" * 4096
    try:
        for _ in range(20):  # 80 KiB without a terminator
            wire.send(chunk, terminate=False)
    except OSError:
        pass  # the program may hang up before the last chunk
    return wire.wait_closed(STEP_TIMEOUT)


def silent(wire, control):
    join_game(wire)
    return wire.wait_closed(SILENCE_TIMEOUT)  # its keep-alives are read and dropped


def wrong_deck(wire, control):
    host_game(wire)
    wire.send("+DECK=1;2;3")
    return wire.wait_closed(STEP_TIMEOUT)


def goodbye_mid_game(wire, control):
    host_game(wire)
    wire.send("+DECK=" + ";".join(str(p // 2) for p in range(50)))
    wire.send("+YOU_START")
    control.await_go()
    wire.send("+DISCONNECT", terminate=False)  # as a leaving program writes it
    wire.sock.close()
    return "said goodbye"


CASES = {
    "garbage": garbage_then_off_board,
    "out-of-turn": out_of_turn,
    "second-hello": second_hello_then_vanish,
    "oversized": oversized,
    "silent": silent,
    "wrong-deck": wrong_deck,
    "goodbye": goodbye_mid_game,
}


def connect(port):
    deadline = time.monotonic() + STEP_TIMEOUT
    while True:
        try:
            return socket.create_connection(("127.0.0.1", port), timeout=STEP_TIMEOUT)
        except OSError:
            if time.monotonic() >= deadline:
                raise CaseFailed("the program does not listen on %d" % port)
            time.sleep(0.1)


def accept(port, control):
    with socket.socket() as listener:
        listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        listener.bind(("127.0.0.1", port))
        listener.listen(1)
        listener.settimeout(STEP_TIMEOUT)
        control.say("ready")  # the driver may connect the program now
        try:
            sock, _ = listener.accept()
        except socket.timeout:
            raise CaseFailed("the program did not connect to %d" % port)
        return sock


def play(words, control):
    """Runs "join|host <case> <port>"; returns the answer line for the driver."""
    if len(words) != 3 or words[1] not in CASES:
        return "fail ? unknown case %r" % " ".join(words)
    role, case, port = words[0], words[1], int(words[2])
    try:
        sock = connect(port) if role == "join" else accept(port, control)
        with sock:
            outcome = CASES[case](Wire(sock), control)
        return "done %s %s" % (case, outcome)
    except (CaseFailed, OSError, ValueError) as error:
        return "fail %s %s" % (case, error)
