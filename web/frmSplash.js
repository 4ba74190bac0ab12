// The splash window: made from its definition, centred in the page, and
// plumbed to its controller, which chooses the layout, decides what a click
// is and hands over to the game window. The controller is the splash's own
// small module (frmSplash.cpp), so the splash is up before the game's module
// has arrived; the game loads behind it, and "Continue" reaches the
// controller once the game can be shown.

import { buttonOf, makeControl, makeWindow, place, twips, useDefinitions } from './controls.js';
import * as desktop from './desktop.js';

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

// Its code compiles as its bytes arrive; a host that serves it under another
// type than application/wasm leaves it to be compiled whole once it is all
// there.
function loadController() {
  const code = () => fetch('frmSplash.wasm', { credentials: 'same-origin' });
  return WebAssembly.instantiateStreaming(code(), imports)
    .catch(() => code().then((response) => response.arrayBuffer()).then((bytes) => WebAssembly.instantiate(bytes, imports)))
    .then(({ instance }) => {
      memory = instance.exports.memory;
      instance.exports._initialize();
      return instance.exports;
    });
}

// loadGame() starts the game's module loading and gives a promise of a
// function that shows the game window.
export async function showSplash(loadGame) {
  const splash = await loadController();
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
    showLayout(layout) {
      picture.src = layout.banner;
      place(picture, layout.left, layout.top, layout.width, layout.height);
      link.hidden = !layout.label1Visible;
    },
    showGameWindow: () => showGame(),
    closeSplash() {
      frame.remove();
      removeEventListener('resize', centre);
    },
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
  await picture.decode().catch(() => {});
  function centre() {
    frame.style.left = `${Math.max(0, Math.floor((innerWidth - frame.offsetWidth) / 2))}px`;
    frame.style.top = `${Math.max(0, Math.floor((innerHeight - frame.offsetHeight) / 2))}px`;
  }
  document.body.append(frame);
  centre();
  addEventListener('resize', centre);
  button.focus();
  // The game loads once the splash is on screen, so that nothing of it
  // stands between the page's load and the splash.
  requestAnimationFrame(() => setTimeout(startGame));
}
