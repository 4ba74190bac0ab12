#!/usr/bin/python3
"""The game's page played in a real headless Chromium as a player would, at
device pixel ratio 1 in a light scheme on desktop screens and 2.75 in a dark
one on a phone's (SCREENS), from a server on 127.0.0.1 that the test starts
and stops:

  both windows fitted to each screen, the page not scrolling, the board
  sharp and the pieces seamless; on the phone, drags, holds and handles by
  touch alone where the same mouse actions leave the pieces, and three
  pieces of a solution laid by touch, upright and turned;
  the splash centred, white, with the partner banner at its pixels, the link,
  and "Continue" with the focus; a click on the banner or the link opening
  the partner's address in a tab of its own, without an opener; Enter, Alt+C
  or a click on "Continue" opening "Puzzle !" with the focus shown on Help;
  the splash, the game and the help page with nothing focusable nameless to
  assistive technology, and no fault of axe-core's WCAG 2.1 A and AA rules;
  three pieces of a solution laid by keys, and a piece walked, turned and
  mirrored by keys where the same mouse actions leave it, with its focus mark;
  the board's lines, crisp and one device pixel wide, and the start layout,
  found in a screenshot where the rules put them (e2e_positions);
  a drag that snaps, a turn, both mirrors, a drag far off the page with a
  right press during it that the rules refuse (a beep, and nothing moves);
  Ctrl+S giving the same bytes this machine's build of the rules writes for
  the same moves;
  Ctrl+O of a completed position (morvane-solve) filling the board, and of a
  file that is not a position, refused in a box captioned "Morvane";
  the help page on the screen while a piece is dragged, closed by a tap, and
  brought forward again by Help; File > New; File > Exit, then starting again;
  the site installable, every picture its manifest names of the size it
  gives, fetching nothing from anywhere else, and after one visit starting,
  playing, saving and loading with the server gone.

Usage: e2e_web.py SITE E2E_POSITIONS MORVANE_SOLVE WORK-FOLDER AXE
The work folder keeps the screenshots and files, for a look after a failure.
"""

import shutil
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / 'tools'))
import serve_site  # noqa: E402
from PIL import Image  # noqa: E402
from selenium import webdriver  # noqa: E402
from selenium.webdriver.chrome.service import Service  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

site, positions, solve, work, axe = (Path(argument).resolve() for argument in sys.argv[1:6])
resources = Path(__file__).resolve().parents[2] / 'resources'
LOAD_FAILED = 'An error occured, can not read data file !'
PARTNER = 'http://www.larkfen.example/'


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


def wait_until(predicate, what, seconds=10):
    deadline = time.monotonic() + seconds
    while True:
        result = predicate()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f'{what}: not within {seconds} s')
        time.sleep(0.05)


def helper(*arguments):
    return subprocess.run([str(positions), *map(str, arguments)], capture_output=True, text=True)


