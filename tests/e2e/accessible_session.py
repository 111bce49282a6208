#!/usr/bin/python3
"""Drives Kelvane the way a screen reader or a UI-automation tool does.

Runs inside a private D-Bus session on a virtual X server (see
run-accessible-session.sh). Starts the AT-SPI bus and the program, finds its
controls by their names in the chosen language (Chinese unless --lang en), opens the port, reads LF-only lines from
the receive box's accessible text, puts text into the send box through its
editable text and sends it, presses F5 as a real key, starts decimal
plotting and checks that the chart moves, and closes the window, which on a
desktop without a notification area ends the program.
"""

import argparse
import os
import re
import select
import subprocess
import sys
import termios
import threading
import time
import tty

import pyatspi
import Xlib.error
from Xlib import X, display, protocol

# Controls whose insides are long lists (the span list holds 1000 entries):
# the search does not walk into them.
PRUNED = {pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TABLE}

# What a user of each language reads on the controls and messages the session uses.
NAMES = {
    "zh": {"prompt": "提示", "receive box": "接收数据", "send box": "发送数据", "open": "打开",
           "opened": "串口打开成功", "send": "发送", "plot decimal": "绘图其他", "stop plot": "停止绘图",
           "show panel": "显示面板"},
    "en": {"prompt": "Note", "receive box": "Received data", "send box": "Data to send", "open": "Open",
           "opened": "Port opened.", "send": "Send", "plot decimal": "Plot [dec]", "stop plot": "Stop plot",
           "show panel": "Show panel"},
}


def wait_for(what, predicate, timeout=20):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            found = predicate()
        except Exception:  # the tree changes under us while the program works
            found = None
        if found:
            return found
        time.sleep(0.1)
    raise AssertionError("timed out waiting for " + what)


def find(node, predicate):
    stack = [node]
    while stack:
        current = stack.pop()
        for index in range(current.childCount):
            child = current.getChildAtIndex(index)
            if child is None:
                continue
            if predicate(child):
                return child
            if child.getRole() not in PRUNED:
                stack.append(child)
    return None


def describe(node, depth=0, limit=3):
    """The tree under `node`, a line a node, for a failure's report."""
    lines = ["%s%s %r" % ("  " * depth, node.getRoleName(), node.name)]
    if depth < limit and node.getRole() not in PRUNED:
        for index in range(node.childCount):
            child = node.getChildAtIndex(index)
            if child is not None:
                lines += describe(child, depth + 1, limit)
    return lines


def named(role, name):
    return lambda node: node.getRole() == role and node.name == name


class Program:
    """The program's accessible tree."""

    def __init__(self):
        self.app = wait_for("Kelvane on the accessibility bus", self.application, timeout=40)
        self.frame = wait_for("the main window", lambda: find(self.app, lambda n: n.name == "KelvaneV3.0"))

    @staticmethod
    def application():
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.name == "Kelvane":
                return app
        return None

    def button(self, name):
        return wait_for("the button " + name, lambda: find(self.frame, named(pyatspi.ROLE_PUSH_BUTTON, name)))

    def press(self, name):
        button = self.button(name)
        action = button.queryAction()
        action.doAction(0)

    def text_box(self, name):
        return wait_for("the text box " + name, lambda: find(self.frame, named(pyatspi.ROLE_TEXT, name)))

    def dismiss_message(self, caption, text):
        """Presses OK on the message box `caption` that says `text`."""

        def message_box():
            for index in range(self.app.childCount):
                window = self.app.getChildAtIndex(index)
                if window is not None and window.name == caption and find(window, lambda n: n.name == text):
                    return window
            return None

        box = wait_for("the message " + text, message_box)
        ok = wait_for("its OK button", lambda: find(box, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                                                     and n.name.replace("&", "") in ("OK", "确定")))
        ok.queryAction().doAction(0)


def all_text(box):
    return box.queryText().getText(0, -1)


class Device:
    """The far end of the serial line."""

    def __init__(self, path):
        self.fd = os.open(path, os.O_RDWR | os.O_NOCTTY)
        tty.setraw(self.fd, termios.TCSANOW)
        self.streaming = None

    def write(self, data):
        os.write(self.fd, data)

    def read(self, count, timeout=10):
        got = b""
        deadline = time.monotonic() + timeout
        while len(got) < count and time.monotonic() < deadline:
            ready, _, _ = select.select([self.fd], [], [], 0.1)
            if ready:
                got += os.read(self.fd, count - len(got))
        return got

    def drain(self):
        while select.select([self.fd], [], [], 0.2)[0]:
            os.read(self.fd, 4096)

    def stream_numbers(self):
        """Sends a triangle wave, one number and LF 50 times a second."""
        stop = threading.Event()

        def run():
            value = 0
            while not stop.is_set():
                self.write(b"%d\n" % abs(value % 200 - 100))
                value += 7
                time.sleep(0.02)

        thread = threading.Thread(target=run, daemon=True)
        thread.start()
        return stop, thread


