// The program: the game's module loaded, the windows built from its
// definitions, the splash first. Once it is up, the service worker keeps the
// site's files for the next start, with or without a server.

import { useDefinitions } from './controls.js';
import { readLocale } from './desktop.js';
import { showSplash } from './frmSplash.js';

// The module's code compiles as its bytes arrive, while its script loads
// and the page reads the locale; the script is then handed the compiled code.
// A host that serves the code under another type than application/wasm
// leaves it to be compiled whole once it is all there.
const code = () => fetch('morvane.wasm', { credentials: 'same-origin' });
const compiling = WebAssembly.compileStreaming(code())
  .catch(() => code().then((response) => response.arrayBuffer()).then((bytes) => WebAssembly.compile(bytes)));
const script = import('./morvane.mjs');
readLocale();
const { default: loadMorvane } = await script;
const module = await loadMorvane({
  instantiateWasm(imports, receive) {
    compiling.then((compiled) => WebAssembly.instantiate(compiled, imports).then((instance) => receive(instance, compiled)))
      .catch((error) => console.error('Morvane could not start:', error));
    return {};
  },
});
const definitions = module.definitions();
useDefinitions(definitions);
await showSplash(module, definitions);
if ('serviceWorker' in navigator)
  navigator.serviceWorker.register('sw.js');
