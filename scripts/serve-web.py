#!/usr/bin/python3
"""Serves the built page (build-web/site) on http://127.0.0.1:8000/ for playing on this machine.

Every answer says not to keep it without asking again, so that a page rebuilt is the page
played. The page's tests start the same server on a free port, and can have it answer "not
found" for files named with --missing, as a server that lacks them would, or serve another
program (tramolkulap.js and .wasm) from a folder of its own in the game's place.
"""
import argparse
import functools
import http.server
import os
import socketserver
import sys
from urllib.parse import unquote


class SiteHandler(http.server.SimpleHTTPRequestHandler):
    # Connections kept open between files, as web servers keep them: the page asks for a
    # hundred small ones.
    protocol_version = 'HTTP/1.1'
    missing = frozenset()
    program = None  # the folder of the program served in the game's place
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{'.wasm': 'application/wasm', '.woff2': 'font/woff2', '.js': 'text/javascript',
                             '.kulap': 'text/plain; charset=utf-8', '.svg': 'image/svg+xml'})

    def send_head(self):
        path = self.path.split('?', 1)[0].split('#', 1)[0].lstrip('/')
        if unquote(path) in self.missing:
            self.send_error(404, 'Not found')
            return None
        return super().send_head()

    def translate_path(self, path):
        name = path.split('?', 1)[0].split('#', 1)[0].lstrip('/')
        if self.program and name in ('tramolkulap.js', 'tramolkulap.wasm'):
            return os.path.join(self.program, name)
        return super().translate_path(path)

    def end_headers(self):
        self.send_header('Cache-Control', 'no-cache')
        super().end_headers()

    def log_message(self, format, *args):
        if self.server.quiet:
            return
        super().log_message(format, *args)


class SiteServer(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True
    quiet = False

    def handle_error(self, request, client_address):
        # A browser that closes drops the connections it kept open: nothing went wrong.
        if isinstance(sys.exc_info()[1], (ConnectionResetError, BrokenPipeError)):
            return
        super().handle_error(request, client_address)


def make_server(site, port=0, missing=(), quiet=False, program=None):
    """A server of the folder `site` on 127.0.0.1 (port 0: any free one); not yet serving."""
    handler = type('Handler', (SiteHandler,), {'missing': frozenset(missing), 'program': program})
    server = SiteServer(('127.0.0.1', port), functools.partial(handler, directory=site))
    server.quiet = quiet
    return server


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('site', nargs='?', default='build-web/site')
    parser.add_argument('--port', type=int, default=8000)
    parser.add_argument('--missing', action='append', default=[], help='a file of the site to answer "not found" for')
    args = parser.parse_args()
    server = make_server(args.site, args.port, args.missing)
    print(f'TramolKulap is served on http://127.0.0.1:{server.server_address[1]}/ (Ctrl+C stops it)', flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == '__main__':
    sys.exit(main())
