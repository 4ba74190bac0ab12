// What the windows ask of the browser, as the desktop front ends ask it of
// their desktops: the date and the locale's order of day and month, a web
// address opened, a beep, a message box, and the end of the program.

export function today() {
  const now = new Date();
  return { year: now.getFullYear(), month: now.getMonth() + 1, day: now.getDate() };
}

// Whether the locale writes the day or the month first in a short date, as
// the definitions number the two orders. The browser takes a while to load
// its locale data the first time, so the splash asks only on the few days
// the order decides.
export function dateOrder(orders) {
  const parts = new Intl.DateTimeFormat().formatToParts(new Date()).map((part) => part.type);
  return parts.indexOf('day') < parts.indexOf('month') ? orders.dayFirst : orders.monthFirst;
}

// In a tab of its own that cannot reach back into the game's.
export function openAddress(url) {
  window.open(url, '_blank', 'noopener');
}

// A short, quiet tone, where the desktop would sound its bell.
let audio = null;
export function beep() {
  audio ??= new AudioContext();
  const tone = new OscillatorNode(audio, { frequency: 880 });
  const volume = new GainNode(audio, { gain: 0.05 });
  tone.connect(volume).connect(audio.destination);
  tone.start();
  tone.stop(audio.currentTime + 0.08);
}

// A box over its owner window, captioned with the program's title, with one
// OK button; nothing else in the page takes a click or a key until it is
// closed.
export function reportMessage(text, caption, owner) {
  const box = document.createElement('dialog');
  box.className = 'message';
  const form = document.createElement('form');
  form.method = 'dialog';
  const title = document.createElement('header');
  title.textContent = caption;
  const message = document.createElement('p');
  message.textContent = text;
  const ok = document.createElement('button');
  ok.textContent = 'OK';
  form.append(title, message, ok);
  box.append(form);
  box.setAttribute('aria-label', caption);
  box.addEventListener('close', () => box.remove());
  document.body.append(box);
  box.showModal();
  // Centred over the owner, and wholly on the screen.
  const over = owner.getBoundingClientRect();
  const within = (start, size, room, own) => Math.max(0, Math.min(room - own, Math.round(start + (size - own) / 2)));
  box.style.left = `${within(over.left, over.width, innerWidth, box.offsetWidth)}px`;
  box.style.top = `${within(over.top, over.height, innerHeight, box.offsetHeight)}px`;
  ok.focus();
}

export const messageShown = () => document.querySelector('dialog.message[open]') !== null;

// A page cannot close itself: it says that the game has ended, and offers to
// start it again.
export function endProgram(title) {
  document.body.replaceChildren();
  document.title = title;
  const ended = document.createElement('main');
  ended.className = 'ended';
  const text = document.createElement('p');
  text.textContent = `${title} has ended.`;
  const again = document.createElement('button');
  again.textContent = 'Start again';
  again.addEventListener('click', () => location.reload());
  ended.append(text, again);
  document.body.append(ended);
  again.focus({ focusVisible: true });
}
