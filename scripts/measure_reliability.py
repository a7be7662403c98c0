#!/usr/bin/python3
"""Measures what TramolKulap survives: kills during writes, two games writing at once, fuzzing,
and the game's memory and its end on a signal in a real window under Xvfb + openbox.

Run through scripts/measure-reliability.sh, which installs what this needs. Prints the figures
of the README's Reliability section.
"""

import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from measure_performance import (PICTURE_ALONE_S, TITLE_S, Run, XSession,  # noqa: E402
                                 lay_program_folder, machine, xdotool)

SETTINGS = re.compile(r"\Afullscreen:o(n|ff)\r\nmusic:o(n|ff)\r\nlevel:01\r\n\Z")
BEST = re.compile(r"\A(\d+) ([^\r\n/\\]+)\Z")


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except FileNotFoundError:
        return None


def settings_whole(data):
    return data is not None and SETTINGS.match(data.decode("latin-1")) is not None


def bests_of(data):
    """The bests in a scores file as the game writes it, or None when it is not whole."""
    if data is None:
        return {}
    text = data.decode("utf-8", "replace")
    if not text or not text.endswith("\r\n"):
        return None
    bests = {}
    for line in text[:-2].split("\r\n"):
        m = BEST.match(line)
        if not m:
            return None
        bests[m.group(2)] = int(m.group(1))
    return bests


def fresh_folder():
    folder = tempfile.mkdtemp(prefix="tk-reliability-")
    with open(os.path.join(folder, "options.txt"), "wb") as f:
        f.write(b"fullscreen:off\r\nmusic:off\r\nlevel:01\r\n")
    return folder


def leftovers(folder):
    return [n for n in os.listdir(folder) if ".tmp" in n]


# ---- kills during writes ------------------------------------------------------------------

def measure_kills(writer, kills, results):
    """Starts the writer again and again and kills it (SIGKILL) a random moment after it has
    begun a round of writes; after each kill both files must be whole."""
    folder = fresh_folder()
    damaged = 0
    try:
        for _ in range(kills):
            p = subprocess.Popen([writer, folder, random.choice("ab"), "1000000"], stdout=subprocess.PIPE,
                                 stderr=subprocess.DEVNULL)
            for _ in range(random.randint(1, 3)):
                p.stdout.readline()
            # A round is a few hundred microseconds: kill somewhere inside one.
            end = time.perf_counter() + random.uniform(0, 0.0015)
            while time.perf_counter() < end:
                pass
            p.kill()
            p.wait()
            p.stdout.close()
            if not settings_whole(read(os.path.join(folder, "options.txt"))):
                damaged += 1
            if bests_of(read(os.path.join(folder, "scores.txt"))) is None:
                damaged += 1
        # The next writer removes what the killed ones left halfway.
        subprocess.run([writer, folder, "a", "1"], stdout=subprocess.DEVNULL, check=True)
        results["kills"] = kills
        results["kills_damaged"] = damaged
        results["kills_left"] = len(leftovers(folder))
    finally:
        shutil.rmtree(folder, ignore_errors=True)


# ---- two games at once ---------------------------------------------------------------------

def measure_concurrent(writer, writes, results):
    """Two writers of `writes` rounds each in one folder while this process reads both files
    over and over."""
    folder = fresh_folder()
    try:
        games = [subprocess.Popen([writer, folder, name, str(writes)], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL) for name in "ab"]
        reads = empty = partial = fell = 0
        highest = {}
        while any(g.poll() is None for g in games):
            reads += 1
            settings = read(os.path.join(folder, "options.txt"))
            scores = read(os.path.join(folder, "scores.txt"))
            if not settings or (scores is not None and not scores):
                empty += 1
            elif not settings_whole(settings) or bests_of(scores) is None:
                partial += 1
            else:
                for level, best in bests_of(scores).items():
                    fell += best < highest.get(level, 0)
                    highest[level] = best
        final = bests_of(read(os.path.join(folder, "scores.txt"))) or {}
        expected = {}
        for name in "ab":
            for n in range(1, writes + 1):
                expected[f"{name}{n % 20}"] = n
        lost = sum(1 for level, best in expected.items() if final.get(level) != best)
        results.update(writers=2, writes=writes, reads=reads, empty_reads=empty, partial_reads=partial,
                       failed_writes=sum(g.returncode for g in games), lost_bests=lost + fell)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


