"""An X screen of its own for the tests and benchmarks that show windows
(Xvfb), and the one-colour PNG images they show on it."""
import os
import socket
import struct
import subprocess
import time
import zlib


def png(width, height, rgb):
    """A PNG image of one colour."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = b"".join(b"\0" + bytes(rgb) * width for _ in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def x_server():
    """An Xvfb screen of 640 x 480 on a display number of its own: the
    first that a server could take (another test's may hold one). Ready
    once its socket takes a connection (a killed server's may be left)."""
    for number in range(100 + os.getpid() % 800, 110 + os.getpid() % 800):
        server = subprocess.Popen(["Xvfb", ":%d" % number, "-screen", "0", "640x480x24", "-nolisten", "tcp"],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if server.poll() is not None:
                break
            with socket.socket(socket.AF_UNIX) as probe:
                if probe.connect_ex("/tmp/.X11-unix/X%d" % number) == 0:
                    return server, ":%d" % number
            time.sleep(0.1)
        server.kill()
        server.wait()
    raise RuntimeError("no Xvfb display could be started")
