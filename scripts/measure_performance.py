#!/usr/bin/python3
"""Measures TramolKulap in a real window under Xvfb + openbox, beside two peer puzzles.

Run through scripts/measure-performance.sh, which installs what this needs. Prints one
table: CPU in each state, exec -> window mapped, the menu fully drawn, how long the pauses
(a level's title, the "not found" notice, the win picture, the final screen) stand on screen,
peak resident memory, and the time a close request during the final screen takes to end the
program.
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, Xatom, display as xdisplay
from Xlib.error import BadWindow, XError
from Xlib.ext import damage
from Xlib.protocol import event as xevent

POLL_S = 0.002          # exec -> mapped is polled this often
PICTURE_ALONE_S = 1.0    # the start-up picture stands 1250 ms before the menu
TITLE_S = 1.5           # a level's title stands this long before play
OUTCOME_S = 4.0         # the won picture, then the final screen for 5 s
QUIET_S = 1.0           # no drawing for this long: the window is fully drawn
FRAME_GAP_S = 0.004     # drawings closer than this belong to one picture put on screen
FRAME_S = 0.020         # a frame of a step or a quarter turn stands this long

# A corridor of straight pipes across the middle row to walk up and down, and one dry
# pipe apart, so that the level is never won. The clock has a quarter of an hour. The
# figure starts one cell in, so that two seconds of an arrow take it nine cells along.
WALK_LEVEL = """Chodba/Corridor
900
LLLLLLLLLLL
LLLLLLLLLLL
LLLLLLLLLLL
FFFFFFFFFFF
LLLLLLLLLLL
LLLLLGLLLLL
LLLLLLLLLLL
0,3
1,3

1
end
"""

# Two pipes: the figure stands on an upright one beside the source; one clockwise quarter
# turn joins them, wins the level and, as it is the chain's last, brings the final screen.
TURN_LEVEL = """Otočka/Turn
900
LLLLLLLLLLL
LLLLLLLLLLL
LLLLLLLLLLL
LLLLLFGLLLL
LLLLLLLLLLL
LLLLLLLLLLL
LLLLLLLLLLL
5,3
6,3

1
end
"""


# ---- the X session ------------------------------------------------------------------

class XSession:
    """Xvfb on a free display with openbox managing its windows."""

    def __init__(self):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            number = f.readline().strip()
        if not number:
            sys.exit("Xvfb did not start")
        self.name = ":" + number
        # No sound card here: SDL's dummy audio device takes the sound and mixes it in real
        # time as a card would (without any device the music stays off, which is measured apart).
        self.env = dict(os.environ, DISPLAY=self.name, SDL_AUDIODRIVER="dummy")
        self.openbox = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.x = xdisplay.Display(self.name)
        self.root = self.x.screen().root
        self.atoms = {n: self.x.intern_atom(n) for n in
                      ("_NET_WM_PID", "_NET_SUPPORTING_WM_CHECK", "WM_PROTOCOLS", "WM_DELETE_WINDOW")}
        if not self.x.has_extension("DAMAGE"):
            sys.exit("the X server has no DAMAGE extension")
        self.x.damage_query_version()
        # Every new top-level window is reported as it is made, so that finding a program's
        # window costs a request or two per poll rather than a walk through the whole tree.
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        deadline = time.monotonic() + 10
        while self.root.get_full_property(self.atoms["_NET_SUPPORTING_WM_CHECK"], X.AnyPropertyType) is None:
            if time.monotonic() > deadline:
                sys.exit("openbox did not start")
            time.sleep(0.05)

    def close(self):
        for p in (self.openbox, self.xvfb):
            p.terminate()
            p.wait()

    def owner(self, window):
        """The pid a window names as its program's, None when it names none; False when the
        window is gone or can show nothing (an input-only window)."""
        try:
            if window.get_attributes().win_class != X.InputOutput:
                return False
            pid = window.get_full_property(self.atoms["_NET_WM_PID"], Xatom.CARDINAL)
            if pid is not None:
                return pid.value[0]
            return None if window.get_wm_name() else False
        except (BadWindow, XError):
            return False

    def viewable(self, window):
        """Whether the window is on screen; None once it is gone."""
        try:
            return window.get_attributes().map_state == X.IsViewable
        except (BadWindow, XError):
            return None

    def send_close(self, window):
        """What the title bar's close button sends."""
        message = xevent.ClientMessage(
            window=window, client_type=self.atoms["WM_PROTOCOLS"],
            data=(32, [self.atoms["WM_DELETE_WINDOW"], X.CurrentTime, 0, 0, 0]))
        window.send_event(message, event_mask=X.NoEventMask)
        self.x.flush()


