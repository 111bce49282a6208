#!/usr/bin/python3
"""The far end of the Win32 serial tests under Wine.

Creates three pseudo-terminals and maps them to COM ports of a Wine prefix:
COM21 (the port the engine opens) is linked to COM22 (the far end the tests
drive), and COM23 takes commands, one per line, answered with "ok":
  reset   drop every byte still in flight between COM21 and COM22
  hangup  make COM21's far end go away, then map COM21 to a fresh link
Runs until stdin closes.
"""
import os
import select
import sys
import termios
import tty

ENGINE, FAR_END, CONTROL = "com21", "com22", "com23"
# Bytes a direction may hold before the link stops reading its source, so
# that a far end which does not read holds the engine's writes back.
HOLD_LIMIT = 4096


class Pty:
    def __init__(self):
        self.master, self.slave = os.openpty()
        # Kept open so the master never sees the port's last close as a hang-up.
        tty.setraw(self.slave)
        os.set_blocking(self.master, False)
        self.name = os.ttyname(self.slave)

    def close(self):
        os.close(self.master)
        os.close(self.slave)

    def flush(self):
        termios.tcflush(self.slave, termios.TCIOFLUSH)


def map_port(dosdevices, port, pty):
    link = os.path.join(dosdevices, port)
    if os.path.lexists(link):
        os.remove(link)
    os.symlink(pty.name, link)


def main():
    dosdevices = sys.argv[1]
    engine, far_end, control = Pty(), Pty(), Pty()
    for port, pty in ((ENGINE, engine), (FAR_END, far_end), (CONTROL, control)):
        map_port(dosdevices, port, pty)
    pending = {engine: b"", far_end: b""}  # bytes waiting to be written to each
    command = b""
    print("ready", flush=True)

    while True:
        def peer(pty):
            return far_end if pty is engine else engine

        readers = [sys.stdin, control.master]
        readers += [p.master for p in (engine, far_end) if len(pending[peer(p)]) < HOLD_LIMIT]
        writers = [p.master for p in (engine, far_end) if pending[p]]
        readable, writable, _ = select.select(readers, writers, [])
        if sys.stdin in readable and not sys.stdin.readline():
            return
        for pty in (engine, far_end):
            if pty.master in readable:
                try:
                    pending[peer(pty)] += os.read(pty.master, 4096)
                except (BlockingIOError, OSError):
                    pass
            if pty.master in writable:
                written = os.write(pty.master, pending[pty])
                pending[pty] = pending[pty][written:]
        if control.master in readable:
            command += os.read(control.master, 256)
            while b"\n" in command:
                line, command = command.split(b"\n", 1)
                line = line.strip()
                if line == b"reset":
                    pending = {engine: b"", far_end: b""}
                    engine.flush()
                    far_end.flush()
                elif line == b"hangup":
                    engine.close()
                    engine = Pty()
                    pending = {engine: b"", far_end: b""}
                    map_port(dosdevices, ENGINE, engine)
                os.write(control.master, b"ok\n")


if __name__ == "__main__":
    main()
