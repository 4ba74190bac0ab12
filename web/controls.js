// The controls of a window, made from its definition: each at its rectangle
// in twips, with its text, font, alignment, border and colours. A twip is a
// fixed fraction of a CSS pixel at the page's one scale, which fits the
// windows to the screen; the browser's zoom and the screen's density scale
// from there, as the desktop's DPI does. The controllers never see the
// scale: twips are twips at any size.

let twipsPerPixel = 15;
let squareTwips = 240;
let fallbackFace = '';
let scale = 1;

export function useDefinitions(definitions) {
  twipsPerPixel = definitions.twipsPerPixel;
  squareTwips = definitions.squareTwips;
  fallbackFace = definitions.fallbackFace;
}

// Twips to CSS pixels and back at the page's scale, the one place the page
// converts: a place on the page is always on a whole device pixel.
export const pixels = (twips) => Math.round((twips / twipsPerPixel) * scale * devicePixelRatio) / devicePixelRatio;
export const twips = (cssPixels) => (cssPixels * twipsPerPixel) / scale;
export const currentScale = () => scale;

// Every placed element keeps its rectangle in twips, to be placed again at
// another scale. Its size is the distance between its edges' places, so
// squares laid edge to edge touch with neither seam nor overlap. An element
// with text is zoomed, its text and frame with it, and placed in the zoomed
// element's own pixels.
const placed = new Map();
const zoomed = new WeakSet();

function applyPlace(element, [left, top, width, height]) {
  const zoom = zoomed.has(element) ? scale : 1;
  const at = (value) => `${value / zoom}px`;
  Object.assign(element.style, { left: at(pixels(left)), top: at(pixels(top)) });
  if (width !== undefined)
    Object.assign(element.style, { width: at(pixels(left + width) - pixels(left)), height: at(pixels(top + height) - pixels(top)) });
  if (zoom !== 1 || element.style.zoom)
    element.style.zoom = zoom;
}

export function place(element, left, top, width, height) {
  const size = width === undefined ? placed.get(element)?.slice(2) ?? [] : [width, height];
  placed.set(element, [left, top, ...size]);
  applyPlace(element, placed.get(element));
}

// The windows on the page, each with its size in twips and what it does
// when the scale changes. The scale is the largest that fits every window
// shown on the screen with a margin, in either orientation, in steps of one
// device pixel per board square, so that the board's lattice falls on whole
// device pixels and its lines stay sharp.
const MARGIN = 8;
const windows = new Map();

// A window counts while it is on the page, and the one about to join it.
const shownOr = (showing) => (element) => element.isConnected || element === showing;

function fitScale(counts) {
  let fit = Infinity;
  for (const [element, { width, height }] of windows) {
    if (counts(element))
      fit = Math.min(fit, (innerWidth - 2 * MARGIN) / (width / twipsPerPixel), (innerHeight - 2 * MARGIN) / (height / twipsPerPixel));
  }
  if (fit === Infinity)
    return scale;
  const steps = (squareTwips / twipsPerPixel) * devicePixelRatio;
  return Math.max(1, Math.floor(fit * steps)) / steps;
}

// Centred on whole device pixels, from its size in twips.
function centre(element, { width, height }) {
  const device = (room, twips) => Math.max(0, Math.floor(((room - pixels(twips)) / 2) * devicePixelRatio)) / devicePixelRatio;
  Object.assign(element.style, { left: `${device(innerWidth, width)}px`, top: `${device(innerHeight, height)}px` });
}

// Another screen's density, or the browser's zoom, places everything again
// on the new device pixels.
let placedRatio = 0;

export function refit(showing = null) {
  const counts = shownOr(showing);
  const fitted = fitScale(counts);
  if (fitted !== scale || placedRatio !== devicePixelRatio) {
    scale = fitted;
    placedRatio = devicePixelRatio;
    for (const [element, rectangle] of placed)
      applyPlace(element, rectangle);
    for (const { rescaled } of windows.values())
      rescaled();
  }
  for (const [element, size] of windows)
    if (counts(element))
      centre(element, size);
}

let watching = false;

function watchDensity() {
  matchMedia(`(resolution: ${devicePixelRatio}dppx)`).addEventListener('change', () => {
    refit();
    watchDensity();
  }, { once: true });
}

// A window shown on the page: `height` in twips counts its menu bar; its
// frame is an outline, which takes no room. It is fitted and centred before
// it joins the page, from its size in twips, so that the browser lays it
// out once, at its size, before its first paint: the viewport's size is
// read while the page has nothing new to lay out. No browser gesture takes
// it over: no context menu, no callout, no selection.
export function showWindow(element, width, height, rescaled = () => {}) {
  if (!watching) {
    watching = true;
    addEventListener('resize', () => refit());
    watchDensity();
  }
  windows.set(element, { width, height, rescaled });
  element.classList.add('window');
  element.addEventListener('contextmenu', (event) => event.preventDefault());
  refit(element);
  if (!element.isConnected)
    document.body.append(element);
}

export function closeWindow(element) {
  windows.delete(element);
  for (const placedElement of placed.keys())
    if (element.contains(placedElement))
      placed.delete(placedElement);
  element.remove();
  refit();
}

// A window's client area: its own colour, written on in black, at the
// page's scale.
export function makeWindow(form, className) {
  const window = document.createElement('div');
  window.className = className;
  Object.assign(window.style, { background: form.background, color: form.ink });
  place(window, 0, 0, form.width, form.height);
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
  if (control.kind !== 'PictureBox')
    zoomed.add(element);
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
      // The canvas sets the text at no scale; the label, zoomed, at the page's.
      const ink = context.measureText(text);
      const room = probe.getBoundingClientRect().top + parseFloat(style.borderTopWidth) * scale;
      const baseline = marker.getBoundingClientRect().bottom - room;
      return { width: twips(ink.actualBoundingBoxRight * scale), height: twips(baseline + ink.actualBoundingBoxDescent * scale) };
    };
    const desktopPoints = parseFloat(style.fontSize) * 0.75;
    const points = fit(index, desktopPoints, measure);
    probe.remove();
    if (points !== desktopPoints)
      group.forEach((label) => { labels[label].style.fontSize = `${points}pt`; });
  });
}
