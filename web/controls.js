// The controls of a window, made from its definition: each at its rectangle
// in twips, with its text, font, alignment, border and colours. A twip is a
// fixed fraction of a CSS pixel, so the browser's zoom and the screen's
// density scale a window as a whole, as the desktop's DPI does.

let twipsPerPixel = 15;
let fallbackFace = '';
let codes = null;

export function useDefinitions(definitions) {
  twipsPerPixel = definitions.twipsPerPixel;
  fallbackFace = definitions.fallbackFace;
  codes = definitions.codes;
}

// A pointer event's button, the buttons it holds and its modifier keys, as
// the handlers number them. The browser numbers the button that changed 0
// (left), 1 (middle) and 2 (right), or -1 for none; the buttons held are
// bits 1, 4 and 2 of its own. Any other button is none of the game's.
export function buttonOf(event) {
  return [codes.buttons.left, codes.buttons.middle, codes.buttons.right][event.button] ?? 0;
}

export function buttonsOf(event) {
  return (event.buttons & 1 ? codes.buttons.left : 0) + (event.buttons & 2 ? codes.buttons.right : 0)
    + (event.buttons & 4 ? codes.buttons.middle : 0);
}

export function shiftOf(event) {
  return (event.shiftKey ? codes.modifiers.shift : 0) + (event.ctrlKey ? codes.modifiers.ctrl : 0)
    + (event.altKey ? codes.modifiers.alt : 0);
}

export const pixels = (twips) => twips / twipsPerPixel;
export const twips = (cssPixels) => cssPixels * twipsPerPixel;

export function place(element, left, top, width, height) {
  Object.assign(element.style, { left: `${pixels(left)}px`, top: `${pixels(top)}px` });
  if (width !== undefined)
    Object.assign(element.style, { width: `${pixels(width)}px`, height: `${pixels(height)}px` });
}

// A window's client area: its own colour, written on in black.
export function makeWindow(form, className) {
  const window = document.createElement('div');
  window.className = className;
  Object.assign(window.style, {
    width: `${pixels(form.width)}px`, height: `${pixels(form.height)}px`,
    background: form.background, color: form.ink,
  });
  return window;
}

// "&Continue": the letter after the ampersand is underlined and is the
// access key; "&&" is an ampersand.
function setMnemonicText(element, text) {
  let key = '';
  for (let i = 0; i < text.length; ++i) {
    if (text[i] === '&' && i + 1 < text.length) {
      ++i;
      if (text[i] !== '&' && !key) {
        key = text[i];
        const underlined = document.createElement('u');
        underlined.textContent = key;
        element.append(underlined);
        continue;
      }
    }
    element.append(text[i]);
  }
  if (key)
    element.accessKey = key.toLowerCase();
}

// Alt and a control's marked letter press it. Browsers give access keys
// modifiers of their own (Alt+Shift in Firefox, Ctrl+Alt on a Mac); the
// desktop's is Alt alone, in every browser.
addEventListener('keydown', (event) => {
  if (!event.altKey || event.ctrlKey || event.metaKey || event.shiftKey)
    return;
  const control = [...document.querySelectorAll('[accesskey]')]
    .find((element) => element.accessKey === event.key.toLowerCase() && !element.hidden);
  if (control) {
    event.preventDefault();
    control.click();
  }
});

const tagOf = { Label: 'div', PictureBox: 'img', Button: 'button', HelpControl: 'button' };

export function makeControl(control) {
  const element = document.createElement(tagOf[control.kind]);
  element.className = control.kind;
  place(element, control.left, control.top, control.width, control.height);
  if (control.kind === 'PictureBox')
    element.alt = '';
  else
    setMnemonicText(element, control.text);
  // A face of its own, where the definition names one; else the desktop's,
  // which the stylesheet gives every control.
  if (control.face) {
    element.style.font = `${control.bold ? 'bold ' : ''}${control.points}pt "${control.face}", "${fallbackFace}", sans-serif`;
    element.style.textDecoration = control.underline ? 'underline' : '';
  }
  element.style.textAlign = control.centred ? 'center' : 'left';
  if (control.borderPixels)
    element.style.border = `${control.borderPixels}px ${control.sunken ? 'inset' : 'solid'} ${control.foreground}`;
  if (control.kind !== 'HelpControl')
    Object.assign(element.style, { color: control.foreground, background: control.kind === 'Label' ? '' : control.background });
  element.hidden = !control.visible;
  // The page's order is the definition's, which is the tab order.
  element.tabIndex = control.tabIndex < 0 ? -1 : 0;
  return element;
}

// Where the desktop's font would cut a label of a group short, the group is
// set smaller together; the game's rule decides, and the page only measures,
// from the left of a label to the end of its ink and from its top to the
// foot of its lowest letter. The ink comes from a canvas, the baseline from
// a hidden label laid out as the real ones are.
export function fitGroups(module, labels, groups) {
  const context = document.createElement('canvas').getContext('2d');
  groups.forEach((group, index) => {
    const first = labels[group[0]];
    const style = getComputedStyle(first);
    const probe = first.cloneNode(false);
    const marker = document.createElement('span');
    marker.style.display = 'inline-block';
    probe.append('', marker);
    probe.style.visibility = 'hidden';
    first.after(probe);
    const measure = (text, points) => {
      probe.firstChild.data = text;
      probe.style.fontSize = `${points}pt`;
      context.font = `${style.fontWeight} ${points}pt ${style.fontFamily}`;
      const ink = context.measureText(text);
      const room = probe.getBoundingClientRect().top + parseFloat(style.borderTopWidth);
      const baseline = marker.getBoundingClientRect().bottom - room;
      return { width: twips(ink.actualBoundingBoxRight), height: twips(baseline + ink.actualBoundingBoxDescent) };
    };
    const desktopPoints = parseFloat(style.fontSize) * 0.75;
    const points = module.fittingPointSize(index, desktopPoints, measure);
    probe.remove();
    if (points !== desktopPoints)
      group.forEach((label) => { labels[label].style.fontSize = `${points}pt`; });
  });
}