# ---- one program under watch ------------------------------------------------------------

class Run:
    """A program started in the session, timed from its exec."""

    def __init__(self, session, argv, cwd, env_extra=None):
        self.s = session
        self.made = []  # top-level windows made since the start, not yet known to be others'
        env = dict(session.env, **(env_extra or {}))
        self.started = time.monotonic()
        self.proc = subprocess.Popen(argv, cwd=cwd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = None
        self.last_drawn = None
        self.drawings = None  # while recorded: every drawing's time
        self.cpu_until_mapped = None

    def wait_mapped(self, timeout=20):
        """Seconds from exec until the program's window is viewable, polled every 2 ms.
        Drawing into the window is watched from the moment the window is found."""
        while time.monotonic() - self.started < timeout:
            self.take_events()
            if self.window is None:
                self.find_window()
            shown = self.s.viewable(self.window) if self.window is not None else False
            if shown is None:
                # Some programs make a window and replace it before showing one.
                self.made.remove(self.window)
                self.window = None
            elif shown:
                mapped = time.monotonic() - self.started
                self.cpu_until_mapped = sum(ns for ns, _ in self.threads_ns().values()) / 1e9
                return mapped
            if self.proc.poll() is not None:
                raise RuntimeError(f"{self.proc.args[0]} ended before showing a window")
            time.sleep(POLL_S)
        raise RuntimeError(f"{self.proc.args[0]} showed no window")

    def find_window(self):
        """The program's window among those made since the start: the one that names the
        program's pid, or else the first one with a title that names no pid at all."""
        for w in list(self.made):
            pid = self.s.owner(w)
            if pid is False:
                continue  # not a window that shows, or not named yet: asked again next time
            if pid is not None and pid != self.proc.pid:
                self.made.remove(w)
                continue
            self.window = w
            w.damage_create(damage.DamageReportRawRectangles)
            return

    def take_events(self):
        """New top-level windows, and when the program's window was last drawn to, by the
        server's own clock: Xvfb stamps events with CLOCK_MONOTONIC in ms, the clock of
        time.monotonic()."""
        while self.s.x.pending_events():
            e = self.s.x.next_event()
            kind = e.__class__.__name__
            if kind == "CreateNotify" and not e.override:
                self.made.append(e.window)
            elif kind == "DamageNotify" and self.window is not None and e.drawable.id == self.window.id:
                self.last_drawn = server_time(e.timestamp)
                if self.drawings is not None:
                    self.drawings.append(self.last_drawn)

    def record(self):
        """From now on, every drawing into the window is kept."""
        self.take_events()
        self.drawings = []

    def pictures(self, seconds):
        """Waits `seconds` while drawings are recorded, then gives the moments the window
        was put on screen: each a run of drawings closer than FRAME_GAP_S, at its last."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            self.take_events()
            time.sleep(POLL_S)
        self.take_events()
        shown = []
        for t in sorted(self.drawings or []):
            if shown and t - shown[-1] < FRAME_GAP_S:
                shown[-1] = t
            else:
                shown.append(t)
        self.drawings = None
        return shown

    def wait_rest(self, not_before, timeout=20):
        """Seconds from exec to the last drawing before the window rests for QUIET_S,
        counting only a rest that begins at least `not_before` seconds after exec."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            self.take_events()
            last = self.last_drawn or self.started
            if last - self.started >= not_before and time.monotonic() - last >= QUIET_S:
                return last - self.started
            time.sleep(POLL_S)
        raise RuntimeError("the window never came to rest")

    def focus(self):
        subprocess.run(["xdotool", "windowactivate", "--sync", str(self.window.id)], env=self.s.env,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)

    def keys(self, *names, delay=0.15):
        for n in names:
            xdotool(self.s, "key", n)
            time.sleep(delay)

    def threads_ns(self):
        """Each live thread's CPU time so far, from the scheduler: {tid: (ns, is SDL's audio thread)}."""
        seen = {}
        for task in os.listdir(f"/proc/{self.proc.pid}/task"):
            try:
                with open(f"/proc/{self.proc.pid}/task/{task}/comm") as f:
                    audio = f.read().startswith("SDLAudio")
                with open(f"/proc/{self.proc.pid}/task/{task}/schedstat") as f:
                    seen[task] = (int(f.read().split()[0]), audio)
            except OSError:
                pass  # the thread has just ended
        return seen

    def cpu_percent(self, seconds, during=None, apart=None):
        """% of one core over `seconds`, from the scheduler's nanoseconds; `during` runs
        meanwhile and takes the seconds. The threads are looked at every 50 ms, so that one
        that ends meanwhile (the game lets a quiet sound device go) keeps what it used. With
        `apart`, a dict, the share without SDL's audio thread goes into apart["but_audio"]."""
        first = self.threads_ns()
        last = dict(first)
        t0 = time.monotonic()
        if during:
            during(seconds)
        else:
            while time.monotonic() - t0 < seconds:
                time.sleep(0.05)
                last.update(self.threads_ns())
        last.update(self.threads_ns())
        t1 = time.monotonic()
        used = {tid: (ns - first.get(tid, (0, audio))[0], audio) for tid, (ns, audio) in last.items()}
        if apart is not None:
            apart["but_audio"] = 100.0 * sum(ns for ns, audio in used.values() if not audio) / 1e9 / (t1 - t0)
        return 100.0 * sum(ns for ns, _ in used.values()) / 1e9 / (t1 - t0)

    def peak_mb(self):
        with open(f"/proc/{self.proc.pid}/status") as f:
            for line in f:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1]) / 1024.0
        return float("nan")

    def close_and_time(self, timeout=30):
        """Seconds from the close request to the end of the process."""
        t0 = time.monotonic()
        self.s.send_close(self.window)
        while self.proc.poll() is None:
            if time.monotonic() - t0 > timeout:
                self.proc.kill()
                raise RuntimeError("the program did not end after a close request")
            time.sleep(0.001)
        return time.monotonic() - t0

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


