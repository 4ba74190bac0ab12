// The program: the splash first, from its own small module; the game's
// module loads behind it. Once the splash is up, the service worker keeps
// the site's files for the next start, with or without a server.

import { useDefinitions } from './controls.js';
import { showSplash } from './frmSplash.js';

// The game's module and its window's script. Its code compiles as its bytes
// arrive, while its script loads; the script is then handed the compiled
// code. A host that serves the code under another type than application/wasm
// leaves it to be compiled whole once it is all there.
async function loadGame() {
  const code = () => fetch('morvane.wasm', { credentials: 'same-origin' });
  const compiling = WebAssembly.compileStreaming(code())
    .catch(() => code().then((response) => response.arrayBuffer()).then((bytes) => WebAssembly.compile(bytes)));
  const script = import('./frmPuzzle.js');
  const { default: loadMorvane } = await import('./morvane.mjs');
  const module = await loadMorvane({
    instantiateWasm(imports, receive) {
      compiling.then((compiled) => WebAssembly.instantiate(compiled, imports).then((instance) => receive(instance, compiled)))
        .catch((error) => console.error('Morvane could not start:', error));
      return {};
    },
  });
  const definitions = JSON.parse(module.definitions());
  const { showGameWindow } = await script;
  return () => {
    useDefinitions(definitions);
    showGameWindow(module, definitions);
  };
}

await showSplash(loadGame);
if ('serviceWorker' in navigator)
  navigator.serviceWorker.register('sw.js');
