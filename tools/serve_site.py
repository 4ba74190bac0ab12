#!/usr/bin/python3
"""Serves a folder over HTTP on 127.0.0.1, as any static host would serve the
game's site: the module as application/wasm, the scripts as JavaScript, the
manifest as a web app manifest.

    serve_site.py FOLDER [PORT]   serves until interrupted; PORT 0 (or one in
                                  use) takes a free port; prints the address

The tests and the benchmarks start a server of their own with start()."""

import functools
import http.server
import sys
import threading

TYPES = {
    '.html': 'text/html',
    '.css': 'text/css',
    '.js': 'text/javascript',
    '.mjs': 'text/javascript',
    '.wasm': 'application/wasm',
    '.webmanifest': 'application/manifest+json',
    '.bmp': 'image/bmp',
    '.png': 'image/png',
    '.svg': 'image/svg+xml',
}


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}
    # Connections kept open between requests, as any real host keeps them.
    protocol_version = 'HTTP/1.1'

    # Each file in one write: the site's files are small, and a loop of
    # small writes costs more than the transfer.
    def copyfile(self, source, destination):
        destination.write(source.read())

    def log_message(self, format, *args):
        pass


def start(folder, port=0):
    """A server on 127.0.0.1 answering from its own thread; .shutdown() ends it."""
    handler = functools.partial(Handler, directory=folder)
    try:
        server = http.server.ThreadingHTTPServer(('127.0.0.1', port), handler)
    except OSError:
        server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def address(server):
    return f'http://127.0.0.1:{server.server_address[1]}/'


if __name__ == '__main__':
    if len(sys.argv) not in (2, 3):
        sys.exit('usage: serve_site.py FOLDER [PORT]')
    server = start(sys.argv[1], int(sys.argv[2]) if len(sys.argv) == 3 else 0)
    print(f'Morvane: {address(server)} (Ctrl+C ends the server)', flush=True)
    try:
        threading.Event().wait()
    except KeyboardInterrupt:
        server.shutdown()
