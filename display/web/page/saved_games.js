// Saved games live in the browser's persistent storage (IndexedDB): the game's current
// directory is loaded from it before the game starts and stored back after every change.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  FS.mkdir('/saves');
  FS.mount(IDBFS, {}, '/saves');
  FS.chdir('/saves');
  addRunDependency('kestrion-saved-games');
  kestrionLoading = true;
  FS.syncfs(true, function (error) {
    kestrionLoading = false;
    if (error) {
      console.warn('Kestrion: the saved games could not be read', error);
      kestrionReadFailed = true;
    }
    removeRunDependency('kestrion-saved-games');
    if (Module['onSavedGamesChanged']) Module['onSavedGamesChanged']();
  });
  // A save writes a new file and renames it over the old one; an upload writes one. Loading
  // writes each file too, and a store begun then would see only the files loaded so far
  // and delete the others from the storage.
  ['rename', 'unlink', 'writeFile'].forEach(function (name) {
    var original = FS[name];
    FS[name] = function () {
      var result = original.apply(FS, arguments);
      if (!kestrionLoading) kestrionStoreSavedGames();
      return result;
    };
  });
});

var kestrionLoading = false;
var kestrionReadFailed = false;
var kestrionStoring = false;
var kestrionStoreAgain = false;
// A store of a few small files takes milliseconds. The file system drops some storage errors
// and never answers after an aborted transaction, so a store unanswered this long counts as
// failed: the player is told, and the next save is stored afresh.
var kestrionStoreWaitMs = 10000;
function kestrionStoreSavedGames() {
  // A store makes the storage hold what the folder holds, so after a failed read it would
  // delete every saved game that was not read.
  if (kestrionReadFailed) {
    kestrionNotStored(
        'The saved games kept in this browser could not be read, so games saved now are not ' +
        'stored, and the ones kept there stay as they were. Download keeps a game on disk.');
    return;
  }
  if (kestrionStoring) {
    kestrionStoreAgain = true;
    return;
  }
  kestrionStoring = true;
  var answered = false;
  var watchdog = setTimeout(function () {
    finish(new Error('the storage did not answer'));
  }, kestrionStoreWaitMs);
  function finish(error) {
    if (answered) return;
    answered = true;
    clearTimeout(watchdog);
    kestrionStoring = false;
    if (error) {
      console.warn('Kestrion: the saved games could not be stored', error);
      kestrionNotStored(
          'This browser did not store the saved games: a game saved now is gone when the ' +
          'page closes. Download keeps a game on disk.');
    } else {
      Module['savedGamesStored'] = (Module['savedGamesStored'] || 0) + 1;
    }
    if (Module['onSavedGamesChanged']) Module['onSavedGamesChanged']();
    if (kestrionStoreAgain) {
      kestrionStoreAgain = false;
      kestrionStoreSavedGames();
    }
  }
  FS.syncfs(false, finish);
}

// The game believes its save succeeded, so the player is told by the page, once per page.
var kestrionToldNotStored = false;
function kestrionNotStored(text) {
  Module['savedGamesNotStored'] = (Module['savedGamesNotStored'] || 0) + 1;
  if (kestrionToldNotStored || !Module['onSavedGamesNotStored']) return;
  kestrionToldNotStored = true;
  Module['onSavedGamesNotStored'](text);
}