def server_time(stamp):
    """An X server timestamp (ms, 32 bits) as a time.monotonic() value."""
    now = time.monotonic()
    ms = int(now * 1000)
    delta = (ms - stamp) % (1 << 32)
    return now - delta / 1000.0 - (now * 1000 - ms) / 1000.0


def xdotool(session, *args):
    subprocess.run(["xdotool", *args], env=session.env, check=True, timeout=10)


# ---- TramolKulap ----------------------------------------------------------------------

def lay_program_folder(build, level):
    """A scratch program folder: the built program and its data, with the measuring levels,
    music off (the harness has no sound card) and `level` as the one Play starts."""
    folder = tempfile.mkdtemp(prefix="tk-measure-")
    shutil.copy2(os.path.join(build, "tramolkulap"), folder)
    for sub in ("levels", "graphics", "sound", "music", "help"):
        shutil.copytree(os.path.join(build, sub), os.path.join(folder, sub))
    for name, text in (("walk", WALK_LEVEL), ("turn", TURN_LEVEL)):
        with open(os.path.join(folder, "levels", name + ".kulap"), "w", newline="\r\n") as f:
            f.write(text)
    with open(os.path.join(folder, "options.txt"), "w", newline="\r\n") as f:
        f.write(f"fullscreen:off\nmusic:off\nlevel:{level}\n")
    # English: no marker file.
    marker = os.path.join(folder, "AtToMluvi.Cesky")
    if os.path.exists(marker):
        os.remove(marker)
    return folder


def game_run(session, folder):
    return Run(session, [os.path.join(folder, "tramolkulap")], folder)


def standing(pictures, index, what):
    """How long picture `index` stood: until the next one (ms)."""
    if index + 1 >= len(pictures):
        raise RuntimeError(f"{what}: only {len(pictures)} pictures were put on screen")
    return 1000 * (pictures[index + 1] - pictures[index])


def title_stands(run):
    """Play starts from the highlighted menu line: the board with the title, then the
    title gone (ms on screen)."""
    run.record()
    run.keys("Return")
    return standing(run.pictures(TITLE_S + 0.7), 0, "the title")


def note(results, key, value):
    results.setdefault(key, []).append(value)


def walk_back_and_forth(run):
    def during(seconds):
        end = time.monotonic() + seconds
        key = "Right"
        while time.monotonic() < end:
            xdotool(run.s, "keydown", key)
            # Nine steps of 0.22 s: from one end of the corridor nearly to the other.
            time.sleep(min(2.0, max(0.0, end - time.monotonic())))
            xdotool(run.s, "keyup", key)
            key = "Left" if key == "Right" else "Right"
    return during


