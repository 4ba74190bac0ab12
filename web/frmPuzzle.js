// The game window: its File menu and its client area, made from the window's
// definition, with the board's lines, the labels, the Help control and the
// sixty squares. Each event is reported to the controller (frmPuzzle.cpp) as
// the browser saw it; what the controller asks of the window comes back
// through the module's imports.

import { windowHandlers } from './bridge.js';
import { currentScale, fitGroups, makeControl, makeWindow, pixels, place, showWindow } from './controls.js';
import * as desktop from './desktop.js';
import { makeFiles } from './files.js';
import { showHelpPage } from './helppage.js';
import { keyEvent, pointerEvent } from './input.js';

function makeMenu(form, actions) {
  const bar = document.createElement('div');
  bar.className = 'menubar';
  bar.setAttribute('role', 'menubar');
  bar.setAttribute('aria-label', form.menuBarName);
  const title = document.createElement('button');
  title.textContent = form.mnuFile;
  title.setAttribute('role', 'menuitem');
  title.setAttribute('aria-haspopup', 'menu');
  const menu = document.createElement('div');
  menu.className = 'menu';
  menu.setAttribute('role', 'menu');
  menu.setAttribute('aria-label', form.mnuFile);
  menu.hidden = true;
  const open = (shown) => {
    menu.hidden = !shown;
    title.setAttribute('aria-expanded', String(shown));
  };
  for (const [text, action] of actions) {
    const item = document.createElement('button');
    item.setAttribute('role', 'menuitem');
    item.textContent = text;
    item.addEventListener('click', () => {
      open(false);
      action();
    });
    menu.append(item);
  }
  title.addEventListener('click', () => {
    open(menu.hidden);
    if (!menu.hidden)
      menu.firstChild.focus();
  });
  title.addEventListener('keydown', (event) => {
    if (event.key === 'ArrowDown' && menu.hidden)
      title.click();
  });
  menu.addEventListener('keydown', (event) => {
    const items = [...menu.children];
    const at = items.indexOf(document.activeElement);
    if (event.key === 'ArrowDown' || event.key === 'ArrowUp')
      items[(at + (event.key === 'ArrowDown' ? 1 : items.length - 1)) % items.length].focus();
    else if (event.key === 'Escape')
      title.focus();
    else
      return;
    event.preventDefault();
    open(event.key !== 'Escape');
  });
  document.addEventListener('pointerdown', (event) => {
    if (!bar.contains(event.target))
      open(false);
  });
  bar.append(title, menu);
  return bar;
}

// The menu bar, 23 pixels high at the page's scale of 1, and a whole number
// of device pixels high at any other, so the client area below it starts on
// a whole device pixel.
const MENU_BAR_TWIPS = 345;

function scaleMenuBar(bar) {
  bar.style.zoom = currentScale();
  bar.style.height = `${pixels(MENU_BAR_TWIPS) / currentScale()}px`;
}

// The lines in the ink's colour, each one device pixel wide at any density
// and scale: a box each, which the browser paints on whole device pixels as
// it does the squares (a canvas at a fraction of a device pixel from one
// would be blurred), laid again when the scale or the density changes.
function drawBoard(board, form) {
  const onePixel = 1 / devicePixelRatio;
  board.replaceChildren(...form.boardLines.map(([x1, y1, x2, y2]) => {
    const line = document.createElement('div');
    Object.assign(line.style, {
      left: `${pixels(x1)}px`, top: `${pixels(y1)}px`, background: form.ink,
      width: `${pixels(x2) - pixels(x1) + onePixel}px`, height: `${pixels(y2) - pixels(y1) + onePixel}px`,
    });
    return line;
  }));
}

// The focus mark along the sides `edges` names: a black line at the edge and
// a white one inside it, drawn within the square over its colour, so that
// one of the two stands out against any piece and any background.
function focusMark(edges, sides) {
  // A CSS pixel, as the nearest whole number of device pixels, so that
  // neither line is blurred into the other at a ratio such as 2.75.
  const pixel = Math.max(1, Math.round(devicePixelRatio)) / devicePixelRatio;
  const along = [[sides.left, 1, 0], [sides.top, 0, 1], [sides.right, -1, 0], [sides.bottom, 0, -1]]
    .filter(([side]) => edges & side);
  return [['#000', 1], ['#fff', 2]]
    .flatMap(([colour, width]) => along.map(([, x, y]) => `inset ${x * width * pixel}px ${y * width * pixel}px ${colour}`)).join(', ');
}

