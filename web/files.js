// Saving and loading a position. The controller reads and writes position
// files through the game's own disk layer, on the module's in-memory file
// system; the choosers answer with a path there, and this moves the bytes
// between that path and the player's own files.

const folder = '/positions';

export function makeFiles(module, form, report) {
  const fs = module.FS;
  fs.mkdir(folder);
  const saved = `${folder}/${form.positionFileName}`;
  const chosen = `${folder}/chosen`;
  let opening = '';

  const input = document.createElement('input');
  input.type = 'file';
  input.accept = `${form.positionFileExtension},text/plain`;
  input.hidden = true;
  document.body.append(input);

  // Through the browser's save picker where it has one, else as a download.
  async function deliver(bytes) {
    if (typeof window.showSaveFilePicker !== 'function') {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([bytes], { type: 'text/plain' }));
      link.download = form.positionFileName;
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
      return;
    }
    try {
      const file = await window.showSaveFilePicker({
        suggestedName: form.positionFileName,
        types: [{ description: form.positionFileFilterName, accept: { 'text/plain': [form.positionFileExtension] } }],
      });
      const writer = await file.createWritable();
      await writer.write(bytes);
      await writer.close();
    } catch (error) {
      if (error.name !== 'AbortError')
        report(form.saveFailed);
    }
  }

  // The file the player chose, or none: a file the browser cannot read is
  // handed on as a path with nothing there, which the controller refuses
  // as it refuses any file it cannot open.
  async function load(game, file) {
    opening = '';
    if (file) {
      try {
        fs.writeFile(chosen, new Uint8Array(await file.arrayBuffer()));
        opening = chosen;
      } catch {
        opening = `${folder}/unreadable`;
      }
    }
    game.LoadGame();
    if (fs.analyzePath(chosen).exists)
      fs.unlink(chosen);
  }

  return {
    chooseFileToSave: () => saved,
    chooseFileToOpen() {
      const path = opening;
      opening = '';
      return path;
    },

    // Inside the key press, so the picker or the download still counts as
    // the player's doing.
    save(game) {
      game.SaveGame();
      if (!fs.analyzePath(saved).exists)
        return;
      const bytes = fs.readFile(saved);
      fs.unlink(saved);
      deliver(bytes);
    },

    open(game) {
      input.value = '';
      input.onchange = () => load(game, input.files[0]);
      input.oncancel = () => load(game, null);
      input.click();
    },
  };
}
