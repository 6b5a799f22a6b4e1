// The page around the game: full screen, the saved games' download and upload, page
// dialogs for the game's messages, and the end screen. The game itself is kestrion.js.
'use strict';

(function () {
  const screen = document.getElementById('kestrion-screen');
  const list = document.getElementById('saved-games');
  const fileInput = document.getElementById('open-file');
  const savesDirectory = '/saves';

  function savedGameNames() {
    if (!window.Module || !Module.FS) return [];
    try {
      return Module.FS.readdir(savesDirectory)
        .filter((name) => /\.(chs|pgn)$/i.test(name))
        .sort((a, b) => a.localeCompare(b, undefined, {sensitivity: 'base'}));
    } catch (error) {
      return [];
    }
  }

  function refreshList() {
    const chosen = list.value;
    // The game's own files by their names, as the Load dialog shows them; PGN files with
    // their extension.
    const label = (name) => (/\.chs$/i.test(name) ? name.slice(0, -4) : name);
    list.replaceChildren(...savedGameNames().map((name) => new Option(label(name), name)));
    if ([...list.options].some((option) => option.value === chosen)) list.value = chosen;
    document.getElementById('download').disabled = list.options.length === 0;
  }

  function download() {
    const name = list.value;
    if (!name) return;
    const bytes = Module.FS.readFile(savesDirectory + '/' + name);
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([bytes], {type: 'text/plain'}));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  }

  // A file from disk keeps the letters, digits, '-' and '_' of its name, which any file
  // system takes and the Save dialog can type, cut to the dialog's 27 characters; a PGN
  // file stays one, anything else is taken as the game's own kind.
  function savedGameName(fileName) {
    const pgn = /\.pgn$/i.test(fileName);
    const base = fileName.replace(/\.(chs|pgn)$/i, '').replace(/[^A-Za-z0-9_-]/g, '').slice(0, 27);
    return base ? base + (pgn ? '.pgn' : '.chs') : null;
  }

  async function open() {
    const file = fileInput.files[0];
    fileInput.value = '';
    if (!file) return;
    const name = savedGameName(file.name);
    // A saved game is a few hundred bytes and a PGN game a few kilobytes; anything far
    // larger is not one (the game reads PGN files of up to 1 MiB).
    const limit = name && name.endsWith('.pgn') ? 1048576 : 65536;
    const refusal = !name ? 'its name has no letter or digit to keep' :
        file.size > limit ? 'it is far larger than a saved game' : null;
    if (refusal) {
      message('Open from disk', `"${file.name}" was not opened: ${refusal}.`);
      return;
    }
    Module.FS.writeFile(savesDirectory + '/' + name, new Uint8Array(await file.arrayBuffer()));
    refreshList();
  }

  function toggleFullscreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(() => {});
    } else {
      document.documentElement.requestFullscreen().catch(() => {});
    }
  }

  // Both the game and the page's storage tell the player things, so a message waits until
  // the one before it is closed.
  let lastMessage = Promise.resolve();
  function message(caption, text) {
    const dialog = document.getElementById('kestrion-message');
    lastMessage = lastMessage.catch(() => {}).then(() => new Promise((resolve) => {
      document.getElementById('message-caption').textContent = caption;
      document.getElementById('message-text').textContent = text;
      dialog.addEventListener('close', () => resolve(), {once: true});
      dialog.showModal();
    }));
    return lastMessage;
  }

  function ended() {
    document.getElementById('stage').hidden = true;
    document.getElementById('ended').hidden = false;
    document.getElementById('again').focus();
  }

  document.getElementById('fullscreen').addEventListener('click', toggleFullscreen);
  document.getElementById('download').addEventListener('click', download);
  document.getElementById('open').addEventListener('click', () => fileInput.click());
  document.getElementById('again').addEventListener('click', () => location.reload());
  fileInput.addEventListener('change', open);
  list.addEventListener('focus', refreshList);
  // Page buttons keep no keyboard focus, so Enter or Space meant for the game never
  // presses them again.
  for (const button of document.querySelectorAll('#controls button')) {
    button.addEventListener('mouseup', () => button.blur());
  }
  screen.addEventListener('contextmenu', (event) => event.preventDefault());
  // While a message is open its keys are its own: the game's handler, further on, would
  // take Enter, Escape and Space from its button and act on them once it closed.
  const messageDialog = document.getElementById('kestrion-message');
  window.addEventListener('keydown', (event) => {
    if (messageDialog.open) event.stopPropagation();
  }, true);

  window.kestrionPage = {
    toggleFullscreen,
    message,
    ended,
    firstFrameMs: null,
    firstFrame(ms) {
      this.firstFrameMs = ms;
    },
  };

  window.Module = {
    onSavedGamesChanged: refreshList,
    onSavedGamesNotStored: (text) => message('Saved games', text),
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
  };
})();
