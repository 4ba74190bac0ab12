// The splash window: made from its definition, centred in the page, and
// plumbed to its controller, which chooses the layout, decides what a click
// is and hands over to the game window.

import { buttonOf, makeControl, makeWindow, place, twips } from './controls.js';
import * as desktop from './desktop.js';
import { showGameWindow } from './frmPuzzle.js';

export async function showSplash(module, definitions) {
  const form = definitions.splash;
  const frame = makeWindow(form, 'splash');
  const controls = form.controls.map(makeControl);
  frame.append(...controls);
  const button = controls[form.button];
  const picture = controls[form.picture];
  const link = controls[form.link];

  const splash = new module.frmSplash({
    today: desktop.today,
    shortDatePattern: desktop.shortDatePattern,
    showLayout(layout) {
      picture.src = layout.banner;
      place(picture, layout.left, layout.top, layout.width, layout.height);
      link.hidden = !layout.label1Visible;
    },
    openAddress: desktop.openAddress,
    showGameWindow: () => showGameWindow(module, definitions),
    closeSplash() {
      frame.remove();
      removeEventListener('resize', centre);
    },
    endProgram: () => desktop.endProgram(definitions.programTitle),
  });

  // Presses and releases anywhere on the window but the button, in the
  // window's twips; a press keeps the focus where it was, on the button.
  const at = (event) => {
    const corner = frame.getBoundingClientRect();
    return [twips(event.clientX - corner.left), twips(event.clientY - corner.top)];
  };
  frame.addEventListener('pointerdown', (event) => {
    if (event.target === button)
      return;
    event.preventDefault();
    frame.setPointerCapture(event.pointerId);
    splash.Form_MouseDown(buttonOf(event), ...at(event));
  });
  frame.addEventListener('pointerup', (event) => {
    if (event.target !== button)
      splash.Form_MouseUp(buttonOf(event), ...at(event));
  });
  frame.addEventListener('pointermove', (event) => {
    frame.style.cursor = splash.opensAddressAt(...at(event)) ? 'pointer' : '';
  });
  frame.addEventListener('mousedown', (event) => {
    if (event.target !== button)
      event.preventDefault();
  });
  button.addEventListener('click', () => splash.Command1_Click());

  splash.Form_Load();
  // The window shows whole: its banner is ready before it is first painted.
  await picture.decode().catch(() => {});
  function centre() {
    frame.style.left = `${Math.max(0, Math.floor((innerWidth - frame.offsetWidth) / 2))}px`;
    frame.style.top = `${Math.max(0, Math.floor((innerHeight - frame.offsetHeight) / 2))}px`;
  }
  document.body.append(frame);
  centre();
  addEventListener('resize', centre);
  button.focus();
}
