// The splash window, made from its definition and plumbed to its
// controller, which chooses the layout, decides what a click or a key is and
// hands over to the game window. The controller is the splash's own small
// module (frmSplash.cpp), so the splash is up before the game's module has
// arrived; the game window comes up once it has.

import { Bridge, windowHandlers } from './bridge.js';
import { closeWindow, makeControl, makeWindow, place, showWindow, useDefinitions } from './controls.js';
import * as desktop from './desktop.js';
import { keyEvent, pointerEvent } from './input.js';

// What the splash's module imports: its requests of the window, and what
// its C library asks of the system.
export function imports(bridge, view) {
  return {
    page: {
      today(at) {
        const date = desktop.today();
        bridge.view(Int32Array, at, 3).set([date.year, date.month, date.day]);
      },
      dateOrder: () => desktop.dateOrder(view.definitions.dateOrders),
      showLayout(banner, length, text, textLength, width, height, left, top, label1Visible) {
        view.Picture1.src = bridge.text(banner, length);
        view.Picture1.alt = bridge.text(text, textLength);
        place(view.Picture1, left, top, width, height);
        view.Label1.hidden = !label1Visible;
      },
      openAddress: (url, length) => desktop.openAddress(bridge.text(url, length)),
      showGameWindow: () => view.showGameWindow(),
      closeSplash: () => view.closeSplash(),
      endProgram: () => desktop.endProgram(view.definitions.programTitle),
    },
    wasi_snapshot_preview1: {
      proc_exit(code) {
        throw new Error(`The splash's module stopped (${code}).`);
      },
    },
  };
}

export function handlers(bridge) {
  const code = bridge.exports;
  const [window, common] = windowHandlers(code);
  return {
    ...common,
    opensAddressAt: (x, y) => Boolean(code.opensAddressAt(window(), x, y)),
    Command1_Click: () => code.Command1_Click(window()),
  };
}

// The module's bytes, a few kilobytes already in the page: compiled on the
// spot, with nothing to wait for. loadGame() starts the game's module
// loading and gives a promise of a function that shows the game window.
// Gives a function that starts it, for once the splash is on screen; the
// hand-over starts it too, if it comes first.
export async function showSplash(bytes, loadGame) {
  const bridge = new Bridge();
  const view = {};
  const instance = new WebAssembly.Instance(new WebAssembly.Module(bytes), imports(bridge, view));
  bridge.exports = instance.exports;
  instance.exports._initialize();
  const definitions = bridge.definitions();
  useDefinitions(definitions);
  const { codes, splash: form } = definitions;
  const frame = makeWindow(form, 'splash');
  // The window has no caption: assistive technology calls it by the game's name.
  frame.setAttribute('role', 'dialog');
  frame.setAttribute('aria-label', definitions.programTitle);
  const controls = form.controls.map(makeControl);
  controls[form.Label1].setAttribute('role', 'link');
  frame.append(...controls);
  const button = controls[form.Command1];
  const splash = handlers(bridge);

  let game = null;
  const startGame = () => (game ??= loadGame());
  // The game window comes up once its module is there, and the splash goes
  // only after it; a game that cannot load leaves the splash up.
  let shown = null;
  const keys = (event) => {
    if (splash.key(keyEvent(event, codes)))
      event.preventDefault();
  };
  Object.assign(view, {
    definitions, Picture1: controls[form.Picture1], Label1: controls[form.Label1],
    showGameWindow() {
      shown = startGame().then((show) => show())
        .then(() => true, (error) => console.error('Morvane could not load the game:', error));
    },
    closeSplash() {
      shown.then((gone) => {
        if (!gone)
          return;
        closeWindow(frame);
        removeEventListener('keydown', keys);
        removeEventListener('keyup', keys);
      });
    },
  });

  // The pointer anywhere on the window but the button, which the browser
  // presses itself; a press keeps the focus where it was, on the button,
  // and the window keeps the pointer until it is released.
  for (const type of ['pointerdown', 'pointermove', 'pointerup', 'pointercancel']) {
    frame.addEventListener(type, (event) => {
      if (event.target === button)
        return;
      if (type === 'pointerdown') {
        event.preventDefault();
        frame.setPointerCapture(event.pointerId);
      }
      const reported = pointerEvent(event, codes, frame.getBoundingClientRect());
      splash.pointer(reported);
      if (type === 'pointermove')
        frame.style.cursor = splash.opensAddressAt(reported.x, reported.y) ? 'pointer' : '';
    });
  }
  frame.addEventListener('mousedown', (event) => {
    if (event.target !== button)
      event.preventDefault();
  });
  button.addEventListener('click', () => splash.Command1_Click());
  addEventListener('keydown', keys);
  addEventListener('keyup', keys);

  splash.Form_Load();
  // The window shows whole: its banner is ready before it is first painted.
  // The page fetches both banners from its start, so the chosen one has
  // mostly arrived by now.
  if (!view.Picture1.complete)
    await view.Picture1.decode().catch(() => {});
  showWindow(frame, form.width, form.height);
  // The splash is fixed in the page: the focus has nothing to scroll into
  // view.
  button.focus({ preventScroll: true });
  return startGame;
}
