#!/usr/bin/python3
"""Takes the pictures a browser's install dialog shows of the game: the built
site served on 127.0.0.1, opened in a headless Chromium with a profile of its
own, past the splash into the game window, once in a wide window and once in
a narrow one, each saved at the window's size.

    screenshots.py SITE WIDTHxHEIGHT:OUT.png ...
"""

import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / 'tools'))
import serve_site  # noqa: E402
from PIL import Image  # noqa: E402
from selenium import webdriver  # noqa: E402
from selenium.webdriver.chrome.service import Service  # noqa: E402


def wait_for(driver, script, what, seconds=30):
    deadline = time.monotonic() + seconds
    while not driver.execute_script(script):
        if time.monotonic() > deadline:
            sys.exit(f'screenshots: {what} within {seconds} s')
        time.sleep(0.05)


def main():
    site, shots = sys.argv[1], sys.argv[2:]
    server = serve_site.start(site)
    try:
        with tempfile.TemporaryDirectory() as profile:
            options = webdriver.ChromeOptions()
            options.binary_location = '/usr/bin/chromium'
            for argument in ('--headless=new', '--no-sandbox', f'--user-data-dir={profile}', '--lang=en-US',
                             '--hide-scrollbars', '--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1'):
                options.add_argument(argument)
            driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
            try:
                for shot in shots:
                    size, out = shot.split(':', 1)
                    width, height = (int(n) for n in size.split('x'))
                    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
                        'width': width, 'height': height, 'deviceScaleFactor': 1, 'mobile': False})
                    driver.get(serve_site.address(server))
                    wait_for(driver, "return document.querySelector('.splash .Button') !== null", 'no splash')
                    driver.execute_script("document.querySelector('.splash .Button').click()")
                    wait_for(driver, "return document.querySelector('.client') !== null", 'no game window')
                    # The game's window without the focus mark on its Help button.
                    driver.execute_script('document.activeElement.blur()')
                    time.sleep(0.3)
                    driver.save_screenshot(out)
                    picture = Image.open(out)
                    if picture.size != (width, height):
                        sys.exit(f'screenshots: {out} is {picture.size}, not {width} x {height}')
                    picture.convert('RGB').save(out, optimize=True)
            finally:
                driver.quit()
    finally:
        server.shutdown()
        server.server_close()


if __name__ == '__main__':
    main()
