"""The studio served on the loopback address and a headless Chromium driven by Selenium, for
the browser tests and the benchmark."""

import contextlib
import os
import shutil
import tempfile
import sys
import threading

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
import serve as serve_module  # noqa: E402

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


@contextlib.contextmanager
def serve(site):
    """Serves `site` on 127.0.0.1 at a free port; yields the address."""
    server = serve_module.server(site, 0)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield 'http://127.0.0.1:%d/' % server.server_address[1]
    finally:
        server.shutdown()
        server.server_close()


@contextlib.contextmanager
def chromium(width=1400, height=1000):
    """A headless Chromium with a profile of its own, removed afterwards."""
    profile = tempfile.mkdtemp(prefix='tkl-studio-chromium-')
    options = webdriver.ChromeOptions()
    options.binary_location = shutil.which('chromium') or '/usr/bin/chromium'
    for flag in ('--headless=new', '--no-sandbox', '--disable-gpu',
                 '--disable-background-networking', '--disable-component-update',
                 '--disable-sync', '--no-first-run', '--user-data-dir=' + profile,
                 '--window-size=%d,%d' % (width, height)):
        options.add_argument(flag)
    service = Service(shutil.which('chromedriver') or '/usr/bin/chromedriver')
    driver = webdriver.Chrome(service=service, options=options)
    driver.set_script_timeout(300)
    try:
        yield driver
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


def studio_ready(driver, address, page='index.html'):
    """Opens the page and waits for the module."""
    driver.get(address + page)
    started = driver.execute_async_script(
        'const done = arguments[arguments.length - 1];'
        'window.tklStudioReady.then(() => done(true), e => done(String(e)));')
    if started is not True:
        raise RuntimeError('the studio did not start: %s' % started)