class Page:
    """One Chromium with a profile of its own, at one device pixel ratio."""

    def __init__(self, ratio, name, address, scheme='light'):
        self.ratio = ratio
        self.scheme = scheme
        self.name = name
        self.address = address
        self.folder = work / name
        shutil.rmtree(self.folder, ignore_errors=True)
        self.downloads = self.folder / 'downloads'
        self.downloads.mkdir(parents=True)
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for argument in ('--headless=new', '--no-sandbox', '--window-size=1100,800',
                         f'--force-device-scale-factor={ratio}', f'--user-data-dir={self.folder / "profile"}',
                         # Any host but this one is unknown: the page must need none.
                         '--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1', '--lang=en-US'):
            options.add_argument(argument)
        options.add_experimental_option('prefs', {'download.default_directory': str(self.downloads),
                                                  'download.prompt_for_download': False})
        self.driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        # Saves go to downloads; the beeps and the context menus are counted.
        self.before_load('''
            delete window.showSaveFilePicker;
            window.beeps = 0;
            const Tone = OscillatorNode;
            window.OscillatorNode = class extends Tone { constructor(...a) { super(...a); ++window.beeps; } };
            window.menusLeft = 0;
            addEventListener('contextmenu', (event) => { if (!event.defaultPrevented) ++window.menusLeft; });
        ''')
        self.driver.execute_cdp_cmd('Emulation.setEmulatedMedia', {
            'features': [{'name': 'prefers-color-scheme', 'value': scheme}]})
        self.held = 0

    def before_load(self, script):
        self.driver.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': script})

    def js(self, script, *arguments):
        return self.driver.execute_script(script, *arguments)

    def keys(self, *keys, modifier=None):
        actions = ActionChains(self.driver, duration=0)
        if modifier:
            actions.key_down(modifier)
        actions.send_keys(*keys)
        if modifier:
            actions.key_up(modifier)
        actions.perform()

    def shot(self, name):
        png = self.folder / f'{name}.png'
        self.driver.save_screenshot(str(png))
        image = Image.open(png).convert('RGB')
        image.save(self.folder / f'{name}.ppm')
        return image

    def open_splash(self):
        self.driver.get(self.address)
        wait_until(lambda: self.js("return document.querySelector('.splash') !== null"), 'no splash')
        check(not self.js("return document.querySelector('.client')"), 'the game window opened before Continue')

    def open_game(self):
        wait_until(lambda: self.js("return document.querySelector('.client') !== null"), 'no game window')
        check(not self.js("return document.querySelector('.splash')"), 'the splash stayed after Continue')
        check(self.driver.title == 'Puzzle !', f'the title is {self.driver.title!r}')
        self.measure_client()
        check_fitted(self, '.game', 7305, 6090)
        check(self.js("const e = document.activeElement; return e.className === 'HelpControl' "
                      "&& e.matches(':focus-visible')"), 'the game window opened without its focus shown on Help')

    def measure_client(self):
        """The client area's corner, and the page's scale as the dots per inch
        e2e_positions counts in: the client area is 7305 twips wide."""
        left, top, width = self.js("const r = document.querySelector('.client').getBoundingClientRect(); "
                                   "return [r.left, r.top, r.width]")
        # On a whole device pixel, or nothing on it could be crisp; the
        # browser lays out in 64ths of a CSS pixel.
        check(all(abs(v * self.ratio - round(v * self.ratio)) < self.ratio / 64 for v in (left, top)),
              f'the client area starts between device pixels, at {left}, {top}')
        self.origin = (left, top)
        self.dots = round(width * self.ratio * 1440 / 7305)

    # A length in twips, in device pixels at the page's scale, as the rules'
    # helper rounds it, and in CSS pixels on a device pixel.
    def device(self, twips):
        return round(twips * self.dots / 1440)

    def css(self, twips):
        return self.device(twips) / self.ratio

    # The pointer, in CSS pixels from the client area's corner, as Chromium's
    # input takes it; the same events for e2e_positions, in device pixels.
    def mouse(self, kind, button, x, y, modifiers=''):
        bits = {'L': 1, 'R': 2}
        if kind == 'down':
            self.held |= bits[button]
        elif kind == 'up':
            self.held &= ~bits[button]
        self.driver.execute_cdp_cmd('Input.dispatchMouseEvent', {
            'type': {'down': 'mousePressed', 'move': 'mouseMoved', 'up': 'mouseReleased'}[kind],
            'x': self.origin[0] + x, 'y': self.origin[1] + y,
            'button': {'L': 'left', 'R': 'right'}[button], 'buttons': self.held, 'clickCount': 1,
            'modifiers': (8 if 's' in modifiers else 0) + (2 if 'c' in modifiers else 0)})
        return self.event(kind, button, x, y, modifiers)

    def event(self, kind, button, x, y, modifiers=''):
        return f'{kind}:{button}{modifiers}:{round(x * self.ratio)}:{round(y * self.ratio)}'

    def choose(self, entry):
        self.driver.find_element(By.CSS_SELECTOR, '.menubar > button').click()
        self.driver.find_element(By.XPATH, f"//button[@role='menuitem' and text()='{entry}']").click()

    def dpi(self):
        return self.dots

    # A square's centre after the events, in CSS pixels on a device pixel.
    def centre(self, index, events):
        found = helper(self.dpi(), 'centre', index, *events)
        check(found.returncode == 0, found.stderr)
        return (int(value) / self.ratio for value in found.stdout.split())

    def check_screen(self, name, events):
        # The squares' colours alone: the focus mark has a check of its own.
        self.js('document.activeElement.blur()')
        origin = [round(value * self.ratio) for value in self.origin]
        for attempt in range(10):
            self.shot(name)
            result = helper(self.dpi(), 'check', self.folder / f'{name}.ppm', *origin, *events)
            (self.folder / f'{name}.txt').write_text(result.stdout + result.stderr)
            if result.returncode == 0:
                return result.stdout
            time.sleep(0.2)
        raise Failure(f'the screen ({self.folder / name}.png) does not show the position:\n'
                      + '\n'.join(result.stdout.splitlines()[:13]) + result.stderr)

    def new_tab_opened_at(self, handles):
        def opened():
            targets = self.driver.execute_cdp_cmd('Target.getTargets', {})['targetInfos']
            return [t for t in targets if t['type'] == 'page' and t['url'].startswith(PARTNER)]
        opened = wait_until(opened, f'no tab at {PARTNER}', 5)
        check(not opened[0].get('canAccessOpener', False), 'the new tab can reach back into the game')
        for handle in self.driver.window_handles:
            if handle not in handles:
                self.driver.switch_to.window(handle)
                self.driver.close()
        self.driver.switch_to.window(handles[0])

    def quit(self):
        self.driver.quit()


