#!/usr/bin/python3
"""The browser's figures for run_bench: how long the page takes from its load
to the splash's first paint in headless Chromium, beside a bare page that
shows the splash's banner and nothing else, loaded in turns in the same
browser; and a player's whole download, every file gzipped, beside the bare
page's.

The loads are timed twice: as a first visit, with no HTTP cache and no
service worker, then as a player's return, with both. The paint is the
page's first contentful paint, which for the game is the splash: the page
shows nothing before it, and the splash appears whole.

Usage: web_startup.py SITE RUNS
Prints "key value" lines: web-first-us, web-first-floor-us, web-again-us,
web-again-floor-us (medians, in microseconds), web-download-bytes,
web-floor-bytes.
"""

import gzip
import shutil
import statistics
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / 'tools'))
import serve_site  # noqa: E402
from selenium import webdriver  # noqa: E402
from selenium.webdriver.chrome.service import Service  # noqa: E402

FLOOR = '<!doctype html><html lang="en"><meta charset="utf-8"><title>floor</title><img src="banner-partner.png">\n'


def gzipped(path):
    return len(gzip.compress(path.read_bytes(), 9))


def main():
    site, runs = Path(sys.argv[1]), int(sys.argv[2])
    with tempfile.TemporaryDirectory() as folder:
        served = Path(folder) / 'site'
        shutil.copytree(site, served)
        (served / 'floor.html').write_text(FLOOR)
        # The install dialog's screenshots are fetched only by a browser
        # offering to install the page, never by a player opening it.
        downloaded = [file for file in site.iterdir() if file.is_file() and not file.name.startswith('screenshot-')]
        print('web-download-bytes', sum(gzipped(file) for file in downloaded), flush=True)
        print('web-floor-bytes', gzipped(served / 'floor.html') + gzipped(served / 'banner-partner.png'), flush=True)

        server = serve_site.start(str(served))
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for argument in ('--headless=new', '--no-sandbox', '--window-size=1100,800',
                         f'--user-data-dir={Path(folder) / "profile"}'):
            options.add_argument(argument)
        driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        try:
            def first_paint(page, ready):
                driver.get('about:blank')
                driver.get(serve_site.address(server) + page)
                driver.execute_async_script('''const [ready, done] = arguments;
                    const wait = () => document.querySelector(ready) ? done() : setTimeout(wait, 5);
                    wait();''', ready)
                return driver.execute_async_script('''const done = arguments[0];
                    new PerformanceObserver((list, observer) => {
                        const paint = list.getEntriesByName('first-contentful-paint')[0];
                        if (paint) { observer.disconnect(); done(paint.startTime); }
                    }).observe({ type: 'paint', buffered: true });''')

            def in_turns(name):
                ours, floor = [], []
                first_paint('', '.splash')  # once untimed, so no one pays for a cold disk cache
                for _ in range(runs):
                    ours.append(first_paint('', '.splash'))
                    floor.append(first_paint('floor.html', 'img'))
                print(f'web-{name}-us', round(statistics.median(ours) * 1000))
                print(f'web-{name}-floor-us', round(statistics.median(floor) * 1000), flush=True)

            driver.execute_cdp_cmd('Network.enable', {})
            driver.execute_cdp_cmd('Network.setCacheDisabled', {'cacheDisabled': True})
            driver.execute_cdp_cmd('Network.setBypassServiceWorker', {'bypass': True})
            in_turns('first')
            driver.execute_cdp_cmd('Network.setCacheDisabled', {'cacheDisabled': False})
            driver.execute_cdp_cmd('Network.setBypassServiceWorker', {'bypass': False})
            first_paint('', '.splash')
            driver.execute_async_script('''const done = arguments[0];
                navigator.serviceWorker.ready.then(() => done());''')
            in_turns('again')
        finally:
            driver.quit()
            server.shutdown()


if __name__ == '__main__':
    main()
