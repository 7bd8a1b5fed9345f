#!/usr/bin/python3
"""tarvik_ftp_peer: the FTP servers of simulated NEs, on loopback, for the tests and the run command.

    tarvik_ftp_peer.py --root DIR --ne ADDRESS:USER:PASSWORD [--ne ...] [--port N] [--stats FILE]
                       [--exit-with-parent]

Each NE has an address of its own (127.0.0.2, 127.0.0.3, ...) and serves its FTP area, DIR/ADDRESS, to its one
login; the NE's boot partitions and configuration drive are directories there. Every address listens on the same
port (--port 0 takes one that is free on all of them). Active mode is how the workstation transfers.

What an NE refuses comes from its area as it is: a directory that is not there cannot be changed to, and a file
without its owner's write bit is not overwritten, whoever the server runs as. An NE not named here has no FTP server.

--stats FILE keeps a JSON record of the transfers: those running now, the most that ran at once, and the number
completed. The first line on standard output is "listening on ADDRESS:PORT"; SIGTERM or SIGINT ends it.
"""

import argparse
import ctypes
import errno
import json
import logging
import os
import signal
import socket
import stat
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import ActiveDTP, FTPHandler
from pyftpdlib.ioloop import IOLoop
from pyftpdlib.servers import FTPServer


class Stats:
    def __init__(self, path):
        self.path = path
        self.active = 0
        self.most = 0
        self.completed = 0
        self.failed = 0
        self.write()

    def started(self):
        self.active += 1
        self.most = max(self.most, self.active)
        self.write()

    def ended(self, complete):
        self.active = max(0, self.active - 1)
        if complete:
            self.completed += 1
        else:
            self.failed += 1
        self.write()

    def write(self):
        if not self.path:
            return
        record = {"active": self.active, "most": self.most, "completed": self.completed, "failed": self.failed}
        temporary = self.path + ".tmp"
        with open(temporary, "w") as out:
            json.dump(record, out)
        os.replace(temporary, self.path)


class NeAuthorizer(DummyAuthorizer):
    """An NE's one login; a file whose owner may not write it stays as it is."""

    def has_perm(self, username, perm, path=None):
        if perm in "wa" and path and os.path.isfile(path) and not os.stat(path).st_mode & stat.S_IWUSR:
            return False
        return DummyAuthorizer.has_perm(self, username, perm, path)


class NeActiveDTP(ActiveDTP):
    """The connector of an active data connection. Once connected it hands its socket to the data channel, yet
    pyftpdlib's own connector, closed later with its session, still unregisters the descriptor number it had; by then
    the data channel may have ended and a new session hold that number, which would then never be served. A
    connector that has handed its socket over lets go of it."""

    handed_over = False

    def handle_connect(self):
        ActiveDTP.handle_connect(self)
        channel = self.cmd_channel.data_channel
        self.handed_over = channel is not None and channel.socket is self.socket

    def close(self):
        if not self.handed_over:
            ActiveDTP.close(self)
            return
        if self._idler is not None and not self._idler.cancelled:
            self._idler.cancel()
        self._closed = True


class NeHandler(FTPHandler):
    active_dtp = NeActiveDTP
    stats = None
    permit_foreign_addresses = False
    auth_failed_timeout = 0.1  # a refused login answers at once

    def ftp_STOR(self, file, mode="w"):
        started = FTPHandler.ftp_STOR(self, file, mode)
        if started is not None:
            self.stats.started()
        return started

    def ftp_RETR(self, file):
        started = FTPHandler.ftp_RETR(self, file)
        if started is not None:
            self.stats.started()
        return started

    def on_file_received(self, file):
        self.stats.ended(True)

    def on_incomplete_file_received(self, file):
        self.stats.ended(False)

    def on_file_sent(self, file):
        self.stats.ended(True)

    def on_incomplete_file_sent(self, file):
        self.stats.ended(False)


def parse_ne(text):
    parts = text.split(":")
    if len(parts) != 3 or not all(parts):
        raise argparse.ArgumentTypeError("--ne takes ADDRESS:USER:PASSWORD")
    socket.inet_aton(parts[0])
    return tuple(parts)


def listen_all(addresses, port):
    """Sockets listening on every address at one port; a free port when port is 0."""
    for _ in range(50):
        sockets = []
        try:
            for address in addresses:
                listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
                listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
                sockets.append(listener)
                listener.bind((address, port))
                port = listener.getsockname()[1]
                listener.listen(100)
            return sockets, port
        except OSError as error:
            for listener in sockets:
                listener.close()
            if error.errno != errno.EADDRINUSE or port == 0:
                raise
            port = 0
    raise OSError(errno.EADDRINUSE, "no port free on every address")


def main():
    parser = argparse.ArgumentParser(description="FTP servers of simulated NEs on loopback")
    parser.add_argument("--root", required=True)
    parser.add_argument("--ne", action="append", type=parse_ne, required=True)
    parser.add_argument("--port", type=int, default=21)
    parser.add_argument("--stats")
    parser.add_argument("--exit-with-parent", action="store_true")
    options = parser.parse_args()

    if options.exit_with_parent:
        libc = ctypes.CDLL(None, use_errno=True)
        libc.prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG
    logging.basicConfig(level=logging.WARNING)

    stats = Stats(options.stats)
    sockets, port = listen_all([ne[0] for ne in options.ne], options.port)
    loop = IOLoop()
    for (address, user, password), listener in zip(options.ne, sockets):
        area = os.path.join(options.root, address)
        os.makedirs(area, exist_ok=True)
        authorizer = NeAuthorizer()
        authorizer.add_user(user, password, area, perm="elradfmwMT")
        handler = type("NeHandler_" + address.replace(".", "_"), (NeHandler,), {"authorizer": authorizer, "stats": stats})
        FTPServer(listener, handler, ioloop=loop)

    def stop(signum, frame):
        loop.close()
        sys.exit(0)

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    print("listening on %s:%d" % (options.ne[0][0], port), flush=True)
    loop.loop()


if __name__ == "__main__":
    main()