def check_fitted(page, selector, width, height):
    """The window whole on the screen with a margin of 8 CSS pixels, centred
    on a whole device pixel, at the largest scale of whole device pixels per
    board square (240 twips) that fits, and the page with nothing to scroll.
    Its size in twips at scale 1 (the game's menu bar, 23 pixels, counted)."""
    left, top, w, h, room_w, room_h, scroll = page.js(
        "const r = document.querySelector(arguments[0]).getBoundingClientRect(), e = document.documentElement; "
        "return [r.left, r.top, r.width, r.height, innerWidth, innerHeight, "
        "[e.scrollWidth - e.clientWidth, e.scrollHeight - e.clientHeight]]", selector)
    r, where = page.ratio, f'{selector} at {left}, {top}, {w} x {h} in {room_w} x {room_h}, scrolling {scroll}'
    square = round(w * r * 240 / width)
    check(abs(h * r - height * square / 240) <= 1.5 and abs(w * r - width * square / 240) <= 1.5
          and min(left, top, room_w - left - w, room_h - top - h) >= 7.9 and scroll == [0, 0]
          and min(room_w - 16 - w * (square + 1) / square, room_h - 16 - h * (square + 1) / square) < 0,
          f'{where} is not whole on the screen and as large as fits at {square} device pixels to a square')
    check(abs(left - (room_w - w) / 2) <= 1 and abs(top - (room_h - h) / 2) <= 1
          and all(abs(v * r - round(v * r)) < r / 64 for v in (left, top)), f'{where} is not centred on device pixels')
    return left, top, w, h


def check_splash(page):
    # The page around the windows follows the scheme; the windows do not.
    page_colour = page.js("return getComputedStyle(document.body).backgroundColor")
    check((page_colour == 'rgb(255, 255, 255)') == (page.scheme == 'light'),
          f'the page is {page_colour} in the {page.scheme} scheme')
    left, top, width, height = check_fitted(page, '.splash', 7605, 2385)
    focused = page.js("const e = document.activeElement; "
                      "return [e.className, e.textContent, e.querySelector('u')?.textContent]")
    check(focused == ['Button', 'Continue', 'C'], f'the focus is on {focused}, not "Continue" with C underlined')
    check(page.js("return document.querySelector('.splash .Label').hidden") is False, 'the link is hidden')
    source, box = page.js("const p = document.querySelector('.splash img:not([hidden])'); "
                          "const r = p.getBoundingClientRect(); return [p.src, [r.left, r.top, r.width, r.height]]")
    check(source.endswith('/banner-partner.png'), f'the splash shows {source}, not the partner banner')
    # The desktop's banner, scaled as the window is, each of its pixels
    # whole in the middle of its place; the window's white beside it.
    screen = page.shot('splash')
    banner = Image.open(resources / 'banner-partner.bmp').convert('RGB')
    ratio = page.ratio
    zoom = box[2] * ratio / banner.size[0]
    check(abs(box[3] * ratio / banner.size[1] - zoom) < 0.02, f'the banner is {box[2]} x {box[3]}, not {banner.size} scaled')
    wrong = sum(screen.getpixel((round(box[0] * ratio) + int((x + 0.5) * zoom), round(box[1] * ratio) + int((y + 0.5) * zoom)))
                != banner.getpixel((x, y)) for x in range(0, banner.size[0], 2) for y in range(0, banner.size[1], 2))
    check(wrong == 0, f'{wrong} pixels of the banner are not the banner\'s (splash.png)')
    white = screen.getpixel((round((left + 4) * ratio), round((top + height * 0.63) * ratio)))
    check(white == (255, 255, 255), f'the splash is {white} beside the banner, not white')


def click_css(page, x, y, button='left'):
    for kind in ('mousePressed', 'mouseReleased'):
        page.driver.execute_cdp_cmd('Input.dispatchMouseEvent', {
            'type': kind, 'x': x, 'y': y, 'button': button, 'buttons': 1 if kind == 'mousePressed' else 0,
            'clickCount': 1})


