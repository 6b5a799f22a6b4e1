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
        .filter((name) => name.toLowerCase().endsWith('.chs'))
        .sort((a, b) => a.localeCompare(b, undefined, {sensitivity: 'base'}));
    } catch (error) {
      return [];
    }
  }

  function refreshList() {
    const chosen = list.value;
    list.replaceChildren(...savedGameNames().map((name) => new Option(name.slice(0, -4), name)));
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
  // system takes and the Save dialog can type, cut to the dialog's 27 characters.
  function savedGameName(fileName) {
    const base = fileName.replace(/\.chs$/i, '').replace(/[^A-Za-z0-9_-]/g, '').slice(0, 27);
    return base ? base + '.chs' : null;
  }

  async function open() {
    const file = fileInput.files[0];
    fileInput.value = '';
    if (!file) return;
    const name = savedGameName(file.name);
    // A saved game is a few hundred bytes; anything far larger is not one.
    const refusal = !name ? 'its name has no letter or digit to keep' :
        file.size > 65536 ? 'it is far larger than a saved game' : null;
    if (refusal) {
      message('Open from disk', `"${file.name}" was not opened: ${refusal}.`);
      return;
    }
    const bytes = new Uint8Array(await file.arrayBuffer());
    const kept = await nameForGameFromDisk(name, bytes, file.name);
    if (!kept) return;
    if (!sameBytes(readSavedGame(kept), bytes)) {
      Module.FS.writeFile(savesDirectory + '/' + kept, bytes);
    }
    refreshList();
    list.value = kept;
  }

  function readSavedGame(name) {
    try {
      return Module.FS.readFile(savesDirectory + '/' + name);
    } catch (error) {
      return null;
    }
  }

  function sameBytes(a, b) {
    return a !== null && b !== null && a.length === b.length && a.every((byte, i) => byte === b[i]);
  }

  // A game from disk never replaces a saved game of its name without the player's word: the
  // same game needs nothing, another one is kept beside it or replaces it, as the player
  // chooses. Null when the player keeps neither.
  async function nameForGameFromDisk(name, bytes, fileName) {
    const existing = readSavedGame(name);
    if (existing === null || sameBytes(existing, bytes)) return name;
    const shown = name.slice(0, -4);
    const choice = await ask('Open from disk',
        `A saved game is already called "${shown}". Keep both, with "${fileName}" under a new ` +
        `name, or replace "${shown}" with it?`,
        [['keep', 'Keep both'], ['replace', 'Replace'], ['', 'Cancel']]);
    if (choice === 'replace') return name;
    return choice === 'keep' ? freeName(name) : null;
  }

  // The name with the lowest free number after it, cut to the dialog's 27 characters; no
  // saved game has it in any mix of capitals, so a copy on any disk stays apart too.
  function freeName(name) {
    const taken = new Set(savedGameNames().map((saved) => saved.toLowerCase()));
    const base = name.slice(0, -4);
    for (let number = 2; ; ++number) {
      const suffix = '-' + number;
      const candidate = base.slice(0, 27 - suffix.length) + suffix + '.chs';
      if (!taken.has(candidate.toLowerCase())) return candidate;
    }
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
    return ask(caption, text, [['', 'OK']]);
  }

  // A message with a button for each [value, label] of choices; resolves to the value of the
  // one pressed, or '' when the message was closed otherwise.
  function ask(caption, text, choices) {
    const dialog = document.getElementById('kestrion-message');
    const buttons = dialog.querySelector('form');
    lastMessage = lastMessage.catch(() => {}).then(() => new Promise((resolve) => {
      document.getElementById('message-caption').textContent = caption;
      document.getElementById('message-text').textContent = text;
      buttons.replaceChildren(...choices.map(([value, label]) => {
        const button = document.createElement('button');
        button.value = value;
        button.textContent = label;
        return button;
      }));
      dialog.returnValue = '';
      dialog.addEventListener('close', () => resolve(dialog.returnValue), {once: true});
      dialog.showModal();
    }));
    return lastMessage;
  }

  function ended() {
    if (window.Module && Module.savedGamesNotKept) {
      document.querySelector('#ended p').textContent =
          'Thank you for playing Kestrion. This browser could not keep your saved games: ' +
          'only those you downloaded remain.';
    }
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
  // A button pressed with the mouse gives the keyboard back to the game, so Enter or Space
  // meant for the game never presses it again.
  for (const button of document.querySelectorAll('#controls button')) {
    button.addEventListener('mouseup', giveKeysToGame);
  }
  screen.addEventListener('contextmenu', (event) => event.preventDefault());
  const messageDialog = document.getElementById('kestrion-message');
  listenForTheKeyboard();

  // Tab takes the focus from the picture to the bar below, whose controls (like any button
  // or list of the page) then keep their keys as a page's controls do, until the picture is
  // clicked or focused again. While a message is open its keys are its own: the game's
  // handler, further on, would take Enter, Escape and Space from its button and act on them
  // once it closed. Text fields of the page decide for themselves.
  function keysBelongToThePage() {
    const focused = document.activeElement;
    return messageDialog.open ||
        (focused !== null && focused.closest('#controls, button, select') !== null);
  }

  function movesTheFocus(event) {
    return event.key === 'Tab' && !event.altKey && !event.ctrlKey && !event.metaKey;
  }

  function giveKeysToGame() {
    screen.focus({preventScroll: true});
  }

  function listenForTheKeyboard() {
    screen.tabIndex = 0;
    window.addEventListener('keydown', (event) => {
      if (keysBelongToThePage() || movesTheFocus(event)) event.stopPropagation();
    }, true);
    // The game's own press handler keeps the browser from focusing the picture.
    screen.addEventListener('mousedown', giveKeysToGame);
    giveKeysToGame();
  }

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
