// The program: the splash first, from its own small module; the game's
// module loads behind it once the splash is on screen, and so does the
// service worker, which keeps the site's files for the next start, with or
// without a server. The build bundles this and the scripts it imports into
// index.html.

import { Bridge } from './bridge.js';
import { useDefinitions } from './controls.js';
import * as frmPuzzle from './frmPuzzle.js';
import { showSplash } from './frmSplash.js';
// The splash's module in base64, which the bundler writes into the page, so
// that the splash waits for no request of its own.
import splashModule from './frmSplash.wasm';

// The game's module. Its code compiles as its bytes arrive, while its script
// loads; the script, emscripten's runtime, is then handed the code compiled
// and instantiated with the page's imports beside its own. A host that
// serves the code under another type than application/wasm leaves it to be
// compiled whole once it is all there.
async function loadGame() {
  const code = () => fetch('morvane.wasm', { credentials: 'same-origin' });
  const compiling = WebAssembly.compileStreaming(code())
    .catch(() => code().then((response) => response.arrayBuffer()).then((bytes) => WebAssembly.compile(bytes)));
  const { default: loadMorvane } = await import('./morvane.mjs');
  const bridge = new Bridge();
  const view = {};
  await loadMorvane({
    instantiateWasm(runtime, receive) {
      compiling.then((compiled) => WebAssembly.instantiate(compiled, { ...runtime, ...frmPuzzle.imports(bridge, view) })
        .then((instance) => {
          bridge.exports = instance.exports;
          receive(instance, compiled);
        }))
        .catch((error) => console.error('Morvane could not start:', error));
      return {};
    },
  });
  const definitions = bridge.definitions();
  return () => {
    useDefinitions(definitions);
    frmPuzzle.showGameWindow(bridge, view, definitions);
  };
}

// Once the page has painted its first content, which is the splash; where
// the browser does not tell of its paints, once the next frame is out.
function splashPainted() {
  return new Promise((resolve) => {
    if (!PerformanceObserver.supportedEntryTypes?.includes('paint')) {
      requestAnimationFrame(() => setTimeout(resolve));
      return;
    }
    new PerformanceObserver((list, observer) => {
      if (list.getEntriesByName('first-contentful-paint').length) {
        observer.disconnect();
        resolve();
      }
    }).observe({ type: 'paint', buffered: true });
  });
}

// Nothing of the game stands between the page's load and the splash: its
// loading waits for the splash's paint, or for "Continue", whichever comes
// first.
const splashBytes = Uint8Array.fromBase64?.(splashModule) ?? Uint8Array.from(atob(splashModule), (c) => c.charCodeAt(0));
const loadGameBehind = await showSplash(splashBytes, loadGame);
await splashPainted();
loadGameBehind();
if ('serviceWorker' in navigator)
  navigator.serviceWorker.register('sw.js');