def measure_game(session, build, seconds, launches, results):
    folder = lay_program_folder(build, "walk")
    try:
        mapped, mapped_cpu, pictured, menu = [], [], [], []
        for i in range(launches):
            run = game_run(session, folder)
            try:
                mapped.append(run.wait_mapped())
                mapped_cpu.append(run.cpu_until_mapped)
                # The start-up picture is the last drawing before the window first rests
                # (mapping may draw before it); the menu is the next drawing, a good
                # second later, and the last before the window rests again.
                pictured.append(run.wait_rest(not_before=0))
                menu.append(run.wait_rest(not_before=pictured[-1] + PICTURE_ALONE_S))
                if i < launches - 1:
                    continue
                # The last launch goes on through every screen.
                run.focus()
                results["menu_cpu"] = run.cpu_percent(seconds)
                results["menu_mb"] = run.peak_mb()
                run.keys("Down", "Return")                 # Options
                time.sleep(1)
                results["options_cpu"] = run.cpu_percent(seconds)
                # "Choose level", a name without a level file: the notice stands its second.
                run.keys("Down", "Down", "Down", "Return")
                xdotool(run.s, "type", "x")
                time.sleep(0.2)
                run.record()
                run.keys("Return")
                note(results, "notice_ms", standing(run.pictures(1.7), 0, "the notice"))
                run.keys("Up", "Up", "Up", "Return", "Down", "Return")  # back, Help
                time.sleep(1)
                results["help_cpu"] = run.cpu_percent(seconds)
                run.keys("Escape", "Up", "Up")             # back, onto Play
                note(results, "title_ms", title_stands(run))
                time.sleep(0.3)
                apart = {}
                results["level_cpu"] = run.cpu_percent(seconds, apart=apart)
                results["level_main_cpu"] = apart["but_audio"]
                results["walk_cpu"] = run.cpu_percent(seconds, during=walk_back_and_forth(run))
                time.sleep(0.5)
                run.keys("Escape")
                time.sleep(1)
                results["question_cpu"] = run.cpu_percent(seconds)
                results["play_mb"] = run.peak_mb()
                run.keys("y")
                time.sleep(0.5)
                run.close_and_time()
            finally:
                run.stop()
        results["mapped_ms"] = 1000 * statistics.median(mapped)
        results["mapped_cpu_ms"] = 1000 * statistics.median(mapped_cpu)
        results["drawn_ms"] = 1000 * statistics.median(pictured)
        results["menu_ms"] = 1000 * statistics.median(m - p for m, p in zip(menu, pictured))

        with open(os.path.join(folder, "options.txt"), "w", newline="\r\n") as f:
            f.write("fullscreen:off\nmusic:off\nlevel:turn\n")
        run = game_run(session, folder)
        try:
            run.wait_mapped()
            run.wait_rest(not_before=run.wait_rest(not_before=0) + PICTURE_ALONE_S)
            run.focus()
            for attempt in range(2):
                note(results, "title_ms", title_stands(run))
                time.sleep(0.3)
                run.record()
                run.keys("ctrl+Right")
                if attempt == 1:
                    # The quarter turn, the won picture, then well inside the final screen.
                    time.sleep(0.25 + OUTCOME_S + 1.5)
                    results["final_close_ms"] = 1000 * run.close_and_time()
                    break
                # The first win is the level's best, written to scores.txt. The pictures: ten
                # frames of the turn, the water back 20 ms after the last, the win picture
                # once the pass's 20 ms are over, "New best!" over it, the final screen, the menu.
                shown = run.pictures(0.3 + OUTCOME_S + 5.0 + 0.7)
                win = len(shown) - 4
                if win < 2:
                    raise RuntimeError(f"the win: only {len(shown)} pictures were put on screen")
                results["win_after_ms"] = 1000 * (shown[win] - shown[win - 2] - FRAME_S)
                results["outcome_ms"] = 1000 * (shown[win + 2] - shown[win])
                results["final_ms"] = standing(shown, win + 2, "the final screen")
        finally:
            run.stop()
    finally:
        shutil.rmtree(folder, ignore_errors=True)


# ---- the peers -------------------------------------------------------------------------

PEERS = {
    "PipeWalker": ["/usr/games/pipewalker"],
    "Net": ["/usr/games/sgt-net"],
}


def measure_peer(session, argv, seconds, launches, results):
    home = tempfile.mkdtemp(prefix="tk-measure-peer-")
    # A fresh home keeps the peers' settings out of the user's; no accessibility bus to wait for.
    env = {"HOME": home, "NO_AT_BRIDGE": "1"}
    try:
        mapped, mapped_cpu = [], []
        for i in range(launches):
            run = Run(session, argv, home, env)
            try:
                mapped.append(run.wait_mapped())
                mapped_cpu.append(run.cpu_until_mapped)
                if i == launches - 1:
                    time.sleep(3)
                    results["level_cpu"] = run.cpu_percent(seconds)
                    results["menu_mb"] = results["play_mb"] = run.peak_mb()
            finally:
                run.stop()
        results["mapped_ms"] = 1000 * statistics.median(mapped)
        results["mapped_cpu_ms"] = 1000 * statistics.median(mapped_cpu)
    finally:
        shutil.rmtree(home, ignore_errors=True)


