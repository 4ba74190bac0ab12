// The program: the game's module loaded, the windows built from its
// definitions, the splash first. Once it is up, the service worker keeps the
// site's files for the next start, with or without a server.

import loadMorvane from './morvane.mjs';
import { useDefinitions } from './controls.js';
import { showSplash } from './frmSplash.js';

const module = await loadMorvane();
const definitions = module.definitions();
useDefinitions(definitions);
await showSplash(module, definitions);
if ('serviceWorker' in navigator)
  navigator.serviceWorker.register('sw.js');
