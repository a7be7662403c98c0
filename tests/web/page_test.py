#!/usr/bin/python3
"""The page in a real browser: headless Chromium opens the built site (build-web/site) and checks
what a player would meet, through the program the site was built with.

Until the game's browser platform is built, that program is the probe (tests/web/probe.cpp):
start-up picture, the window's picture with a line of text, and keys that call every part of
the page. Usage: page_test.py [SITE] (default: build-web/site beside this source tree).
"""
import os
import shutil
import sys
import unittest

# Where the browser or the test's modules are not installed the test reports itself skipped.
try:
    from PIL import Image
    from selenium.webdriver.common.keys import Keys
except ImportError as e:
    print(f'skipped: {e} (scripts/install-deps.sh web installs what the page\'s tests need)')
    sys.exit(77)
if not shutil.which('chromium') or not shutil.which('chromedriver'):
    print('skipped: no chromium or chromedriver (scripts/install-deps.sh web installs them)')
    sys.exit(77)

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import SOURCE, Browser, Site  # noqa: E402

SITE = os.path.join(SOURCE, 'build-web', 'site')
DATA = os.path.join(SOURCE, 'data')
STARTUP = os.path.join(SOURCE, 'src', 'app', 'resources', 'startup.png')
WINDOW = os.path.join(DATA, 'graphics', 'okno.jpg')
YELLOW_GREEN = (224, 255, 0)


def picture(path):
    return Image.open(path).convert('RGBA')


def near(a, b, tolerance):
    return all(abs(x - y) <= tolerance for x, y in zip(a[:3], b[:3]))


# Where the canvas is compared with a whole-window picture: a grid over the window.
SAMPLES = [(x, y) for x in range(20, 800, 97) for y in range(20, 600, 83)]