// The three handles a tap on a piece shows, which turn it and mirror it top
// to bottom and left to right: buttons a finger's width (44 CSS pixels) or
// a square, whichever is larger, whatever the page's scale. A press on one
// is the handle's, never a press on the client area, and leaves the focus
// on the piece.
function makeHandles(names, game) {
  const handles = document.createElement('div');
  handles.className = 'handles';
  handles.hidden = true;
  const glyphs = ['\u27f2', '\u21c5', '\u21c6'];
  handles.append(...names.map((name, handle) => {
    const button = document.createElement('button');
    button.className = 'handle';
    button.tabIndex = -1;
    button.textContent = glyphs[handle];
    button.title = name;
    button.setAttribute('aria-label', name);
    button.addEventListener('click', () => game.handlePressed(handle));
    return button;
  }));
  for (const type of ['pointerdown', 'pointermove', 'pointerup', 'pointercancel']) {
    handles.addEventListener(type, (event) => {
      event.stopPropagation();
      if (type === 'pointerdown')
        event.preventDefault();
    });
  }
  return handles;
}

// Beside the piece whose squares span `around` (client twips): to its
// right where there is room in the client area, else to its left, below or
// above it; where none has room, as near the first as the client area
// allows, over the piece if it must.
function placeHandles(handles, around, form) {
  const size = Math.max(44, pixels(around.square) - pixels(0));
  const gap = size / 4;
  const long = 3 * size + 2 * gap;
  const [left, top, right, bottom] = [around.left, around.top, around.right, around.bottom].map(pixels);
  const room = [pixels(form.width), pixels(form.height)];
  const within = (start, length, axis) => Math.max(0, Math.min(room[axis] - length, start));
  const across = (start, end, axis) => within((start + end - long) / 2, long, axis);
  const places = [
    [right + gap, across(top, bottom, 1), 'column'], [left - gap - size, across(top, bottom, 1), 'column'],
    [across(left, right, 0), bottom + gap, 'row'], [across(left, right, 0), top - gap - size, 'row'],
  ];
  const extent = (direction) => (direction === 'column' ? [size, long] : [long, size]);
  const fits = ([x, y, direction]) => x >= 0 && y >= 0 && x + extent(direction)[0] <= room[0] && y + extent(direction)[1] <= room[1];
  const [x, y, direction] = places.find(fits) ?? places[0];
  const [width, height] = extent(direction);
  Object.assign(handles.style, {
    left: `${within(x, width, 0)}px`, top: `${within(y, height, 1)}px`, flexDirection: direction, gap: `${gap}px`,
  });
  handles.style.setProperty('--handle', `${size}px`);
}

// What the game's module imports from the page: its requests of the window.
export function imports(bridge, view) {
  return {
    page: {
      placeSquare: (index, left, top) => place(view.squares[index], left, top),
      showCounter(text, length) {
        view.lblTime.textContent = bridge.text(text, length);
      },
      beep: desktop.beep,
      capturePointer: (id) => view.client.setPointerCapture(id),
      releasePointer(id) {
        if (view.client.hasPointerCapture(id))
          view.client.releasePointerCapture(id);
      },
      keepInChosenFile(bytes, length) {
        view.files.keep(bridge.view(Uint8Array, bytes, length).slice()).then((outcome) => view.game.fileKept(outcome));
      },
      readChosenFile() {
        view.files.read((outcome, bytes) => view.game.fileRead(outcome, bytes));
      },
      focusPiece: (piece) => view.pieces[piece].focus({ preventScroll: true }),
      markSquare(index, edges) {
        view.squares[index].style.boxShadow = focusMark(edges, view.edges);
      },
      namePiece(piece, name, length) {
        view.pieces[piece].setAttribute('aria-label', bridge.text(name, length));
      },
      announce(text, length) {
        view.spoken.replaceChildren(bridge.text(text, length));
      },
      showHold(index, shown) {
        view.squares[index].classList.toggle('holding', Boolean(shown));
      },
      startHoldTimer(pointerId, milliseconds) {
        setTimeout(() => view.game.holdElapsed(pointerId), milliseconds);
      },
      showHandles(shown, left, top, right, bottom) {
        view.handles.hidden = !shown;
        if (shown)
          view.placeHandles({ left, top, right, bottom });
      },
      reportMessage: (text, length) => desktop.reportMessage(bridge.text(text, length), view.title, view.owner),
      showHelpPage: (page, length) => showHelpPage(JSON.parse(bridge.text(page, length)), view.owner),
      endProgram: () => view.endProgram(),
      measureText(text, length, points, extent) {
        const ink = view.measure(bridge.text(text, length), points);
        bridge.view(Float64Array, extent, 2).set([ink.width, ink.height]);
      },
    },
  };
}