# ---- the table -------------------------------------------------------------------------

ROWS = [
    # key, what, target, format
    ("level_cpu", "CPU standing still in a level (% of a core)", "≤ 0.2 %", "{:.2f} %"),
    ("level_main_cpu", "… of it without SDL's audio thread (mixing silence)", "–", "{:.2f} %"),
    ("walk_cpu", "CPU walking", "≤ 2 %", "{:.2f} %"),
    ("question_cpu", "CPU with the quit question shown", "≤ 0.2 %", "{:.2f} %"),
    ("menu_cpu", "CPU on the main menu", "≤ 0.2 %", "{:.2f} %"),
    ("options_cpu", "CPU on the options screen", "≤ 0.2 %", "{:.2f} %"),
    ("help_cpu", "CPU on the help page", "≤ 0.2 %", "{:.2f} %"),
    ("title_ms", "a level's title on screen", "1500–1520 ms", "{:.0f} ms"),
    ("notice_ms", "the \"not found\" notice on screen", "1000–1020 ms", "{:.0f} ms"),
    ("outcome_ms", "the win picture on screen (a new best written meanwhile)", "4000–4020 ms", "{:.0f} ms"),
    ("final_ms", "the final screen on screen", "5000–5020 ms", "{:.0f} ms"),
    ("win_after_ms", "last turn frame's 20 ms over → win picture on screen, a new best", "≤ 25 ms", "{:.0f} ms"),
    ("mapped_ms", "exec → window mapped (median)", "≤ 50 ms", "{:.0f} ms"),
    ("mapped_cpu_ms", "CPU time used until then, all threads (median)", "–", "{:.0f} ms"),
    ("drawn_ms", "exec → start-up picture drawn (median)", "–", "{:.0f} ms"),
    ("menu_ms", "start-up picture drawn → menu fully drawn (median)", "≤ 1250 + 50 ms", "{:.0f} ms"),
    ("menu_mb", "peak resident memory at the menu", "≤ 80 MB", "{:.0f} MB"),
    ("play_mb", "peak resident memory in play", "≤ 80 MB", "{:.0f} MB"),
    ("final_close_ms", "close during the final screen → process ended", "≤ 100 ms", "{:.0f} ms"),
]


def cell(results, key, fmt):
    """A value, or the range of several."""
    if key not in results:
        return "–"
    value = results[key]
    if not isinstance(value, list):
        return fmt.format(value)
    low, high = fmt.format(min(value)), fmt.format(max(value))
    return low if low == high else low.rsplit(" ", 1)[0] + "–" + high


def print_table(columns):
    names = list(columns)
    print("| What | Target | " + " | ".join(names) + " |")
    print("|---|---|" + "---|" * len(names))
    for key, what, target, fmt in ROWS:
        print(f"| {what} | {target} | " + " | ".join(cell(columns[n], key, fmt) for n in names) + " |")


def machine():
    cpu = "?"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    load = os.getloadavg()[0]
    return f"{os.cpu_count()} × {cpu}, load average {load:.1f} at the end"


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default="build", help="the build folder that holds tramolkulap (default: build)")
    parser.add_argument("--seconds", type=float, default=10, help="length of each CPU measurement (default: 10)")
    parser.add_argument("--launches", type=int, default=5, help="launches for the start-up medians (default: 5)")
    parser.add_argument("--no-peers", action="store_true", help="measure TramolKulap alone")
    args = parser.parse_args()
    if not os.access(os.path.join(args.build, "tramolkulap"), os.X_OK):
        sys.exit(f"no {args.build}/tramolkulap: run make build first")

    session = XSession()
    columns = {"TramolKulap": {}}
    try:
        measure_game(session, args.build, args.seconds, args.launches, columns["TramolKulap"])
        if not args.no_peers:
            for name, argv in PEERS.items():
                columns[name] = {}
                measure_peer(session, argv, args.seconds, args.launches, columns[name])
    finally:
        session.close()
    print(f"Machine: {machine()}; Xvfb {session.name} + openbox, software GL (llvmpipe); "
          f"CPU over {args.seconds:g} s per state, start-up over {args.launches} launches.")
    print()
    print_table(columns)


if __name__ == "__main__":
    main()
