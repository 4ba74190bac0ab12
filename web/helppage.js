// The help page beside the game window, never modal: the pieces can still be
// moved while it is open. It is made once; each press of Help fills it with
// the page the controller gives and brings it forward.

let page = null;

function make(owner) {
  page = document.createElement('section');
  page.className = 'helppage';
  page.tabIndex = -1;
  page.setAttribute('role', 'dialog');
  page.setAttribute('aria-modal', 'false');
  page.setAttribute('aria-labelledby', 'helptitle');
  owner.after(page);
}

function fill(content) {
  const title = document.createElement('h2');
  title.id = 'helptitle';
  title.textContent = content.title;
  const parts = [title];
  if (content.about) {
    const about = document.createElement('p');
    const name = document.createElement('b');
    name.textContent = content.about.name;
    about.append(name, content.about.rest);
    parts.push(about);
  }
  const introduction = document.createElement('p');
  introduction.textContent = content.introduction;
  const table = document.createElement('table');
  for (const row of content.rows) {
    const line = table.insertRow();
    const action = document.createElement('th');
    action.scope = 'row';
    action.textContent = row.action;
    line.append(action);
    line.insertCell().textContent = row.description;
  }
  const close = document.createElement('button');
  close.textContent = 'Close';
  close.addEventListener('click', () => { page.hidden = true; });
  parts.push(introduction, table, close);
  page.replaceChildren(...parts);
}

export function showHelpPage(content, owner) {
  if (!page || !page.isConnected)
    make(owner);
  fill(content);
  page.hidden = false;
  page.scrollIntoView({ block: 'nearest', inline: 'nearest' });
  page.focus({ preventScroll: true });
}
