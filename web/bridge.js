// The page's side of the bridge to a window's module (web/bridge.h): the
// module's texts and bytes, read from its memory and written into it. A
// window's script gives the imports of its module, imports(bridge, view),
// which do what the controller asks of the window as the view holds it, and
// the handlers the page calls, handlers(bridge), each one export.

const decoder = new TextDecoder();

export class Bridge {
  exports = null;  // the module's, once it has been instantiated

  // Read afresh each time: the memory may have grown since.
  view(Type, at, length) {
    return new Type(this.exports.memory.buffer, at, length);
  }

  text(at, length) {
    return decoder.decode(this.view(Uint8Array, at, length));
  }

  // The windows' definitions that the module writes (web/definitions.h).
  definitions() {
    return JSON.parse(this.text(this.exports.definitions(), this.exports.definitionsLength()));
  }
}

// The handlers every window has: Form_Load makes the window, which every
// other handler is then given, and its pointer and keys. Gives the window
// with them.
export function windowHandlers(code) {
  let window = 0;
  return [() => window, {
    Form_Load() {
      window = code.Form_Load();
    },
    pointer: (e) => code.pointer(window, e.action, e.id, e.kind, e.button, e.buttons, e.shift, e.x, e.y),
    key: (e) => Boolean(code.key(window, e.key, e.shift, e.pressed)),
  }];
}
