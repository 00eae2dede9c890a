#!/usr/bin/python3
"""Listens to the installed program as a blind user hears it: through Orca, the screen reader of GNOME and of
Debian, on the X display that the environment names, where a window manager gives the new window the focus.
scripts/check-linux-desktops runs it in a session bus of its own (dbus-run-session), with BROWSER set to a
stand-in that writes down what it is asked to open.

    hear-with-orca.py CAPTION LINK OPENED FOLDER

Orca keeps its settings and its debug log in FOLDER, and speaks into nothing (scripts/lib/orca-customizations.py);
its debug log has each utterance as a line "SPEECH OUTPUT: '...'". The keyboard (xdotool) does what a blind
user does. When the window opens, Orca must say its caption and the focused start button; after Space, the
report's start at once and nothing more until the report is complete, about ten seconds on,
without the focus having moved; two Tabs on, the banner as a link, and Enter on it must hand LINK to the
browser (written into the file OPENED). Orca and the program are ended however it ends. Debian's python3.
"""
import datetime
import os
import re
import shutil
import signal
import subprocess
import sys
import time

# What Orca must say, as its versions say it: Orca 43 (Debian 12) speaks a notification's role and text as one
# utterance, "notification TEXT.", Orca 48 (Debian 13) as two, "notification" and "TEXT"; Orca 43 says "push
# button", Orca 48 "button".
BUTTON = re.compile(r"QuorixHNX服务器测评 (push )?button\.?")
STARTED = re.compile(r"(notification )?正在生成测评报告，约需10秒\.?")
COMPLETE = re.compile(r"(notification )?测评报告已完成，共19行，可在测评报告内容框中阅读\.?")
BANNER = re.compile(r"Quorix优惠券广告链接 link\.?")
UTTERANCE = re.compile(r"^(\d\d):(\d\d):(\d\d\.\d+) - SPEECH OUTPUT: '(.*?)'")


def fail(message):
    sys.exit("hear-with-orca: " + message)


class Log:
    """What Orca has said so far, as (seconds since midnight, utterance), read from its debug log."""

    def __init__(self, path):
        self.path = path
        self.heard = []

    def read(self):
        if os.path.exists(self.path):
            with open(self.path, encoding="utf-8", errors="replace") as log:
                matches = [UTTERANCE.match(line) for line in log]
            self.heard = [(int(h) * 3600 + int(m) * 60 + float(s), text)
                          for h, m, s, text in (match.groups() for match in matches if match)]
        return self.heard

    def wait_for(self, utterance, seconds, after=0):
        """The index and time of the first utterance after index `after` that is `utterance` (a text, or a
        pattern that matches it whole); fails after `seconds`."""
        pattern = utterance if isinstance(utterance, re.Pattern) else re.compile(re.escape(utterance))
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            for index, (at, text) in enumerate(self.read()[after:], after):
                if pattern.fullmatch(text):
                    return index, at
            time.sleep(0.1)
        fail(f"Orca did not say \"{pattern.pattern}\" within {seconds} s; it said:\n" +
             "\n".join(text for _, text in self.heard[after:]))

    def as_notification(self, index):
        """Whether the utterance at index was said as a notification: in itself, or right after the role."""
        return self.heard[index][1].startswith("notification ") or self.heard[index - 1][1] == "notification"


def now():
    clock = datetime.datetime.now()
    return clock.hour * 3600 + clock.minute * 60 + clock.second + clock.microsecond / 1e6


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)
    return now()


def listen(caption, link, opened, log):
    said, _ = log.wait_for(f"{caption}.", 30)
    said, _ = log.wait_for(BUTTON, 5, said)

    pressed = key("space")
    started, started_at = log.wait_for(STARTED, 5, said)
    # The report's first line shows half a second after Space, its last ten seconds after it; Orca may lag
    # behind by a second or two when the machine is busy.
    if started_at - pressed > 3:
        fail(f"Orca said that the report started {started_at - pressed:.1f} s after Space, not at once")
    complete, complete_at = log.wait_for(COMPLETE, 20, started)
    if not 9.5 <= complete_at - pressed <= 13:
        fail(f"Orca said that the report was complete {complete_at - pressed:.1f} s after Space, not about 10 s")
    for index in started, complete:
        if not log.as_notification(index):
            fail(f"Orca did not say \"{log.heard[index][1]}\" as a notification")
    between = [text for _, text in log.heard[started + 1:complete] if text != "notification"]
    if between:
        fail(f"between the start and the end of the report Orca said {between}")

    key("Tab")
    key("Tab")
    log.wait_for(BANNER, 5, complete)
    key("Return")
    end = time.monotonic() + 10
    while not (os.path.exists(opened) and open(opened, encoding="utf-8").read() == link + "\n"):
        if time.monotonic() > end:
            fail(f"Enter on the banner did not open {link}")
        time.sleep(0.1)
    print(f"Orca said the window, the report's start {started_at - pressed:.2f} s after Space and its end "
          f"{complete_at - pressed:.2f} s after it, nothing in between, and the banner as a link; Enter on it "
          f"opened {link}")


def main(caption, link, opened, folder):
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))  # so that Orca and the program are ended then too
    if os.path.exists(opened):
        os.remove(opened)
    os.makedirs(os.path.join(folder, "orca"), exist_ok=True)
    shutil.copy(os.path.join(os.path.dirname(__file__), "orca-customizations.py"), os.path.join(folder, "orca"))
    log = Log(os.path.join(folder, "debug.log"))
    if os.path.exists(log.path):
        os.remove(log.path)
    # Orca's own settings, and its role names in English.
    environment = dict(os.environ, XDG_DATA_HOME=folder, XDG_CONFIG_HOME=folder, LC_ALL="C.UTF-8")
    environment.pop("LANGUAGE", None)
    processes = []
    try:
        with open(os.path.join(folder, "orca.out"), "wb") as output:
            processes.append(subprocess.Popen(["orca", "--debug-file", log.path], env=environment,
                                              stdout=output, stderr=subprocess.STDOUT))
            log.wait_for("Screen reader on.", 30)
            processes.append(subprocess.Popen(["pindlequorix"], stdout=output, stderr=subprocess.STDOUT))
            listen(caption, link, opened, log)
    finally:
        for process in reversed(processes):
            process.kill()
            process.wait()


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
