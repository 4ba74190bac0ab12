// The player's files as the game window's controller asks for them: the
// bytes of a position kept in a file the player chooses, and the bytes of a
// file the player chooses read, each ending in one of the outcomes the
// definitions number. What the player is told of a failure is the
// controller's to say.

// What the browser offers: its save picker where it has one (a promise of
// the chosen file), a download where it has none, and a hidden file input,
// which tells of each file it is given, or of none.
function browserChoosers(form) {
  const input = document.createElement('input');
  input.type = 'file';
  input.accept = `${form.positionFileExtension},text/plain`;
  input.hidden = true;
  document.body.append(input);
  return {
    chooseFileToSave: (options) => window.showSaveFilePicker?.(options),
    download(bytes) {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([bytes], { type: 'text/plain' }));
      link.download = form.positionFileName;
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    },
    chooseFileToOpen(take) {
      input.value = '';
      input.onchange = () => take(input.files[0] ?? null);
      input.oncancel = () => take(null);
      input.click();
    },
  };
}

// Both start their chooser at once, inside the key press, so that it still
// counts as the player's doing.
export function makeFiles(form, choosers = browserChoosers(form)) {
  const { done, cancelled, failed } = form.outcomes;
  return {
    async keep(bytes) {
      const chosen = choosers.chooseFileToSave({
        suggestedName: form.positionFileName,
        types: [{ description: form.positionFileFilterName, accept: { 'text/plain': [form.positionFileExtension] } }],
      });
      if (!chosen) {
        choosers.download(bytes);
        return done;
      }
      let writer = null;
      try {
        writer = await (await chosen).createWritable();
        await writer.write(bytes);
        await writer.close();
        return done;
      } catch (error) {
        // The chosen file keeps what it held until the writer closes.
        writer?.abort().catch(() => {});
        return error.name === 'AbortError' ? cancelled : failed;
      }
    },

    // answer(outcome, bytes) for each choice the chooser tells of. A file
    // larger than the game reads is not read at all.
    read(answer) {
      choosers.chooseFileToOpen(async (file) => {
        if (!file)
          return answer(cancelled);
        if (file.size > form.positionFileLimit)
          return answer(failed);
        let bytes = null;
        try {
          bytes = new Uint8Array(await file.arrayBuffer());
        } catch {
          return answer(failed);
        }
        return answer(done, bytes);
      });
    },
  };
}