# Waits on the page for the window to show a picture at (a share of) the sample points,
# checking at every frame, so that a picture that stands for a second cannot be missed; when
# it first did, in ms since the page started.
WAIT_FOR_PICTURE = '''
const [points, tolerance, share, done] = [arguments[0], arguments[1], arguments[2], arguments[arguments.length - 1]];
const started = performance.now();
function look() {
  if (window.TK && TK.window) {
    const ctx = TK.window.canvas.getContext('2d');
    const image = ctx.getImageData(0, 0, 800, 600).data;
    const matching = points.filter(([x, y, r, g, b]) => {
      const i = 4 * (y * 800 + x);
      return Math.abs(image[i] - r) <= tolerance && Math.abs(image[i + 1] - g) <= tolerance &&
             Math.abs(image[i + 2] - b) <= tolerance;
    });
    if (matching.length >= share * points.length) return done(performance.now());
  }
  if (performance.now() - started > 15000) return done(null);
  requestAnimationFrame(look);
}
look();
'''


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.site = Site(SITE)
        cls.startup = picture(STARTUP)
        cls.window = picture(WINDOW)

    @classmethod
    def tearDownClass(cls):
        cls.site.close()

    def browser(self, **options):
        browser = Browser(**options)
        self.addCleanup(browser.close)
        return browser

    def wait_for_picture(self, browser, image, tolerance, share=1.0):
        points = [[x, y, *image.getpixel((x, y))[:3]] for x, y in SAMPLES]
        return browser.js_async(WAIT_FOR_PICTURE, points, tolerance, share)

    def started(self, browser, url=None):
        """Opens the page and waits for the start-up picture, then the window's own."""
        browser.open(url or self.site.url)
        shown = self.wait_for_picture(browser, self.startup, 2)
        self.assertIsNotNone(shown, 'the start-up picture never showed')
        # The window's picture under what the program shows over it.
        window = self.wait_for_picture(browser, self.window, 12, 0.8)
        self.assertIsNotNone(window, "the window's picture never showed")
        return shown, window

    def texts(self, browser):
        return browser.js("return TK.window.shown().filter(e => e.kind === 'text').map(e => e.block.text);")

    def assert_clean(self, browser):
        self.assertEqual(browser.errors(), [])
        responses, failures = browser.network()
        self.assertEqual([r for r in responses if r[1] >= 400], [])
        self.assertEqual(failures, [])

    # ---- start-up ----------------------------------------------------------------------
    def test_start_up_shows_the_pictures_and_the_text_in_the_shipped_font(self):
        browser = self.browser()
        startup_at, window_at = self.started(browser)
        # A figure, not a check: how long the start-up picture stood on this machine.
        print(f'\nthe start-up picture stood {window_at - startup_at:.0f} ms', file=sys.stderr)
        self.assertEqual(browser.driver.title, 'TramolKulap')
        self.assertIn('pipe puzzle', browser.js("return document.querySelector('header p').textContent;"))
        self.assertTrue(browser.js("return [...document.querySelectorAll('link[rel=icon]')].length >= 2;"))

        # The text is Liberation Sans as shipped: loaded before the program started, and as
        # wide as the desktop's font library sets it (DejaVu Sans, the usual stand-in, runs a
        # sixth wider).
        self.assertTrue(browser.js("return TK.text.ready() && document.fonts.check('bold 48px \"TramolKulap Sans\"');"))
        width = browser.js("return TK.window.width({points: 36, bold: true}, 'Hello World 0123');")
        self.assertAlmostEqual(width, 385, delta=3)
        self.assertIn('Keys pressed: 0', self.texts(browser))
        # ... and drawn: the line's yellow-green ink spans about its measured width.
        line = browser.window_pixels(103, 150, 660, 61)
        columns = [i % 660 for i, p in enumerate(line) if near(p, YELLOW_GREEN, 40)]
        self.assertTrue(columns, 'no text on the window')
        expected = browser.js("return TK.window.width({points: 36, bold: true}, 'Keys pressed: 0');")
        # (the ink is the advance less the letters' outer bearings)
        self.assertTrue(expected - 12 <= max(columns) - min(columns) + 1 <= expected + 1, (columns[:1], expected))

        # Everything it asked for was there, and nothing went wrong.
        self.assert_clean(browser)
        # Between passes the page waits for input with no timer armed: no loop runs.
        waiting = browser.js('return TK.driver.waiting();')
        self.assertEqual((waiting['onInput'], waiting['timer'], waiting['ended']), (True, False, False))

    def test_everything_before_the_window_is_small(self):
        browser = self.browser()
        _, window_at = self.started(browser)
        # The resources the page had in hand when the window showed, as the network carried them.
        total = browser.js('''
            const until = arguments[0];
            const nav = performance.getEntriesByType('navigation')[0];
            return performance.getEntriesByType('resource').filter(r => r.responseEnd <= until)
                   .reduce((sum, r) => sum + r.transferSize, nav ? nav.transferSize : 0);''', window_at)
        self.assertLess(total, 4 * 1024 * 1024)
        # The music is not among them: only asked whether it is there.
        responses, _ = browser.network()
        music = [url for url, _ in responses if url.endswith('.mp3')]
        self.assertEqual(len(music), 1)
        self.assertEqual(browser.js('''return performance.getEntriesByType('resource')
            .filter(r => r.name.endsWith('.mp3')).map(r => r.transferSize);''')[0] < 1024, True)

    # ---- keys ------------------------------------------------------------------------------
    def test_keys_reach_the_program_and_do_not_move_the_page(self):
        browser = self.browser()
        self.started(browser)
        browser.js('''window.prevented = {};
            window.addEventListener('keydown', e => { prevented[(e.ctrlKey ? 'Ctrl+' : '') + e.key] = e.defaultPrevented; });''')
        browser.keys(Keys.ARROW_DOWN, Keys.SPACE, Keys.PAGE_DOWN, Keys.ARROW_RIGHT)
        # The browser's own shortcuts stay the browser's (a made-up Ctrl+R reloads nothing).
        browser.js("window.dispatchEvent(new KeyboardEvent('keydown', {key: 'r', code: 'KeyR', ctrlKey: true, cancelable: true}));")
        prevented = browser.js('return prevented;')
        self.assertEqual(prevented, {'ArrowDown': True, ' ': True, 'PageDown': True, 'ArrowRight': True, 'Ctrl+r': False})
        self.assertEqual(browser.js('return [window.scrollX, window.scrollY];'), [0, 0])
        self.assertIn('Last key: Right', self.texts(browser))

        # Right painted cell (0, 0) of the board: the background's own piece, the pipe over it.
        expected = Image.open(os.path.join(DATA, 'graphics', 'pozadi1.jpg')).convert('RGBA').crop((0, 0, 70, 70))
        expected.alpha_composite(picture(os.path.join(DATA, 'graphics', 'trubka1A.png')))
        browser.wait('TK.board.waiting() === 0')
        for x, y in [(5, 5), (35, 35), (20, 50), (64, 10), (35, 5)]:
            board = tuple(browser.js('return TK.board.pixel(arguments[0], arguments[1]);', x, y))
            self.assertTrue(near(board, expected.getpixel((x, y)), 12), (x, y, board, expected.getpixel((x, y))))
            on_window = browser.window_pixels(15 + x, 15 + y, 1, 1)[0]
            self.assertTrue(near(on_window, board, 1), (x, y, on_window, board))

        # Typed letters reach the level box; the keys the program knows come as keys too.
        browser.keys('x', 'y')
        box = browser.js("return TK.window.shown().find(e => e.kind === 'levelBox').box.text;")
        self.assertEqual(box, 'xy')
        browser.keys(Keys.BACKSPACE)
        self.assertEqual(browser.js("return TK.window.shown().find(e => e.kind === 'levelBox').box.text;"), 'x')
        self.assert_clean(browser)

    def test_the_pointer_reaches_the_program_in_window_pixels(self):
        browser = self.browser(width=1000, height=800)
        self.started(browser)
        # A point of the page over window pixel (400, 300) and one over (20, 580), as scaled.
        for x, y in [(400, 300), (20, 580)]:
            page = browser.js('''const r = document.getElementById('window').getBoundingClientRect();
                return [r.left + (arguments[0] + 0.5) * r.width / 800, r.top + (arguments[1] + 0.5) * r.height / 600];''',
                              x, y)
            browser.js('''document.getElementById('window').dispatchEvent(new PointerEvent('pointerdown',
                {clientX: arguments[0], clientY: arguments[1], bubbles: true}));''', *page)
            self.assertIn(f'Last key: Pointer {x},{y}', self.texts(browser))

    def test_the_window_fits_the_page_pixel_for_pixel_at_whole_multiples(self):
        for (width, height), scale, whole in [((1000, 800), None, False), ((1600, 1400), 2, True),
                                              ((500, 400), None, False)]:
            with self.subTest(size=(width, height)):
                browser = self.browser(width=width, height=height)
                browser.open(self.site.url)
                browser.wait('TK.page.fitted()')
                rect = browser.js('''const r = document.getElementById('window').getBoundingClientRect();
                    const a = document.getElementById('stage-area').getBoundingClientRect();
                    return [r.left - a.left, r.top - a.top, r.width, r.height, a.width, a.height];''')
                left, top, w, h, area_w, area_h = rect
                self.assertAlmostEqual(w / h, 4 / 3, delta=0.01)
                # As large as fits, centred.
                self.assertTrue(abs(w - area_w) < 1 or abs(h - area_h) < 1, rect)
                self.assertAlmostEqual(left, (area_w - w) / 2, delta=1)
                self.assertAlmostEqual(top, (area_h - h) / 2, delta=1)
                if scale:
                    self.assertEqual((w, h), (800 * scale, 600 * scale))
                pixelated = browser.js("return getComputedStyle(document.getElementById('window')).imageRendering;")
                self.assertEqual(pixelated == 'pixelated', whole)

    # ---- the player's files -------------------------------------------------------------
    def test_the_players_files_survive_a_reload(self):
        browser = self.browser()
        self.started(browser)
        browser.keys(Keys.ARROW_UP, Keys.ARROW_UP, Keys.ARROW_UP)
        browser.wait("localStorage.getItem('tramolkulap/probe.txt') === '3\\r\\n'", what='the count kept')
        browser.reload()
        self.assertIsNotNone(self.wait_for_picture(browser, self.window, 12, 0.8))
        self.assertIn('Keys pressed: 3', self.texts(browser))
        self.assert_clean(browser)

    def test_storage_refused_is_told_once_and_play_goes_on(self):
        refuse = '''Storage.prototype.setItem = function() {
            throw new DOMException('The quota has been exceeded.', 'QuotaExceededError'); };'''
        browser = self.browser(before_each_page=refuse)
        self.started(browser)
        browser.keys(Keys.ARROW_UP, Keys.ARROW_UP)
        browser.wait("TK.window.shown().some(e => e.kind === 'text' && e.block.text === 'Keys pressed: 2')")
        notices = browser.js("return [...document.querySelectorAll('#notices p')].map(p => p.textContent);")
        self.assertEqual(len(notices), 1, notices)
        self.assertIn('storage is full', notices[0])
        self.assertEqual(browser.errors(), [])

    # ---- bad input ------------------------------------------------------------------------
    def test_a_file_missing_on_the_server_is_named_and_the_game_goes_on(self):
        site = Site(SITE, missing=['data/graphics/pole1.png'])
        self.addCleanup(site.close)
        browser = self.browser()
        self.started(browser, site.url)
        notices = browser.js("return [...document.querySelectorAll('#notices p')].map(p => p.textContent);")
        self.assertTrue(any('data/graphics/pole1.png' in n for n in notices), notices)
        self.assertTrue(any('data/graphics/pole1.png' in e['message'] for e in browser.errors()))
        self.assertEqual(browser.js("return TK.files.missing();"), ['data/graphics/pole1.png'])

    def test_the_program_missing_on_the_server_is_named(self):
        site = Site(SITE, missing=['tramolkulap.wasm'])
        self.addCleanup(site.close)
        browser = self.browser()
        browser.open(site.url)
        browser.wait("!document.getElementById('message').hidden")
        self.assertIn('tramolkulap.wasm', browser.js("return document.getElementById('message').textContent;"))

    def test_a_page_opened_as_a_file_says_to_serve_it(self):
        browser = self.browser()
        browser.open('file://' + os.path.join(SITE, 'index.html'))
        browser.wait("!document.getElementById('message').hidden")
        self.assertIn('make web-serve', browser.js("return document.getElementById('message').textContent;"))
        self.assertEqual(browser.errors(), [])

    # ---- help, sound, full screen, closing ----------------------------------------------------
    def test_the_help_page_lies_over_the_board_and_scrolls_by_the_games_keys(self):
        browser = self.browser()
        self.started(browser)
        browser.keys('h')
        browser.wait("TK.help.height() > 0", what='the help page loaded')
        frame = browser.js('''const f = document.getElementById('help');
            return [f.hidden, f.offsetLeft, f.offsetTop, f.offsetWidth, f.offsetHeight,
                    f.contentDocument.title, getComputedStyle(f).pointerEvents];''')
        self.assertEqual(frame[:5], [False, 15, 15, 770, 490])
        self.assertTrue(frame[5])
        self.assertEqual(frame[6], 'none')
        # Its text in the page's own Liberation Sans, which the desktop puts for Trebuchet MS.
        browser.wait('''[...document.getElementById('help').contentDocument.fonts]
                        .some(f => f.family.includes('Trebuchet MS') && f.status === 'loaded')''',
                     what="the help page's text in the shipped font")
        browser.keys(Keys.ARROW_DOWN, Keys.ARROW_DOWN, Keys.ARROW_DOWN)
        browser.wait('TK.help.scrolled() === 120', what='the page scrolled by three steps')
        browser.keys(Keys.ARROW_UP)
        browser.wait('TK.help.scrolled() === 80', what='the page scrolled back a step')
        browser.keys('h')
        self.assertTrue(browser.js("return document.getElementById('help').hidden;"))
        self.assert_clean(browser)

    def test_effects_play_on_one_channel_and_the_music_loops_once_asked_for(self):
        browser = self.browser()
        self.started(browser)
        browser.keys('s', 's')
        browser.wait('TK.sound.played().length === 2')
        self.assertEqual(browser.js('return TK.sound.played();'), ['/game/sound/move.wav'] * 2)
        self.assertNotEqual(browser.js('return TK.sound.state();'), 'none')
        browser.keys('m')
        music = browser.wait('TK.sound.music().wanted && TK.sound.music()')
        self.assertTrue(music['loop'])
        self.assertTrue(music['src'].endswith('/data/music/Lumfex%20-%20Little%20bit%20of%20happiness.mp3'))
        self.assert_clean(browser)

    def test_full_screen_comes_with_a_key(self):
        browser = self.browser()
        self.started(browser)
        browser.keys('f')
        browser.wait("document.fullscreenElement && document.fullscreenElement.id === 'stage-area'",
                     what='the window area in full screen')
        browser.keys('f')
        browser.wait('!document.fullscreenElement', what='full screen left')

    def test_closing_the_page_ends_the_program(self):
        browser = self.browser()
        self.started(browser)
        browser.js("window.dispatchEvent(new PageTransitionEvent('pagehide'));")
        self.assertTrue(browser.js('return TK.driver.waiting().ended;'))


if __name__ == '__main__':
    if len(sys.argv) > 1 and os.path.isdir(sys.argv[1]):
        SITE = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
