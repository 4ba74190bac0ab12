// The game window: its File menu and its client area, made from the window's
// definition, with the board's lines, the labels, the Help control and the
// sixty squares. Each event is one call of the controller; what it asks of
// the window comes back through the object given to it here.

import { buttonOf, buttonsOf, fitGroups, makeControl, makeWindow, pixels, place, shiftOf, twips } from './controls.js';
import * as desktop from './desktop.js';
import { makeFiles } from './files.js';
import { showHelpPage } from './helppage.js';

function makeMenu(form, actions) {
  const bar = document.createElement('nav');
  bar.className = 'menubar';
  const title = document.createElement('button');
  title.textContent = form.mnuFile;
  title.setAttribute('aria-haspopup', 'menu');
  const menu = document.createElement('div');
  menu.className = 'menu';
  menu.setAttribute('role', 'menu');
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

// The lines in the ink's colour, one device pixel wide at any density, drawn
// again when the density changes (another screen, or the browser's zoom).
function drawBoard(canvas, form) {
  const ratio = devicePixelRatio;
  const device = (twipsValue) => Math.round(pixels(twipsValue) * ratio);
  canvas.width = device(form.width);
  canvas.height = device(form.height);
  const context = canvas.getContext('2d');
  context.fillStyle = form.ink;
  for (const [x1, y1, x2, y2] of form.boardLines)
    context.fillRect(device(x1), device(y1), device(x2) - device(x1) + 1, device(y2) - device(y1) + 1);
  matchMedia(`(resolution: ${ratio}dppx)`).addEventListener('change', () => drawBoard(canvas, form), { once: true });
}

export function showGameWindow(module, definitions) {
  const form = definitions.puzzle;
  document.title = form.caption;
  const owner = document.createElement('div');
  owner.className = 'game';
  const client = makeWindow(form, 'client');
  const board = document.createElement('canvas');
  board.className = 'board';
  place(board, 0, 0, form.width, form.height);
  drawBoard(board, form);
  const controls = form.controls.map(makeControl);
  const help = controls[form.controls.findIndex((control) => control.kind === 'HelpControl')];
  help.title = form.helpTooltip;
  // From 59 down to 0, so that each square lies above those after it.
  const squares = form.squareColours.map((colour, index) => {
    const square = document.createElement('div');
    square.className = 'square';
    square.dataset.index = index;
    square.style.background = colour;
    place(square, 0, 0, form.squareTwips, form.squareTwips);
    return square;
  });
  client.append(board, ...controls, ...[...squares].reverse());

  const report = (text) => desktop.report(text, definitions.programTitle, owner);
  const files = makeFiles(module, form, report);
  const corners = squares.map(() => ({ left: 0, top: 0 }));
  let timer = 0;
  const game = new module.frmPuzzle({
    placeSquare(index, left, top) {
      corners[index] = { left, top };
      place(squares[index], left, top);
    },
    showCounter: (text) => { controls[form.counter].textContent = text; },
    beep: desktop.beep,
    chooseFileToOpen: files.chooseFileToOpen,
    chooseFileToSave: files.chooseFileToSave,
    reportMessage: report,
    showHelpPage: (page) => showHelpPage(page, owner),
    endProgram() {
      clearInterval(timer);
      document.removeEventListener('keydown', keys);
      desktop.endProgram(definitions.programTitle);
    },
  });

  owner.append(makeMenu(form, [[form.mnuNew, () => game.mnuNew_Click()], [form.mnuExit, () => game.mnuExit_Click()]]),
    client);
  document.body.append(owner);
  fitGroups(module, controls, form.fittingGroups);
  help.addEventListener('click', () => game.TOLMHelpControl1_Click());

  // A square takes every event of the pointer from the press that lands on
  // it until the last button is up, wherever the pointer goes: the pointer
  // is measured in twips from the corner where the controller put the square.
  const at = (square, event) => {
    const origin = client.getBoundingClientRect();
    const corner = corners[square.dataset.index];
    return [twips(event.clientX - origin.left) - corner.left, twips(event.clientY - origin.top) - corner.top];
  };
  client.addEventListener('pointerdown', (event) => {
    const square = event.target;
    if (!square.classList.contains('square'))
      return;
    event.preventDefault();
    square.setPointerCapture(event.pointerId);
    game.cell_MouseDown(Number(square.dataset.index), buttonOf(event), shiftOf(event), ...at(square, event));
  });
  // A second button pressed or released during a drag comes as a move with
  // that button named.
  client.addEventListener('pointermove', (event) => {
    const square = event.target;
    if (!square.classList.contains('square') || !square.hasPointerCapture(event.pointerId))
      return;
    const index = Number(square.dataset.index);
    const changed = buttonOf(event);
    if (!changed)
      game.cell_MouseMove(index, buttonsOf(event), shiftOf(event), ...at(square, event));
    else if (buttonsOf(event) & changed)
      game.cell_MouseDown(index, changed, shiftOf(event), ...at(square, event));
    else
      game.cell_MouseUp(index, changed, shiftOf(event), ...at(square, event));
  });
  client.addEventListener('pointerup', (event) => {
    const square = event.target;
    if (square.classList.contains('square') && buttonOf(event))
      game.cell_MouseUp(Number(square.dataset.index), buttonOf(event), shiftOf(event), ...at(square, event));
  });
  client.addEventListener('contextmenu', (event) => event.preventDefault());

  // Ctrl+S and Ctrl+O, the browser's usual keys for save and open; a
  // message box open in front of the window takes every key itself.
  function keys(event) {
    const key = event.key.toLowerCase();
    if (!(event.ctrlKey || event.metaKey) || event.altKey || (key !== 's' && key !== 'o') || desktop.messageShown())
      return;
    event.preventDefault();
    if (key === 's')
      files.save(game);
    else
      files.open(game);
  }
  document.addEventListener('keydown', keys);

  game.Form_Load();
  timer = setInterval(() => game.Timer1_Timer(), form.timerIntervalMs);
}
