// The page's own logic under node: the bridge held to both built modules,
// the browser's events in the game's codes, the files' outcomes with
// stand-ins for the browser's choosers, and the locale's date order.
//   node page.test.mjs SPLASH.wasm GAME.wasm

import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { test } from 'node:test';

import { Bridge } from '../../web/bridge.js';
import { useDefinitions } from '../../web/controls.js';
import { dateOrder } from '../../web/desktop.js';
import { makeFiles } from '../../web/files.js';
import * as frmPuzzle from '../../web/frmPuzzle.js';
import * as frmSplash from '../../web/frmSplash.js';
import { keyEvent, pointerEvent } from '../../web/input.js';

const [splashModule, gameModule] = process.argv.slice(2).map((file) => new WebAssembly.Module(readFileSync(file)));
const splash = new Bridge();
splash.exports = new WebAssembly.Instance(splashModule, frmSplash.imports(splash, {})).exports;
splash.exports._initialize();
const definitions = splash.definitions();
const { codes } = definitions;
useDefinitions(definitions);

test('each window\'s module imports exactly what its page gives, and exports all the page calls', () => {
  // The game's module has emscripten's runtime beside it, which gives it all but the page's.
  const windows = [[frmSplash, splashModule, () => true], [frmPuzzle, gameModule, (m) => m === 'page']];
  for (const [window, module, fromPage] of windows) {
    const given = Object.entries(window.imports(new Bridge(), {}))
      .flatMap(([m, functions]) => Object.keys(functions).map((f) => `${m}.${f}`));
    const wanted = WebAssembly.Module.imports(module).filter((i) => fromPage(i.module)).map((i) => `${i.module}.${i.name}`);
    assert.deepEqual(given.sort(), wanted.sort());

    const called = new Set();
    const memory = new WebAssembly.Memory({ initial: 1 });
    const bridge = new Bridge();
    bridge.exports = new Proxy({}, { get: (_, name) => (name === 'memory' ? memory : (called.add(name), () => 0)) });
    Object.values(window.handlers(bridge)).forEach((handler) => handler({}));
    assert.throws(() => bridge.definitions(), SyntaxError);  // the recorder's definitions are empty
    const exported = WebAssembly.Module.exports(module).map((e) => e.name);
    assert.deepEqual([...called].filter((name) => !exported.includes(name)), []);
  }
});

test('pointer events and keys carry the game\'s codes, a pen\'s barrel as the right button, a letter by its capital, Command counted as Ctrl', () => {
  const { buttons: { left, right, middle }, modifiers: { shift, ctrl, alt } } = codes;
  const moved = { type: 'pointermove', pointerId: 3, pointerType: 'mouse', button: -1, buttons: 0, clientX: 30, clientY: 20.5 };
  const event = (fields) => pointerEvent({ ...moved, ...fields }, codes, { left: 10, top: 20 });
  assert.deepEqual(event({ buttons: 1 }),
    { action: codes.actions.pointermove, id: 3, kind: codes.kinds.mouse, button: 0, buttons: left, shift: 0, x: 300, y: 7.5 });
  const chords = [{ button: 2, buttons: 3 }, { button: 1, buttons: 4 }, { button: 3, buttons: 8 }];
  assert.deepEqual(chords.map(event).map((e) => [e.button, e.buttons]), [[right, left + right], [middle, middle], [0, 0]]);
  assert.equal(event({ shiftKey: true, ctrlKey: true, altKey: true, metaKey: true }).shift, shift + ctrl + alt);
  const [touch, pen] = [{ pointerType: 'touch' }, { pointerType: 'pen', button: 2, buttons: 2 }].map((f) => event({ type: 'pointerdown', ...f }));
  assert.deepEqual([touch.action, touch.kind, pen.kind, pen.button, pen.buttons], [codes.actions.pointerdown, codes.kinds.touch, codes.kinds.pen, right, right]);

  const key = (fields) => keyEvent({ type: 'keydown', code: '', ...fields }, codes);
  assert.deepEqual(key({ key: 's', code: 'KeyS', ctrlKey: true }), { key: 0x53, shift: ctrl, pressed: true });
  assert.deepEqual(key({ key: 'o', metaKey: true }), { key: 0x4f, shift: ctrl, pressed: true });
  assert.deepEqual(key({ type: 'keyup', key: ' ' }), { key: 0x20, shift: 0, pressed: false });
  assert.deepEqual([{ key: 'ç', code: 'KeyC', altKey: true }, { key: 'ы', code: 'KeyS' }].map((e) => key(e).key),
    [0x43, 0x53]);
  assert.deepEqual(['Enter', 'Escape', 'Tab', 'ArrowLeft', 'F1', '7', 'F2', 'Dead'].map((name) => key({ key: name }).key),
    [0x0d, 0x1b, 0x09, 0x25, 0x70, 0x37, 0, 0]);
});

const form = {
  positionFileName: 'position.txt', positionFileExtension: '.txt', positionFileLimit: 8,
  outcomes: { done: 0, cancelled: 1, failed: 2 },
};
const bytes = new Uint8Array([50, 52, 48, 48]);

test('a save ends done, cancelled or failed, a failed one leaving the file as it was', async () => {
  const done = [];
  const download = (data) => done.push(data);
  const keep = (picker) => makeFiles(form, { chooseFileToSave: (options) => picker?.(options), download }).keep(bytes);
  const file = (write) => async (options) => {
    done.push(options.suggestedName);
    const writer = { write, close: async () => done.push('closed'), abort: async () => done.push('aborted') };
    return { createWritable: async () => writer };
  };
  assert.equal(await keep(undefined), 0);
  assert.equal(await keep(file(async (data) => done.push(data))), 0);
  assert.equal(await keep(async () => { throw new DOMException('', 'AbortError'); }), 1);
  assert.equal(await keep(file(async () => { throw new DOMException('', 'QuotaExceededError'); })), 2);
  assert.deepEqual(done, [bytes, 'position.txt', bytes, 'closed', 'position.txt', 'aborted']);
});

test('a load ends for each choice: none, a file too large, unreadable, or its bytes', async () => {
  const answers = [];
  const chosen = (size, read) => ({ size, arrayBuffer: read });
  const read = (...choices) => new Promise((resolve) => makeFiles(form, {
    chooseFileToOpen: (take) => choices.reduce((before, file) => before.then(() => take(file)), Promise.resolve()).then(resolve),
  }).read((...answer) => answers.push(answer)));
  const unreadable = async () => { throw new Error(); };
  await read(null, chosen(9, async () => bytes.buffer), chosen(4, unreadable), chosen(4, async () => bytes.buffer));
  assert.deepEqual(answers, [[1], [2], [2], [0, bytes]]);
});

test('the locale\'s date order', () => {
  const { dateOrders: orders } = definitions;
  const Format = Intl.DateTimeFormat;
  const orderIn = (locale) => {
    Intl.DateTimeFormat = function inLocale() { return new Format(locale); };
    return dateOrder(orders);
  };
  assert.deepEqual(['en-US', 'en-GB', 'de-DE', 'ja-JP'].map(orderIn),
    [orders.monthFirst, orders.dayFirst, orders.dayFirst, orders.monthFirst]);
  Intl.DateTimeFormat = Format;
});