def check_links(page):
    """The banner or the link opens the partner's address."""
    handles = page.driver.window_handles
    target = '.splash img:not([hidden])' if page.ratio == 1 else '.splash .Label'
    x, y = page.js(f"const r = document.querySelector('{target}').getBoundingClientRect(); "
                   "return [r.left + r.width / 2, r.top + r.height / 2]")
    click_css(page, x, y)
    page.new_tab_opened_at(handles)


def check_board_is_crisp(page, image):
    """Through the middle of the empty board, across and down, every pixel is
    the board's black or the window's white, and each line one device pixel."""
    left, top = (round(value * page.ratio) for value in page.origin)
    across = [image.getpixel((left + x, top + page.device(1080)))
              for x in range(page.device(3840) - 2, page.device(6240) + 3)]
    down = [image.getpixel((left + page.device(4680), top + y))
            for y in range(page.device(240) - 2, page.device(1680) + 3)]
    for name, run, lines in (('across', across, 11), ('down', down, 7)):
        check(set(run) <= {(0, 0, 0), (255, 255, 255)}, f'grey pixels {name} the board: {set(run)}')
        check(run.count((0, 0, 0)) == lines, f'{run.count((0, 0, 0))} black pixels {name} the board, not {lines}')


def save(page):
    for old in page.downloads.iterdir():
        old.unlink()
    page.keys('s', modifier=Keys.CONTROL)
    saved = page.downloads / 'position.txt'
    wait_until(lambda: saved.exists() and saved.stat().st_size > 0, f'Ctrl+S downloaded no {saved}')
    time.sleep(0.2)
    return saved.read_bytes()


def save_and_compare(page, events, name):
    compare_saved(page, save(page), events, name)


def compare_saved(page, data, events, name):
    counter = data.decode('ascii', 'replace').splitlines()[-1]
    check(counter.isdigit(), f'the saved counter is {counter!r}, not a count of seconds')
    expected = subprocess.run([str(positions), str(page.dpi()), 'file', counter, *events], capture_output=True)
    (page.folder / f'{name}.txt').write_bytes(data)
    (page.folder / f'{name}-expected.txt').write_bytes(expected.stdout)
    check(expected.returncode == 0 and data == expected.stdout,
          f'{name}: the saved file differs from what the rules write ({page.folder})')


def open_file(page, path):
    page.js("window.chooser = false; document.querySelector('input[type=file]')"
            ".addEventListener('click', () => { window.chooser = true; }, { once: true })")
    page.keys('o', modifier=Keys.CONTROL)
    wait_until(lambda: page.js('return window.chooser'), 'Ctrl+O opened no file chooser', 5)
    page.driver.find_element(By.CSS_SELECTOR, 'input[type=file]').send_keys(str(path))


def ax_nodes(page):
    """The page's accessibility tree as Chromium gives it to assistive
    technology: (role, name, focusable) for each node it does not ignore."""
    nodes = page.driver.execute_cdp_cmd('Accessibility.getFullAXTree', {})['nodes']
    return [(node.get('role', {}).get('value'), node.get('name', {}).get('value'),
             any(p['name'] == 'focusable' and p['value'].get('value') for p in node.get('properties', [])))
            for node in nodes if not node.get('ignored')]


def check_accessible(page, what):
    nameless = [role for role, name, focusable in ax_nodes(page) if focusable and not name]
    check(not nameless, f'{what}: nameless to assistive technology, yet taking the focus: {nameless}')
    page.js(axe.read_text())
    faults = page.driver.execute_async_script(
        "axe.run(document, { runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'] } })"
        ".then((r) => arguments[0](r.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`)))")
    check(not faults, f'{what}: axe-core finds {faults}')


def check_laid(page, how):
    """The X, the U and the Z of the solution where it puts them, saved."""
    laid = page.folder / f'{how}.txt'
    laid.write_bytes(save(page))
    squares = [tuple(float(n) for n in reversed(line.split())) for line in laid.read_text().splitlines()[:60]]
    wanted = [(4080, 720), (4320, 720), (4080, 960), (4080, 480), (3840, 720),
              (4080, 1200), (3840, 1200), (3840, 960), (4320, 1200), (4320, 960)]
    wanted += [(4800, 960), (4800, 1200), (4560, 1200), (4800, 720), (5040, 720)]
    laid_out = squares[5:15] + squares[20:25]
    check(laid_out == wanted, f'the X, the U and the Z laid by {how} lie at {laid_out}')
    return laid


