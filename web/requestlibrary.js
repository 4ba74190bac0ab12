// Writes, for emscripten's linker, the names of the functions a window's
// script gives its module from the page:
//   node requestlibrary.js frmPuzzle.js requests.js
// The module imports them from "page" and the page hands them over when it
// instantiates the module, so the bodies written here never run; but a
// request in the C++ that the page does not make is then an undefined
// symbol, and the link fails.

import { writeFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

import { Bridge } from './bridge.js';

const [script, library] = process.argv.slice(2);
const { imports } = await import(pathToFileURL(script));
const names = Object.keys(imports(new Bridge(), {}).page);
const entries = names.map((name) => `  ${name}: function() {},\n`).join('');
writeFileSync(library, `mergeInto(LibraryManager.library, {\n${entries}});\n`);