def screenshot(path, extents):
    x, y, width, height = extents
    subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, x, y), path],
                   check=True)


def differing_pixels(first, second):
    result = subprocess.run(["compare", "-metric", "AE", first, second, "null:"], capture_output=True, text=True)
    return int(float(result.stderr.split()[0]))


def close_window(title):
    """Asks the window to close, as a window manager's close button does."""
    screen = display.Display()
    delete = screen.intern_atom("WM_DELETE_WINDOW")
    protocols = screen.intern_atom("WM_PROTOCOLS")
    root = screen.screen().root
    for window in root.query_tree().children:
        try:
            if window.get_wm_name() != title:
                continue
        except Xlib.error.XError:  # a tooltip or popup that went meanwhile
            continue
        event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                             data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(event)
    screen.flush()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--kelvane", required=True)
    parser.add_argument("--peer", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--lang", choices=sorted(NAMES), default="zh")
    args = parser.parse_args()
    names = NAMES[args.lang]

    # Importing pyatspi has already started the accessibility bus through
    # D-Bus activation, so the program finds it when it starts.
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    kelvane = subprocess.Popen([args.kelvane, "--lang", args.lang], env=environment, cwd=os.path.dirname(args.kelvane))
    device = Device(args.peer)
    try:
        program = Program()
        receive_box = program.text_box(names["receive box"])
        send_box = program.text_box(names["send box"])
        print("found the main window, its buttons and its two text boxes")

        program.press(names["open"])
        program.dismiss_message(names["prompt"], names["opened"])
        device.write(b"first\nsecond\nthird\n")
        lines = wait_for("the lines in the receive box",
                         lambda: [l for l in all_text(receive_box).split("\n") if l] == ["first", "second", "third"]
                         and all_text(receive_box))
        print("receive box reads %r" % lines)

        send_box.queryEditableText().setTextContents("AT+PING")
        assert all_text(send_box) == "AT+PING", all_text(send_box)
        device.drain()
        program.press(names["send"])
        sent = device.read(7)
        assert sent == b"AT+PING", sent
        print("sent %r through the send box" % sent)

        send_box.queryEditableText().setTextContents("AB")
        subprocess.run(["xdotool", "key", "F5"], check=True)
        stamped = wait_for("the time F5 appends", lambda: re.fullmatch(r"AB\d{6}", all_text(send_box)))
        print("F5 turned the send box into %r" % stamped.group(0))

        program.press(names["plot decimal"])
        stop, thread = device.stream_numbers()
        wait_for("the plot button to say " + names["stop plot"], lambda: program.button(names["stop plot"]))
        x, y = program.frame.queryComponent().getPosition(pyatspi.DESKTOP_COORDS)
        chart = (x, y + 45, 860, 375)  # below the command row, above the folded data panel
        time.sleep(1.5)
        first = os.path.join(args.out, "chart-1.png")
        second = os.path.join(args.out, "chart-2.png")
        screenshot(first, chart)
        time.sleep(1)
        screenshot(second, chart)
        program.press(names["show panel"])  # unfold the data panel to show the boxes too
        time.sleep(1)
        subprocess.run(["import", "-window", "root", os.path.join(args.out, "session.png")], check=True)
        stop.set()
        thread.join()
        changed = differing_pixels(first, second)
        assert changed > 0, "the chart did not move in a second"
        print("chart moved: %d pixels differ between %s and %s" % (changed, first, second))

        close_window("KelvaneV3.0")
        code = kelvane.wait(timeout=20)
        assert code == 0, "exit code %d" % code
        print("closing the window ended the program (no notification area)")
        print("e2e: 1 passed, 0 failed")
        return 0
    except AssertionError as failure:
        print("FAILED: %s" % failure)
        app = Program.application()
        if app is not None:
            print("\n".join(describe(app)))
        return 1
    finally:
        if kelvane.poll() is None:
            kelvane.kill()


if __name__ == "__main__":
    sys.exit(main())
