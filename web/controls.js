// The controls of a window, made from its definition: each at its rectangle
// in twips, with its text, font, alignment, border and colours. A twip is a
// fixed fraction of a CSS pixel, so the browser's zoom and the screen's
// density scale a window as a whole, as the desktop's DPI does.

let twipsPerPixel = 15;
let fallbackFace = '';

export function useDefinitions(definitions) {
  twipsPerPixel = definitions.twipsPerPixel;
  fallbackFace = definitions.fallbackFace;
}

export const pixels = (twips) => twips / twipsPerPixel;
export const twips = (cssPixels) => cssPixels * twipsPerPixel;

export function place(element, left, top, width, height) {
  Object.assign(element.style, { left: `${pixels(left)}px`, top: `${pixels(top)}px` });
  if (width !== undefined)
    Object.assign(element.style, { width: `${pixels(width)}px`, height: `${pixels(height)}px` });
}

// A window's client area: its own colour, written on in black. A window
// placed at the centre of the screen is centred in the page on whole pixels,
// and kept there as the page is resized by the browser's layout alone; where
// the browser cannot round, off by half a pixel.
export function makeWindow(form, className) {
  const window = document.createElement('div');
  window.className = className;
  const width = `${pixels(form.width)}px`;
  const height = `${pixels(form.height)}px`;
  Object.assign(window.style, { width, height, background: form.background, color: form.ink });
  if (form.centreOfScreen) {
    window.style.position = 'fixed';
    for (const [side, size] of [['left', width], ['top', height]]) {
      window.style[side] = `max(0px, (100% - ${size}) / 2)`;
      window.style[side] = `max(0px, round(down, (100% - ${size}) / 2, 1px))`;
    }
  }
  return window;
}

// "&Continue": the letter after the ampersand is underlined; "&&" is an
// ampersand. What the letter does with Alt is the controller's to say.
function setMnemonicText(element, text) {
  let marked = false;
  for (let i = 0; i < text.length; ++i) {
    if (text[i] === '&' && i + 1 < text.length) {
      ++i;
      if (text[i] !== '&' && !marked) {
        marked = true;
        const underlined = document.createElement('u');
        underlined.textContent = text[i];
        element.append(underlined);
        continue;
      }
    }
    element.append(text[i]);
  }
}

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
  // The page's order is the definition's, which is the tab order. A label
  // never takes the focus.
  if (control.kind !== 'Label')
    element.tabIndex = control.tabIndex < 0 ? -1 : 0;
  return element;
}

// Where the desktop's font would cut a label of a group short, the group is
// set smaller together; the game's rule decides, and the page only measures,
// from the left of a label to the end of its ink and from its top to the
// foot of its lowest letter. The ink comes from a canvas, the baseline from
// a hidden label laid out as the real ones are.
// fit(group, points, measure) gives the size the game's rule sets a group
// in, with the page's measure of a text in twips at a size in points.
export function fitGroups(labels, groups, fit) {
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
    const points = fit(index, desktopPoints, measure);
    probe.remove();
    if (points !== desktopPoints)
      group.forEach((label) => { labels[label].style.fontSize = `${points}pt`; });
  });
}
