// The browser's pointer and key events in the game's terms (game/input.h),
// numbered with the codes the definitions give, and nothing more: what an
// event means is the window's controller's to decide.

import { twips } from './controls.js';

// The browser numbers the button that changed 0 (left), 1 (middle) and 2
// (right), or -1 for none; any other is none of the game's.
export function buttonCode(event, codes) {
  return [codes.buttons.left, codes.buttons.middle, codes.buttons.right][event.button] ?? 0;
}

// The buttons held are bits 1 (left), 4 (middle) and 2 (right) of its own.
export function buttonsCode(event, codes) {
  return (event.buttons & 1 ? codes.buttons.left : 0) + (event.buttons & 2 ? codes.buttons.right : 0)
    + (event.buttons & 4 ? codes.buttons.middle : 0);
}

export function shiftCode(event, codes, ctrl = event.ctrlKey) {
  return (event.shiftKey ? codes.modifiers.shift : 0) + (ctrl ? codes.modifiers.ctrl : 0)
    + (event.altKey ? codes.modifiers.alt : 0);
}

// A named key by the definitions' table; a letter or a digit by its
// capital, as the layout types it or, where it types none of them (Alt on a
// Mac, another alphabet), by the key's place on a US keyboard; 0 for a key
// the game has no number for.
export function keyCode(event, codes) {
  if (Object.hasOwn(codes.keys, event.key))
    return codes.keys[event.key];
  const typed = /^[a-z0-9]$/i.test(event.key) ? event.key : /^(?:Key|Digit)([A-Z0-9])$/.exec(event.code)?.[1];
  return typed ? typed.toUpperCase().charCodeAt(0) : 0;
}

// A pointer event on a window's client area, whose corner is at `corner` in
// the page.
export function pointerEvent(event, codes, corner) {
  return {
    action: codes.actions[event.type], id: event.pointerId, kind: codes.kinds[event.pointerType] ?? codes.kinds.mouse,
    button: buttonCode(event, codes), buttons: buttonsCode(event, codes), shift: shiftCode(event, codes),
    x: twips(event.clientX - corner.left), y: twips(event.clientY - corner.top),
  };
}

// A key pressed or released. A Mac's Command counts as Ctrl, so that its
// players save with Command+S as they do everywhere else.
export function keyEvent(event, codes) {
  return {
    key: keyCode(event, codes), shift: shiftCode(event, codes, event.ctrlKey || event.metaKey),
    pressed: event.type === 'keydown',
  };
}
