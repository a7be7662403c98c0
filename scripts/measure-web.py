#!/usr/bin/python3
"""Measures the browser build in headless Chromium, served from this machine (build-web/site,
built by `make web`): page opened -> menu drawn, in a browser already running (as a player's
is: it has shown a blank page first) and in one started for the page (its first page), bytes
downloaded before the menu, CPU standing still on the menu and in a level (Chromium's own
TaskDuration from the DevTools protocol over N seconds), and the pacing of a step and of a
quarter turn (the passes that paint the board, and how long they take). Prints one line per figure. Not part of `make test`.

Usage: scripts/measure-web.py [--seconds N] [SITE]
"""
import argparse
import os
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), 'tests', 'web'))
from browser import SOURCE, Browser, Site  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

# When the menu is on the canvas: its text in the list and the window's picture painted under
# it (a grey pixel of its frame), checked at every frame of the page from its very start; and
# when the start-up picture first was (put up by the page itself, else by the program).
MENU_DRAWN = '''
const done = arguments[arguments.length - 1];
let first = null;
function look() {
  if (first === null && window.TK && TK.startup && TK.startup.shownAt() >= 0) first = TK.startup.shownAt();
  if (first === null && window.TK && TK.window && TK.window.paints() > 0) first = performance.now();
  if (window.TK && TK.window && TK.window.shown().some(e => e.kind === 'text' && e.block.text === 'Play')) {
    const p = TK.window.pixels(400, 5, 1, 1);
    if (p[0] + p[1] + p[2] > 60) return done([first, performance.now()]);
  }
  requestAnimationFrame(look);
}
look();
'''

# Every drawing on the board, with the pass it came in and when.
WATCH_BOARD = '''
window.boardPaints = [];
for (const name of ['cell', 'sprite', 'turned', 'cover']) {
  const real = TK.board[name];
  TK.board[name] = (...args) => { boardPaints.push([TK.driver.passes(), performance.now()]); return real(...args); };
}
'''


def task_seconds(browser):
    metrics = browser.driver.execute_cdp_cmd('Performance.getMetrics', {})['metrics']
    return next(m['value'] for m in metrics if m['name'] == 'TaskDuration')


def cpu(browser, seconds):
    """Chromium's task time over `seconds` of standing still, as % of one core."""
    before = task_seconds(browser)
    time.sleep(seconds)
    return 100 * (task_seconds(browser) - before) / seconds


def action(browser, press):
    """Presses keys in a level and waits until the board has stood still for half a second;
    (frames, ms from the first frame to the last)."""
    browser.js('boardPaints.length = 0;')
    press()
    last, since = -1, time.monotonic()
    while time.monotonic() - since < 0.5:
        time.sleep(0.05)
        count = browser.js('return boardPaints.length;')
        if count != last:
            last, since = count, time.monotonic()
    paints = browser.js('return boardPaints;')
    if not paints:
        return 0, 0
    passes = {}
    for number, at in paints:
        passes.setdefault(number, at)
    times = sorted(passes.values())
    return len(times), times[-1] - times[0]


def open_to_menu(browser, url):
    """Opens the page with nothing cached; (the start-up picture first drawn, menu drawn) in ms
    since the page was opened."""
    browser.driver.execute_cdp_cmd('Network.setCacheDisabled', {'cacheDisabled': True})
    browser.open(url)
    browser.driver.set_script_timeout(30)
    return browser.driver.execute_async_script(MENU_DRAWN)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--seconds', type=float, default=10)
    parser.add_argument('site', nargs='?', default=os.path.join(SOURCE, 'build-web', 'site'))
    args = parser.parse_args()
    print(f'load average before: {os.getloadavg()[0]:.2f}')
    site = Site(args.site)
    browser = Browser()
    try:
        picture_at, menu_at = open_to_menu(browser, site.url)
        cold = f'{menu_at:.0f} ms (-> the start-up picture drawn: {picture_at:.0f} ms)'
    finally:
        browser.close()
    browser = Browser()
    try:
        browser.driver.execute_cdp_cmd('Performance.enable', {'timeDomain': 'threadTicks'})
        browser.driver.get('about:blank')
        time.sleep(0.5)
        picture_at, menu_at = open_to_menu(browser, site.url)
        print(f'page opened -> menu drawn: {menu_at:.0f} ms (-> the start-up picture drawn: {picture_at:.0f} ms; '
              f'it stands 1250 ms)')
        print(f'  in a browser started for the page: {cold}')
        total = browser.js('''
            const nav = performance.getEntriesByType('navigation')[0];
            return performance.getEntriesByType('resource').filter(r => r.responseEnd <= arguments[0])
                   .reduce((sum, r) => sum + r.transferSize, nav.transferSize);''', menu_at)
        print(f'bytes downloaded before the menu: {total} ({total / 1024 / 1024:.2f} MB)')
        time.sleep(1)
        print(f'CPU on the menu: {cpu(browser, args.seconds):.2f} % of a core over {args.seconds:.0f} s')

        browser.keys(Keys.ENTER)
        browser.wait("TK.window.shown().some(e => e.kind === 'board') && "
                     "!TK.window.shown().some(e => e.kind === 'clip')", what='play under way')
        browser.js(WATCH_BOARD)
        time.sleep(1)
        print(f'CPU standing still in level 01: {cpu(browser, args.seconds):.2f} % of a core over '
              f'{args.seconds:.0f} s')
        frames, span = action(browser, lambda: browser.chord(Keys.CONTROL, Keys.ARROW_LEFT))
        print(f'a quarter turn: {frames} frames, first to last {span:.0f} ms')
        # Level 01's plumber may walk only once a pipe is turned his way: each way is tried.
        for name, key in [('Up', Keys.ARROW_UP), ('Down', Keys.ARROW_DOWN), ('Left', Keys.ARROW_LEFT),
                          ('Right', Keys.ARROW_RIGHT)]:
            frames, span = action(browser, lambda k=key: browser.keys(k))
            if frames > 1:
                print(f'a step ({name}): {frames} frames, first to last {span:.0f} ms')
                break
        else:
            print('a step: no way to walk from where the plumber stands')
        errors = browser.errors()
        print(f'console errors: {len(errors)}')
    finally:
        browser.close()
        site.close()
    print(f'load average after: {os.getloadavg()[0]:.2f}')


if __name__ == '__main__':
    main()