def play_by_keys(page):
    """From the start with the focus on Help, as the window opens: three pieces
    of the solution LLLLYYYYNN/LXTTTYNNNF/XXXTZZWFFF/UXUTZPWWFV/UUUZZPPWWV/IIIIIPPVVV
    laid by keys (the X, the U turned twice, the Z mirrored left to right),
    then the Y walked onto the board, turned and mirrored both ways."""
    right, left, up = Keys.RIGHT, Keys.LEFT, Keys.UP
    page.keys(Keys.TAB, Keys.TAB, *[right] * 10, *[up] * 7, Keys.TAB, 'r', 'r', *[right] * 5, *[up] * 5,
              Keys.TAB, Keys.TAB, 'h', *[left] * 2, *[up] * 6)
    laid = check_laid(page, 'keys')

    # Each key is the mouse action it stands for on the piece's square 0,
    # from its middle: a left drag of a square, or a right press, with Shift
    # for V and Ctrl for H.
    page.keys(Keys.TAB)
    events = [f'load={laid}']
    step = page.device(240) / page.ratio
    for key, dx, dy in [(left, -step, 0)] * 3 + [(up, 0, -step)] * 6 + [('r', 0, 0), ('v', 0, 0), ('h', 0, 0)]:
        x, y = page.centre(25, events)
        if key in 'rvh':
            events += [page.event(kind, 'R', x, y, {'r': '', 'v': 's', 'h': 'c'}[key]) for kind in ('down', 'up')]
        else:
            events += [page.event('down', 'L', x, y), *(page.event(kind, 'L', x + dx, y + dy) for kind in ('move', 'up'))]
        page.keys(key)
    save_and_compare(page, events, 'walked')
    check_focus_mark(page, range(25, 30), events)
    spoken = page.js("return document.querySelector('[aria-live=polite]').textContent")
    check(spoken.startswith('Y, on the board') and ('application', spoken, True) in ax_nodes(page),
          f'the Y is told of as {spoken!r}, and is not a piece of that name to assistive technology')