export function handlers(bridge) {
  const code = bridge.exports;
  const [window, common] = windowHandlers(code);
  return {
    ...common,
    Timer1_Timer: () => code.Timer1_Timer(window()),
    mnuNew_Click: () => code.mnuNew_Click(window()),
    mnuExit_Click: () => code.mnuExit_Click(window()),
    TOLMHelpControl1_Click: () => code.TOLMHelpControl1_Click(window()),
    pieceFocused: (piece) => code.pieceFocused(window(), piece ?? -1),
    holdElapsed: (pointerId) => code.holdElapsed(window(), pointerId),
    handlePressed: (handle) => code.handlePressed(window(), handle),
    fileKept: (outcome) => code.fileKept(window(), outcome),
    fileRead(outcome, bytes = new Uint8Array()) {
      bridge.view(Uint8Array, code.fileBuffer(window(), bytes.length), bytes.length).set(bytes);
      code.fileRead(window(), outcome);
    },
    fittingPointSize: (group, points) => code.fittingPointSize(group, points),
  };
}

// The window, over the module `bridge` reaches, whose imports were given
// `view`.
export function showGameWindow(bridge, view, definitions) {
  const { codes, puzzle: form } = definitions;
  document.title = form.caption;
  const owner = document.createElement('div');
  owner.className = 'game';
  const client = makeWindow(form, 'client');
  const board = document.createElement('div');
  board.className = 'board';
  board.setAttribute('role', 'img');
  board.setAttribute('aria-label', form.boardName);
  place(board, 0, 0, form.width, form.height);
  drawBoard(board, form);
  const game = handlers(bridge);
  const controls = form.controls.map(makeControl);
  const help = controls[form.TOLMHelpControl1];
  help.title = form.helpTooltip;
  // A timer, named by the label beside it, which no one is told of each second.
  const lblTime = controls[form.lblTime];
  lblTime.setAttribute('role', 'timer');
  lblTime.setAttribute('aria-live', 'off');
  lblTime.setAttribute('aria-label', controls[form.Label5].textContent);
  client.append(board, ...controls);
  // Each square lies above those after it. A piece is its square 0 to
  // assistive technology and in the focus order, which follows the page's
  // order: piece 0 first.
  const squares = form.squareColours.map((colour, index) => {
    const square = document.createElement('div');
    square.className = 'square';
    square.style.background = colour;
    square.style.zIndex = form.squareColours.length - index;
    square.setAttribute('aria-hidden', 'true');
    place(square, 0, 0, definitions.squareTwips, definitions.squareTwips);
    return square;
  });
  client.append(...squares);
  const pieces = form.pieceSquares.map((index, piece) => {
    const square = squares[index];
    square.removeAttribute('aria-hidden');
    square.setAttribute('role', 'application');
    square.tabIndex = 0;
    square.addEventListener('focus', () => game.pieceFocused(piece));
    square.addEventListener('blur', () => game.pieceFocused(null));
    return square;
  });
  // Where the controller tells of a piece that has settled, politely.
  const spoken = document.createElement('div');
  spoken.className = 'spoken';
  spoken.setAttribute('aria-live', 'polite');

  let timer = 0;
  // A message box open in front of the window takes every key itself.
  const keys = (event) => {
    if (!desktop.messageShown() && game.key(keyEvent(event, codes)))
      event.preventDefault();
  };
  const handles = makeHandles(form.handleNames, game);
  client.append(handles);
  let handled = null;
  Object.assign(view, {
    game, client, squares, pieces, spoken, owner, lblTime, handles, edges: form.edges, title: definitions.programTitle,
    placeHandles(around) {
      handled = { ...around, square: definitions.squareTwips };
      placeHandles(handles, handled, form);
    },
    files: makeFiles(form),
    endProgram() {
      clearInterval(timer);
      removeEventListener('keydown', keys);
      removeEventListener('keyup', keys);
      desktop.endProgram(definitions.programTitle);
    },
  });

  const bar = makeMenu(form, [[form.mnuNew, () => game.mnuNew_Click()], [form.mnuExit, () => game.mnuExit_Click()]]);
  owner.append(bar, client, spoken);
  scaleMenuBar(bar);
  showWindow(owner, form.width, form.height + MENU_BAR_TWIPS, () => {
    scaleMenuBar(bar);
    drawBoard(board, form);
    if (handled)
      placeHandles(handles, handled, form);
  });
  fitGroups(controls, form.fittingGroups, (group, points, measure) => {
    view.measure = measure;
    return game.fittingPointSize(group, points);
  });
  help.addEventListener('click', () => game.TOLMHelpControl1_Click());
  // The focus goes only where the controller sends it: no press on the
  // client area, a second button's during a drag included, moves it by
  // itself.
  for (const type of ['pointerdown', 'pointermove', 'pointerup', 'pointercancel']) {
    client.addEventListener(type, (event) => {
      if (type === 'pointerdown' || event.button >= 0)
        event.preventDefault();
      game.pointer(pointerEvent(event, codes, client.getBoundingClientRect()));
    });
  }
  addEventListener('keydown', keys);
  addEventListener('keyup', keys);

  game.Form_Load();
  timer = setInterval(() => game.Timer1_Timer(), form.timerIntervalMs);
  // As on the desktop, the window opens with the focus on its one control
  // that takes it, and shows where it is.
  help.focus({ focusVisible: true });
}