# ---- fuzzing ---------------------------------------------------------------------------------

def measure_fuzz(root, seconds, results):
    subprocess.run([os.path.join(root, "scripts", "fuzz.sh"), str(seconds)], cwd=root, check=True)
    logs = os.path.join(root, os.environ.get("FUZZ_BUILD", "build-fuzz"), "logs")
    for name in sorted(os.listdir(logs)):
        with open(os.path.join(logs, name)) as f:
            m = re.search(r"stat::number_of_executed_units:\s*(\d+)", f.read())
        results["fuzz_" + name[:-4]] = int(m.group(1)) if m else 0
    results["fuzz_seconds"] = seconds


# ---- the game in a real window ---------------------------------------------------------------

def deep_page():
    return "<html><body>" + "<div>" * 5000 + "deep</body></html>"


def large_page():
    return "<html><body><p>" + "water flows " * 90000 + "</p></body></html>"


def started(session, folder):
    """The game in `folder`, its menu drawn and the window focused."""
    run = Run(session, [os.path.join(folder, "tramolkulap")], folder)
    run.wait_mapped()
    run.wait_rest(not_before=run.wait_rest(not_before=0) + PICTURE_ALONE_S)
    run.focus()
    return run


def window_size(window):
    g = window.get_geometry()
    return g.width, g.height


def signal_and_time(run, sig):
    t0 = time.monotonic()
    run.proc.send_signal(sig)
    try:
        run.proc.wait(30)
    except subprocess.TimeoutExpired:
        run.proc.kill()
        raise RuntimeError("the game did not end on the signal")
    return 1000 * (time.monotonic() - t0), run.proc.returncode


def measure_window(session, build, typed, results):
    folder = lay_program_folder(build, "walk")
    try:
        # The menu, the first resize, a window made larger than the screen.
        run = started(session, folder)
        try:
            results["menu_mb"] = run.peak_mb()
            window_id = run.window.id
            xdotool(session, "windowsize", str(window_id), "1000", "700")
            time.sleep(1.5)
            results["resize_mb"] = run.peak_mb()
            xdotool(session, "windowsize", str(window_id), "8000", "8000")
            time.sleep(1.5)
            results["huge_mb"] = run.peak_mb()
            results["huge_size"] = "%d × %d" % window_size(run.window)
            run.find_window()
            results["same_window"] = run.window.id == window_id and run.s.viewable(run.window)
            results["menu_term_ms"], results["menu_term_exit"] = signal_and_time(run, signal.SIGTERM)
        finally:
            run.stop()

        # A hostile help page, deep and then large.
        for key, page in (("deep_help", deep_page()), ("large_help", large_page())):
            with open(os.path.join(folder, "help", "help.html"), "w") as f:
                f.write(page)
            run = started(session, folder)
            try:
                t0 = time.monotonic()
                run.keys("Down", "Down", "Return")
                time.sleep(1)
                results[key + "_mb"] = run.peak_mb()
                run.keys("Escape")
                time.sleep(0.5)
                results[key + "_alive"] = run.proc.poll() is None
                if key == "deep_help":
                    results["help_int_ms"], results["help_int_exit"] = signal_and_time(run, signal.SIGINT)
            finally:
                run.stop()

        # In a level, and typing into the level box.
        run = started(session, folder)
        try:
            run.keys("Return")
            time.sleep(TITLE_S + 1)
            results["play_mb"] = run.peak_mb()
            results["play_hup_ms"], results["play_hup_exit"] = signal_and_time(run, signal.SIGHUP)
        finally:
            run.stop()
        if typed:
            run = started(session, folder)
            try:
                run.keys("Down", "Return", "Down", "Down", "Down", "Return")
                # In pieces, each well within xdotool's own time limit on a loaded machine.
                for start in range(0, typed, 500):
                    xdotool(session, "type", "--delay", "1", "a" * min(500, typed - start))
                time.sleep(1)
                results["typed"] = typed
                results["typed_mb"] = run.peak_mb()
            finally:
                run.stop()

        # A notice standing: music on and no sound device to play it on.
        with open(os.path.join(folder, "options.txt"), "w", newline="\r\n") as f:
            f.write("fullscreen:off\nmusic:on\nlevel:walk\n")
        run = Run(session, [os.path.join(folder, "tramolkulap")], folder, {"SDL_AUDIODRIVER": "none-such"})
        try:
            run.wait_mapped()
            time.sleep(3)
            results["box_term_ms"], results["box_term_exit"] = signal_and_time(run, signal.SIGTERM)
        finally:
            run.stop()
    finally:
        shutil.rmtree(folder, ignore_errors=True)