def check_focus_mark(page, squares, events):
    """Along the piece's outline, a black line at the edge and a white one a
    CSS pixel further in, at the middle of each side."""
    image = page.shot('focused')
    r, size = round(page.ratio), page.device(240)
    corners = [tuple(round((o + c) * page.ratio) - size // 2 for o, c in zip(page.origin, page.centre(i, events))) for i in squares]
    for x, y in corners:
        for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1)):
            if (x + size * dx, y + size * dy) in corners:
                continue
            edge = [x + (size - 1) * (dx > 0) + (size // 2) * (dx == 0), y + (size - 1) * (dy > 0) + (size // 2) * (dy == 0)]
            line = [image.getpixel((edge[0] - dx * k * r, edge[1] - dy * k * r)) for k in (0, 1)]
            check(line == [(0, 0, 0), (255, 255, 255)], f'the focus mark at {edge} towards {dx}, {dy} is {line}')


def play(page, files):
    start = page.check_screen('start', [])
    check_board_is_crisp(page, Image.open(page.folder / 'start.png').convert('RGB'))
    counter = page.js("return document.querySelectorAll('.client .Label')[4].textContent")
    time.sleep(1.2)
    later = page.js("return document.querySelectorAll('.client .Label')[4].textContent")
    check(counter.isdigit() and later.isdigit() and int(later) > int(counter), f'the counter went {counter}, {later}')
    menu = page.js("return [...document.querySelectorAll('.menubar button')].map((b) => b.innerHTML)")
    check(menu == ['File', 'New', 'Exit'], f'the menu is {menu}, with no marked letters')

    # A drag from piece 1 onto the board, released between lattice points; a
    # right press on piece 4 and a mirror each way on pieces 5 and 7.
    events = []
    x, y = page.centre(5, events)
    events += [page.mouse('down', 'L', x, y), page.mouse('move', 'L', page.css(3000), page.css(600)),
               page.mouse('move', 'L', page.css(4620), page.css(960)), page.mouse('up', 'L', page.css(4620), page.css(960))]
    for index, modifiers in ((20, ''), (25, 's'), (35, 'c')):
        x, y = page.centre(index, events)
        events += [page.mouse('down', 'R', x, y, modifiers), page.mouse('up', 'R', x, y, modifiers)]
    # Piece 10 far below and beside the page, where a turn would take the
    # rules past their numbers: refused, with a beep, and nothing moves.
    x, y = page.centre(50, events)
    far = (x + page.css(300), y + page.css(45000))
    events += [page.mouse('down', 'L', x, y), page.mouse('move', 'L', *far),
               page.mouse('down', 'R', *far), page.mouse('up', 'R', *far),
               page.mouse('move', 'L', -5000, 40), page.mouse('move', 'L', page.css(1800), page.css(4500)),
               page.mouse('up', 'L', page.css(1800), page.css(4500))]
    focused = page.js("return document.activeElement.getAttribute('aria-label')")
    check(focused == 'I, off the board', f'the focus is on {focused!r}, not the I that the last drag moved')
    page.check_screen('played', events)
    check(page.js('return window.beeps') == 1, f'{page.js("return window.beeps")} beeps, not 1, for the refusal')
    check(page.js('return window.menusLeft') == 0, 'a right press let the context menu through')

    save_and_compare(page, events, 'saved')
    open_file(page, files / 'solved.txt')
    solved = page.check_screen('solved', [f'load={files / "solved.txt"}'])
    check(' 0 empty board cells' in solved, 'the completed position leaves the board open')
    open_file(page, files / 'not-a-position.txt')
    wait_until(lambda: page.js("return document.querySelector('dialog.message[open]') !== null"), 'no message box')
    caption, text = page.js("const d = document.querySelector('dialog.message'); "
                            "return [d.querySelector('header').textContent, d.querySelector('p').textContent]")
    check((caption, text) == ('Morvane', LOAD_FAILED), f'the box says {caption!r}: {text!r}')
    page.shot('message')
    page.keys(Keys.ENTER)
    wait_until(lambda: page.js("return document.querySelector('dialog.message') === null"), 'the box stayed')
    events = [f'load={files / "solved.txt"}']
    page.check_screen('refused', events)

    # The help page on the screen, and a piece dragged off the board while
    # it is open; closed, then Help again brings the same page forward.
    page.driver.find_element(By.CSS_SELECTOR, '.HelpControl').click()
    wait_until(lambda: page.js("const h = document.querySelector('.helppage'); return h && !h.hidden"),
               'Help showed no page')
    title, shown = page.js("const h = document.querySelector('.helppage'), r = h.getBoundingClientRect(); "
                           "return [h.querySelector('h2').textContent, r.right <= innerWidth && r.bottom <= innerHeight]")
    check(title == 'How to play' and shown, f'the help page is {title!r}, wholly on the screen: {shown}')
    check_accessible(page, 'the help page')
    x, y = page.centre(0, events)
    events += [page.mouse('down', 'L', x, y), page.mouse('move', 'L', page.css(600), page.css(3750)),
               page.mouse('up', 'L', page.css(600), page.css(3750))]
    finger(page, middle_of(page, '.helppage button'))
    page.check_screen('helped', events)
    page.driver.find_element(By.CSS_SELECTOR, '.HelpControl').click()
    check(page.js("return document.querySelectorAll('.helppage').length === 1 && "
                  "document.activeElement === document.querySelector('.helppage')"),
          'Help again did not bring the same page forward')
    page.driver.find_element(By.CSS_SELECTOR, '.helppage button').click()

    page.choose('New')
    page.check_screen('new', [])
    page.choose('Exit')
    ended = wait_until(lambda: page.js("return document.querySelector('.ended')?.textContent"), 'Exit did not end')
    check('ended' in ended and not page.js("return document.querySelector('.client')")
          and page.js("return document.activeElement.matches('.ended button:focus-visible')"),
          f'after Exit: {ended!r}, and the focus not shown on its button')
    return start


def check_site(page):
    errors = page.driver.execute_cdp_cmd('Page.getInstallabilityErrors', {})['installabilityErrors']
    check(not errors, f'Chromium would not install the page: {errors}')
    # Chromium leaves out of its install dialog any picture not of the size the manifest gives.
    pictures = page.driver.execute_async_script('''const done = arguments[0];
        fetch('manifest.webmanifest').then((r) => r.json()).then((m) => Promise.all([...m.icons, ...m.screenshots]
          .map((p) => new Promise((ok) => { const i = new Image(); i.src = p.src; i.onload = i.onerror = () =>
            ok([p.src, p.sizes, `${i.naturalWidth}x${i.naturalHeight}`, p.purpose || p.form_factor]); }))))
          .then(done)''')
    wrong = [picture for picture in pictures if picture[1] not in ('any', picture[2])]
    check(not wrong and {'maskable', 'wide', 'narrow'} <= {picture[3] for picture in pictures},
          f'the manifest\'s pictures (name, size given, size, purpose): {pictures}')
    foreign = page.js("return performance.getEntriesByType('resource').map((e) => e.name)"
                      ".filter((name) => !name.startsWith(location.origin))")
    check(not foreign, f'the page fetched from elsewhere: {foreign}')


# Screens the page fits, each followed from the one before without a reload:
# a small desktop and a 4K one, a phone held upright, then turned. By device
# pixel ratio, width and height in CSS pixels. The browser runs at the ratio
# it emulates, as a phone's does: an emulated ratio over another one paints
# through a scaling of its own.
SCREENS = {1: [(1024, 768), (3840, 2160)], 2.75: [(393, 851), (851, 393)]}


def one_ratio(ratio, address, files):
    page = Page(ratio, f'ratio-{ratio}', address, 'light' if ratio == 1 else 'dark')
    try:
        emulate(page, *SCREENS[ratio][0])
        page.open_splash()
        check_splash(page)
        check_accessible(page, 'the splash')
        check_links(page)
        page.keys(Keys.ENTER) if ratio == 1 else page.keys('c', modifier=Keys.ALT)
        page.open_game()
        page.shot(f'game-{ratio}')
        check_accessible(page, 'the game window')
        play_by_keys(page)
        other_screens(page, SCREENS[ratio])
        page.choose('New')
        start = play(page, files)
        # Starting again, then the service worker's copy with the server gone.
        page.driver.find_element(By.CSS_SELECTOR, '.ended button').click()
        page.open_splash()
        check_site(page)
        wait_until(lambda: page.js('return navigator.serviceWorker.controller !== null'),
                   'no service worker took the site')
        return page, start
    except BaseException:
        page.quit()
        raise


def offline(page, files):
    page.open_splash()
    page.driver.find_element(By.CSS_SELECTOR, '.splash .Button').click()
    page.open_game()
    page.check_screen('offline-start', [])
    events = []
    x, y = page.centre(55, events)
    events += [page.mouse('down', 'L', x, y), page.mouse('move', 'L', page.css(6000), page.css(1500)),
               page.mouse('up', 'L', page.css(6000), page.css(1500))]
    page.check_screen('offline-played', events)
    save_and_compare(page, events, 'offline-saved')
    open_file(page, files / 'solved.txt')
    page.check_screen('offline-loaded', [f'load={files / "solved.txt"}'])




def emulate(page, width, height):
    page.driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
        'width': width, 'height': height, 'deviceScaleFactor': page.ratio, 'mobile': page.ratio != 1})
    page.driver.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': True, 'maxTouchPoints': 5})
    page.js('return new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)))')


