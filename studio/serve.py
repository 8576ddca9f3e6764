"""Serves the studio's site on 127.0.0.1 until interrupted: serve.py SITE PORT."""

import functools
import http.server
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{'.wasm': 'application/wasm', '.js': 'text/javascript',
                             '.tvx': 'application/octet-stream'})

    def log_message(self, *args):
        pass


def server(site, port):
    """A server of `site` on 127.0.0.1:`port` (0: a free port)."""
    return http.server.ThreadingHTTPServer(('127.0.0.1', port),
                                           functools.partial(Handler, directory=site))


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit('usage: serve.py SITE PORT')
    try:
        httpd = server(sys.argv[1], int(sys.argv[2]))
    except OSError as e:
        sys.exit('serve.py: cannot listen on 127.0.0.1:%s: %s' % (sys.argv[2], e.strerror))
    try:
        httpd.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        httpd.server_close()
