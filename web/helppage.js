// The help page beside the game window, or over it on a narrow screen, never modal: the pieces can still be
// moved while it is open. It is made once; each press of Help fills it with
// the page the controller gives and brings it forward.

let page = null;

const element = (tag, text = '', properties = {}) =>
  Object.assign(document.createElement(tag), { textContent: text, ...properties });

export function showHelpPage(content, owner) {
  if (!page?.isConnected) {
    page = element('section', '', { className: 'helppage', tabIndex: -1 });
    page.setAttribute('role', 'dialog');
    page.setAttribute('aria-modal', 'false');
    page.setAttribute('aria-labelledby', 'helptitle');
    owner.after(page);
  }
  const parts = [element('h2', content.title, { id: 'helptitle' })];
  if (content.about) {
    parts.push(element('p'));
    parts.at(-1).append(element('b', content.about.name), content.about.rest);
  }
  const table = element('table');
  for (const row of content.rows)
    table.insertRow().append(element('th', row.action, { scope: 'row' }), element('td', row.description));
  const close = element('button', 'Close');
  close.addEventListener('click', () => { page.hidden = true; });
  page.replaceChildren(...parts, element('p', content.introduction), table, close);
  page.hidden = false;
  page.focus({ preventScroll: true });
}