def finger(page, *points, hold=0):
    """A finger down at the first point of the viewport (CSS pixels), held
    still for `hold` seconds, moved through the others, and lifted."""
    def touch(kind, point=None):
        page.driver.execute_cdp_cmd('Input.dispatchTouchEvent', {
            'type': kind, 'touchPoints': [{'x': point[0], 'y': point[1], 'id': 1}] if point else []})
    touch('touchStart', points[0])
    time.sleep(hold)
    for point in points[1:]:
        touch('touchMove', point)
    touch('touchEnd')


def middle_of(page, selector, index=0):
    return page.js("const r = document.querySelectorAll(arguments[0])[arguments[1]].getBoundingClientRect(); "
                   "return [r.left + r.width / 2, r.top + r.height / 2]", selector, index)


def on_client(page, x, y):
    return page.origin[0] + x, page.origin[1] + y


def handle(page, first, name):
    """A tap on the piece whose square 0 is `first`, then on one of the
    handles it shows, which is a finger's width at least, beside the piece."""
    finger(page, middle_of(page, '.client .square', first))
    box = page.js(f"const r = document.querySelector('.handle[aria-label=\"{name}\"]').getBoundingClientRect(); "
                  "return [r.left, r.top, r.width, r.height, innerWidth, innerHeight]")
    check(min(box[2:4]) >= 44 and box[0] >= 0 and box[1] >= 0 and box[0] + box[2] <= box[4] and box[1] + box[3] <= box[5],
          f'the handle {name!r} is at {box}')
    finger(page, (box[0] + box[2] / 2, box[1] + box[3] / 2))


