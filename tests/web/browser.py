"""Headless Chromium on the built page, for the page's tests: the site served on a free port of
this machine, the browser driven through Debian's chromedriver, and what the page said in its
console and asked of the network gathered as the test goes.

Chromium runs as Debian ships it, as root on a machine without a display, a GPU or a network
beyond this machine: hence no sandbox, no GPU, no QUIC, none of its own calls home, and a fresh
profile for every browser, so that no test sees another's storage unless it reloads its own page.
Its fonts are DejaVu alone, as on a machine without Liberation Sans: text in that face can only
be the page's own.
"""
import importlib.util
import json
import os
import shutil
import tempfile
import threading

from selenium import webdriver
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.support.ui import WebDriverWait

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
CHROMIUM = shutil.which('chromium') or '/usr/bin/chromium'
CHROMEDRIVER = shutil.which('chromedriver') or '/usr/bin/chromedriver'
SYSTEM_FONTS = '/usr/share/fonts/truetype/dejavu'
FLAGS = ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--autoplay-policy=user-gesture-required', '--lang=en-GB']


def _server_module():
    found = importlib.util.spec_from_file_location('serve_web', os.path.join(SOURCE, 'scripts', 'serve-web.py'))
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


class Site:
    """The site folder served on 127.0.0.1 in a thread of this process; `missing` files are
    answered "not found"; `program`, a folder, holds the program served in the game's place."""

    def __init__(self, folder, missing=(), program=None):
        self.server = _server_module().make_server(folder, 0, missing, quiet=True, program=program)
        self.url = f'http://127.0.0.1:{self.server.server_address[1]}/'
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def close(self):
        self.server.shutdown()
        self.server.server_close()


class Browser:
    """One headless Chromium with a profile of its own."""

    def __init__(self, width=1000, height=800, before_each_page=None):
        self.profile = tempfile.mkdtemp(prefix='tk-chromium-')
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in FLAGS + [f'--user-data-dir={self.profile}', f'--window-size={width},{height}']:
            options.add_argument(flag)
        options.set_capability('goog:loggingPrefs', {'browser': 'ALL', 'performance': 'ALL'})
        fonts = os.path.join(self.profile, 'fonts.conf')
        with open(fonts, 'w', encoding='utf-8') as f:
            f.write('<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig>'
                    f'<dir>{SYSTEM_FONTS}</dir><cachedir>{self.profile}/fontconfig</cachedir></fontconfig>\n')
        service = Service(CHROMEDRIVER, env=dict(os.environ, FONTCONFIG_FILE=fonts))
        self.driver = webdriver.Chrome(service=service, options=options)
        self.console_entries = []
        self.network_events = []
        if before_each_page:
            self.driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': before_each_page})

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)

    # ---- the page ------------------------------------------------------------------------
    def open(self, url):
        # What the browser did before (its own start page) is not the page's.
        self.driver.get_log('performance')
        self.driver.get_log('browser')
        self.driver.get(url)

    def reload(self):
        self.driver.refresh()

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def js_async(self, script, *args, timeout=20):
        """A script that calls its last argument with the answer."""
        self.driver.set_script_timeout(timeout)
        return self.driver.execute_async_script(script, *args)

    def wait(self, expression, timeout=20, what=None):
        """Waits until the page's expression is true (polled); its value."""
        try:
            return WebDriverWait(self.driver, timeout, poll_frequency=0.05).until(
                lambda d: d.execute_script(f'try {{ return ({expression}); }} catch (e) {{ return null; }}'))
        except TimeoutException:
            raise AssertionError(f'the page never showed {what or expression} within {timeout} s') from None

    def keys(self, *keys):
        """Keys pressed and let go in turn, as the player would, into the page."""
        chain = ActionChains(self.driver)
        for key in keys:
            chain.send_keys(key)
        chain.perform()

    def chord(self, modifier, key):
        ActionChains(self.driver).key_down(modifier).send_keys(key).key_up(modifier).perform()

    def page_point(self, x, y):
        """The page's point (CSS pixels of the viewport) over the middle of a pixel of the
        game's 800 × 600 window, however the page scaled the canvas."""
        return self.js('''const r = document.getElementById('window').getBoundingClientRect();
            return [Math.floor(r.left + (arguments[0] + 0.5) * r.width / 800),
                    Math.floor(r.top + (arguments[1] + 0.5) * r.height / 600)];''', x, y)

    def pointer(self, x, y, button=None):
        """The player's real mouse moved over a window pixel and, with a button
        ('left' or 'right'), clicked there."""
        chain = ActionChains(self.driver)
        chain.w3c_actions.pointer_action.move_to_location(*self.page_point(x, y))
        if button == 'left':
            chain.w3c_actions.pointer_action.click()
        elif button == 'right':
            chain.w3c_actions.pointer_action.context_click()
        chain.perform()

    def wheel(self, x, y, notches):
        """The mouse wheel turned over a window pixel: positive notches away from the player."""
        left, top = self.page_point(x, y)
        chain = ActionChains(self.driver)
        chain.w3c_actions.wheel_action.scroll(left, top, 0, -100 * notches)
        chain.perform()

    def window_pixels(self, left, top, width, height):
        """RGBA of the game's window canvas, in its own 800 × 600 pixels, row by row."""
        data = self.js('return TK.window.pixels(arguments[0], arguments[1], arguments[2], arguments[3]);',
                       left, top, width, height)
        return [tuple(data[i:i + 4]) for i in range(0, len(data), 4)]

    # ---- what the page said and asked for -------------------------------------------------
    def console(self):
        """Every console entry so far: dicts with level ('SEVERE', 'WARNING', 'INFO') and message."""
        self.console_entries += self.driver.get_log('browser')
        return list(self.console_entries)

    def errors(self):
        return [e for e in self.console() if e['level'] == 'SEVERE']

    def network(self):
        """Every response (url, status) and every failed request (url, error) of the page so far;
        the browser's own pages (chrome://) are not the page's."""
        for entry in self.driver.get_log('performance'):
            message = json.loads(entry['message'])['message']
            if message['method'] in ('Network.requestWillBeSent', 'Network.responseReceived',
                                     'Network.loadingFailed'):
                self.network_events.append(message)
        urls = {}
        responses, failures = [], []
        for m in self.network_events:
            p = m['params']
            if m['method'] == 'Network.requestWillBeSent':
                urls[p['requestId']] = p['request']['url']
            elif m['method'] == 'Network.responseReceived':
                if p['response']['url'].startswith(('http:', 'file:')):
                    responses.append((p['response']['url'], p['response']['status']))
            elif m['method'] == 'Network.loadingFailed' and not p.get('canceled'):
                if urls.get(p['requestId'], '').startswith(('http:', 'file:')):
                    failures.append((urls[p['requestId']], p.get('errorText', '')))
        return responses, failures
