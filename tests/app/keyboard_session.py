#!/usr/bin/python3
"""The real program on a real display with a window manager, worked by the keyboard alone.

keyboard_session.py QUORELLA QUORELLA_CLI, run by keyboard_session.sh inside Xvfb, a D-Bus session
and openbox. Starts the window on a fresh configuration, opens the question dialog from the Q & A
page by keys, types three questions with Alt+A ("Add another") between them and Alt+O (OK) after
the last, closes the window with Alt+C and asks quorella-cli for the questions. Where the focus is
is read through the accessibility bus (AT-SPI), as a screen reader reads it. Exits 0 when all three
questions are stored, in order and whole; else prints what went wrong and exits 1.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Atspi

QUESTIONS = ["What does Quorella make?", "Which browsers show the pages?", "Is it free?"]


def fail(message):
    print("keyboard session: " + message, file=sys.stderr)
    sys.exit(1)


def xdotool(*arguments):
    done = subprocess.run(["xdotool", *arguments], capture_output=True, text=True)
    if done.returncode != 0:
        raise subprocess.CalledProcessError(done.returncode, ["xdotool", *arguments],
                                            done.stdout, done.stderr)
    return done.stdout.strip()


def activate(window):
    """Asks the window manager to activate `window` and waits until it has."""
    def active():
        try:
            return xdotool("getactivewindow") == window
        except subprocess.CalledProcessError:
            return False
    for _ in range(3):
        try:
            xdotool("windowactivate", window)
        except subprocess.CalledProcessError as error:
            print("keyboard session: windowactivate: " + error.stderr.strip(), file=sys.stderr)
        deadline = time.monotonic() + 3
        while time.monotonic() < deadline:
            if active():
                return
            time.sleep(0.1)
    fail("the window manager did not activate window " + window)


def wait_for(what, test, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = test()
        if found:
            return found
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def window_named(pattern):
    def find():
        try:
            return xdotool("search", "--onlyvisible", "--name", pattern).split()[0]
        except subprocess.CalledProcessError:
            return None
    return wait_for("a window named " + pattern, find)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name.lower() == "quorella":
            # States as they are now, not as the events this script never waits for left them.
            app.set_cache_mask(Atspi.Cache.NONE)
            app.clear_cache()
            return app
    return None


def focused():
    """(role, name, node) of the control that has the focus, as AT-SPI reports it; None when none.

    Qt reports the current tab of every tab bar as focused too; those are passed over.
    """
    app = application()
    if app is None:
        return None
    pending = [app]
    while pending:
        node = pending.pop(0)
        try:
            if (node.getState().contains(pyatspi.STATE_FOCUSED) and
                    node.getRoleName() not in ("page tab", "filler")):
                return node.getRoleName(), node.name, node
            pending.extend(node.getChildAtIndex(i) for i in range(node.childCount))
        except Exception:  # a control that went away meanwhile
            continue
    return None


def shows(text):
    """Whether a control of the window shows `text` (the status bar's panel, for one)."""
    pending = [application()]
    while pending:
        node = pending.pop()
        try:
            if node.name == text:
                return True
            pending.extend(node.getChildAtIndex(i) for i in range(node.childCount))
        except Exception:
            continue
    return False


def wait_focus(name, role=None):
    def check():
        now = focused()
        return now if now and now[1] == name and (role is None or now[0] == role) else None
    try:
        return wait_for("the focus on " + name, check, seconds=10)
    except SystemExit:
        fail("the focus is on %r, not on %r" % (focused()[:2] if focused() else None, name))


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def key(*keys):
    xdotool("key", "--delay", "60", *keys)


def main():
    quorella, cli = sys.argv[1:3]
    home = tempfile.mkdtemp(prefix="quorella-keys-")
    env = dict(os.environ, QUORELLA_HOME=home + "/app", XDG_CONFIG_HOME=home + "/config",
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
               QUORELLA_SITE="http://127.0.0.1:9/")
    os.makedirs(env["QUORELLA_HOME"])
    program = subprocess.Popen([quorella], env=env)
    try:
        main_window = window_named("^Quorella v")
        activate(main_window)
        wait_for("the window on the accessibility bus", focused)
        key("alt+q")  # the Q & A page
        for _ in range(20):
            if focused() and focused()[1] == "Add question":
                break
            key("Tab")
            time.sleep(0.1)
        wait_focus("Add question")
        key("space")
        window_named("^Question$")
        editor = wait_focus("Question", "text")[2]
        for number, question in enumerate(QUESTIONS):
            xdotool("type", "--delay", "20", question)
            last = number == len(QUESTIONS) - 1
            key("alt+o" if last else "alt+a")
            if not last:
                # The text was added and emptied, and the keys go to it again.
                editor = wait_focus("Question", "text")[2]
                wait_for("an empty question text", lambda: text_of(editor) == "")
        # OK closed the dialog and gave the answer of the new question the focus; the window's
        # own questions are not taken for another program's.
        wait_focus("Answer", "text")
        if shows("The FAQ was changed by another program and has been reloaded."):
            fail("the window's own questions were reported as another program's change")
        key("alt+c")  # Close
        try:
            program.wait(timeout=20)
        except subprocess.TimeoutExpired:
            fail("the window did not close on Alt+C")
        listed = subprocess.run([cli, "questions", "FAQ"], env=env, check=True,
                                capture_output=True, text=True).stdout
    finally:
        if program.poll() is None:
            program.kill()
        shutil.rmtree(home, ignore_errors=True)
    wanted = "".join("%d. %s\n" % (i + 1, q) for i, q in enumerate(QUESTIONS))
    if listed != wanted:
        fail("quorella-cli questions FAQ printed:\n%s\ninstead of:\n%s" % (listed, wanted))
    print("keyboard session: %d questions added by keyboard and listed" % len(QUESTIONS))


if __name__ == "__main__":
    main()