def play_by_touch(page, name, upright):
    """A finger's drag, hold and taps on the handles leave the pieces where
    the same mouse actions do (e2e_positions), and three pieces of the
    solution laid by touch alone where it puts them: the U turned by a hold
    and the Turn handle or by both mirrors, the Z mirrored left to right."""
    # The I dragged onto the board; the W held still, which is a right
    # press; the T tapped, a left click, then turned and mirrored both ways
    # by its handles, each a right press on its square 0.
    events = []
    x, y = page.centre(50, events)
    tx, ty = page.css(3990), page.css(1590)
    finger(page, on_client(page, x, y), on_client(page, (x + tx) / 2, (y + ty) / 2), on_client(page, tx, ty))
    events += [page.event('down', 'L', x, y), page.event('move', 'L', tx, ty), page.event('up', 'L', tx, ty)]
    x, y = page.centre(20, events)
    finger(page, on_client(page, x, y), hold=0.7)
    events += [page.event('down', 'R', x, y), page.event('up', 'R', x, y)]
    x, y = page.centre(35, events)
    events += [page.event('down', 'L', x, y), page.event('up', 'L', x, y)]
    for handle_name, modifiers in (('Turn', ''), ('Mirror top to bottom', 's'), ('Mirror left to right', 'c')):
        handle(page, 35, handle_name)
        events += [page.event(kind, 'R', x, y, modifiers) for kind in ('down', 'up')]
    page.shot(f'handles-{name}')
    check(page.js('return window.menusLeft') == 0, 'a hold let the context menu through')
    save_and_compare(page, events, f'touched-{name}')

    page.choose('New')
    turns = ['hold', 'Turn'] if upright else ['Mirror top to bottom', 'Mirror left to right']
    for first, target, actions in ((5, (4080, 720), []), (10, (4080, 1200), turns), (20, (4800, 960), ['Mirror left to right'])):
        for action in actions:
            if action == 'hold':
                finger(page, middle_of(page, '.client .square', first), hold=0.7)
            else:
                handle(page, first, action)
        start = middle_of(page, '.client .square', first)
        finger(page, start, on_client(page, *(page.css(t + 120) for t in target)))
    check_laid(page, f'touch-{name}')


def check_seamless(page, image):
    """Across the X's middle square both ways, its colour for three squares:
    no seam between its squares shows the page through."""
    x, y = (round((o + c) * page.ratio) for o, c in zip(page.origin, page.centre(5, [])))
    runs = [{image.getpixel((x + d * across, y + d * (1 - across))) for d in range(-page.device(240), page.device(240) + 1)}
            for across in (1, 0)]
    check(runs[0] == runs[1] and len(runs[0]) == 1, f'across the X, {runs[0]}; down it, {runs[1]}')


def other_screens(page, screens):
    """The game window followed to each screen in turn, each judged from a
    screenshot; on the phone, played by touch upright and turned."""
    for width, height in screens:
        emulate(page, width, height)
        page.measure_client()
        page.choose('New')
        name = f'screen-{width}x{height}'
        page.check_screen(name, [])
        image = Image.open(page.folder / f'{name}.png').convert('RGB')
        check_board_is_crisp(page, image)
        check_seamless(page, image)
        if page.ratio != 1:
            play_by_touch(page, f'{width}x{height}', height > width)
    emulate(page, *screens[0])
    page.measure_client()


def main():
    work.mkdir(parents=True, exist_ok=True)
    files = work / 'files'
    shutil.rmtree(files, ignore_errors=True)
    files.mkdir()
    start = helper(96, 'file', 0)
    check(start.returncode == 0, start.stderr)
    (files / 'start.txt').write_text(start.stdout, newline='')
    solved = subprocess.run([str(solve), 'complete', files / 'start.txt', '-o', files / 'solved.txt'],
                            capture_output=True, text=True)
    check(solved.returncode == 0, f'morvane-solve complete: {solved.stderr}')
    (files / 'not-a-position.txt').write_text('Morvane\r\nis not a position\r\n')

    for ratio in SCREENS:
        server = serve_site.start(str(site))
        address = serve_site.address(server)
        try:
            page, start = one_ratio(ratio, address, files)
        finally:
            server.shutdown()
            server.server_close()
        try:
            offline(page, files)
        finally:
            page.quit()
        print(f'e2e_web: ratio {ratio} at {SCREENS[ratio]}: splash, links, Continue, board and layout '
              f'({start.split(",")[0]}), moves, {"touch, " * (ratio != 1)}saves, loads, refusal, help, New, Exit, offline')
    print('e2e_web: all passed')


if __name__ == '__main__':
    try:
        main()
    except Failure as failure:
        print(f'e2e_web: FAIL: {failure}', file=sys.stderr)
        sys.exit(1)