# ---- the figures -------------------------------------------------------------------------------

def report(r):
    def has(*keys):
        return all(k in r for k in keys)

    print("| What | Figure |")
    print("|---|---|")
    if has("kills"):
        print(f"| Writers killed (SIGKILL) in the middle of writing the settings and the bests | {r['kills']} kills, "
              f"{r['kills_damaged']} damaged files, {r['kills_left']} temporary files left after the next write |")
    if has("writes"):
        print(f"| Two writers in one folder, {r['writes']} rounds each (settings and a best), one reader | "
              f"{r['reads']} reads: {r['empty_reads']} empty, {r['partial_reads']} partial; "
              f"{r['failed_writes']} failed writes, {r['lost_bests']} lost bests |")
    for key in sorted(k for k in r if k.startswith("fuzz_") and k != "fuzz_seconds"):
        print(f"| Fuzzing {key[5:]} for {r['fuzz_seconds']} s | {r[key]:,} inputs, nothing found |")
    rows = [("menu_mb", "Peak resident memory at the menu"),
            ("resize_mb", "… after the first resize (1000 × 700)"),
            ("huge_mb", "… after a resize to 8000 × 8000"),
            ("deep_help_mb", "… after opening a help page nested 5,000 deep"),
            ("large_help_mb", "… after opening a 1 MB help page"),
            ("play_mb", "… in play"),
            ("typed_mb", "… after typing characters into the level box")]
    for key, what in rows:
        if key in r:
            extra = f" ({r['typed']:,} characters)" if key == "typed_mb" else ""
            print(f"| {what}{extra} | {r[key]:.0f} MB |")
    if has("huge_size"):
        print(f"| The window asked to be 8000 × 8000 | {r['huge_size']}, "
              f"{'the same X window' if r['same_window'] else 'a NEW X window'} |")
    for key, what in (("menu_term", "SIGTERM at the menu"), ("help_int", "SIGINT on the refused help page"),
                      ("play_hup", "SIGHUP in a level"), ("box_term", "SIGTERM while a notice stands")):
        if key + "_ms" in r:
            print(f"| {what} → process ended | {r[key + '_ms']:.0f} ms, exit status {r[key + '_exit']} |")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default="build", help="the build folder (default: build)")
    parser.add_argument("--kills", type=int, default=1000, help="writers killed (default: 1000)")
    parser.add_argument("--writes", type=int, default=1000, help="rounds of each concurrent writer (default: 1000)")
    parser.add_argument("--fuzz-seconds", type=int, default=0, help="fuzz each target this long (default: not)")
    parser.add_argument("--typed", type=int, default=10000, help="characters typed into the level box")
    parser.add_argument("--no-window", action="store_true", help="leave out the real window")
    args = parser.parse_args()
    writer = os.path.join(args.build, "tramolkulap-file-writer")
    if not os.access(writer, os.X_OK):
        sys.exit(f"no {writer}: run make build first")

    results = {}
    measure_kills(writer, args.kills, results)
    measure_concurrent(writer, args.writes, results)
    if args.fuzz_seconds:
        measure_fuzz(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), args.fuzz_seconds, results)
    if not args.no_window:
        session = XSession()
        try:
            measure_window(session, args.build, args.typed, results)
        finally:
            session.close()
    print(f"Machine: {machine()}.")
    print()
    report(results)


if __name__ == "__main__":
    main()
