// The splash window: made from its definition, centred in the page, and
// plumbed to its controller, which chooses the layout, decides what a click
// is and hands over to the game window. The controller is the splash's own
// small module (frmSplash.cpp), so the splash is up before the game's module
// has arrived; the game loads behind it, and "Continue" reaches the
// controller once the game can be shown.

import { buttonOf, makeControl, makeWindow, place, twips, useDefinitions } from './controls.js';
import * as desktop from './desktop.js';
// The module's bytes in base64, which the bundler writes into the page, so
// that the splash waits for no request of its own.
import splashModule from './frmSplash.wasm';

// The module's imports, its texts in UTF-8 in its memory, and the page's
// object for the window, which the imports call once the window is made.
let memory = null;
let page = null;
const decoder = new TextDecoder();
const text = (pointer, length) => decoder.decode(new Uint8Array(memory.buffer, pointer, length));
const imports = {
  page: {
    today(pointer) {
      const date = desktop.today();
      new Int32Array(memory.buffer, pointer, 3).set([date.year, date.month, date.day]);
    },
    shortDatePattern(pointer, capacity) {
      const pattern = new TextEncoder().encode(desktop.shortDatePattern());
      new Uint8Array(memory.buffer, pointer, capacity).set(pattern.subarray(0, capacity));
      return pattern.length;
    },
    showLayout: (banner, length, width, height, left, top, label1Visible) =>
      page.showLayout({ banner: text(banner, length), width, height, left, top, label1Visible: !!label1Visible }),
    openAddress: (url, length) => desktop.openAddress(text(url, length)),
    showGameWindow: () => page.showGameWindow(),
    closeSplash: () => page.closeSplash(),
    endProgram: () => page.endProgram(),
  },
  wasi_snapshot_preview1: {
    proc_exit(code) {
      throw new Error(`The splash's module stopped (${code}).`);
    },
  },
};

// A few kilobytes, already in the page: compiled on the spot, with nothing
// to wait for.
function loadController() {
  const bytes = Uint8Array.fromBase64?.(splashModule) ?? Uint8Array.from(atob(splashModule), (c) => c.charCodeAt(0));
  const instance = new WebAssembly.Instance(new WebAssembly.Module(bytes), imports);
  memory = instance.exports.memory;
  instance.exports._initialize();
  return instance.exports;
}

// loadGame() starts the game's module loading and gives a promise of a
// function that shows the game window. Gives a function that starts it, for
// once the splash is on screen; "Continue" starts it too, if it comes first.
export async function showSplash(loadGame) {
  const splash = loadController();
  const definitions = JSON.parse(text(splash.definitions(), splash.definitionsLength()));
  useDefinitions(definitions);
  const form = definitions.splash;
  const frame = makeWindow(form, 'splash');
  const controls = form.controls.map(makeControl);
  frame.append(...controls);
  const button = controls[form.button];
  const picture = controls[form.picture];
  const link = controls[form.link];

  let showGame = null;
  page = {
    // The site carries each banner as PNG, with the bitmap's pixels.
    showLayout(layout) {
      picture.src = layout.banner.replace(/\.bmp$/, '.png');
      place(picture, layout.left, layout.top, layout.width, layout.height);
      link.hidden = !layout.label1Visible;
    },
    showGameWindow: () => showGame(),
    closeSplash: () => frame.remove(),
    endProgram: () => desktop.endProgram(definitions.programTitle),
  };

  // The events reach the controller in the order they came: once a
  // "Continue" waits for the game, whatever comes after waits behind it.
  let waiting = null;
  const deliver = (handler) => {
    if (waiting)
      waiting = waiting.then(handler);
    else
      handler();
  };
  let game = null;
  const startGame = () => {
    game ??= loadGame().then((show) => { showGame = show; });
    return game;
  };

  // Presses and releases anywhere on the window but the button, in the
  // window's twips; a press keeps the focus where it was, on the button.
  const at = (event) => {
    const corner = frame.getBoundingClientRect();
    return [twips(event.clientX - corner.left), twips(event.clientY - corner.top)];
  };
  frame.addEventListener('pointerdown', (event) => {
    if (event.target === button)
      return;
    event.preventDefault();
    frame.setPointerCapture(event.pointerId);
    const args = [buttonOf(event), ...at(event)];
    deliver(() => splash.Form_MouseDown(...args));
  });
  frame.addEventListener('pointerup', (event) => {
    if (event.target === button)
      return;
    const args = [buttonOf(event), ...at(event)];
    deliver(() => splash.Form_MouseUp(...args));
  });
  frame.addEventListener('pointermove', (event) => {
    frame.style.cursor = splash.opensAddressAt(...at(event)) ? 'pointer' : '';
  });
  frame.addEventListener('mousedown', (event) => {
    if (event.target !== button)
      event.preventDefault();
  });
  button.addEventListener('click', () => {
    if (!showGame)
      waiting ??= startGame().catch((error) => console.error('Morvane could not load the game:', error));
    deliver(() => splash.Command1_Click());
  });

  splash.Form_Load();
  // The window shows whole: its banner is ready before it is first painted.
  // The page fetches both banners from its start, so the chosen one has
  // mostly arrived by now.
  if (!picture.complete)
    await picture.decode().catch(() => {});
  // Centred on whole pixels, and kept centred as the page is resized, by
  // the browser's layout alone; where it cannot round, off by half a pixel.
  for (const [side, size] of [['left', frame.style.width], ['top', frame.style.height]]) {
    frame.style[side] = `max(0px, (100% - ${size}) / 2)`;
    frame.style[side] = `max(0px, round(down, (100% - ${size}) / 2, 1px))`;
  }
  document.body.append(frame);
  // The splash is fixed in the page: the focus has nothing to scroll into
  // view.
  button.focus({ preventScroll: true });
  return startGame;
}
