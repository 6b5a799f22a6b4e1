// Saved games are files in the game's current directory, /saves, held in memory while the
// page is open and kept in the browser's storage (game_store.js). They are read from it
// before the game starts; after that each game saved, opened from disk or removed there is
// stored or removed on its own, and games stored by another page of this browser join the
// folder as they arrive, so pages open side by side each list them all.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  FS.mkdir('/saves');
  FS.chdir('/saves');
  addRunDependency('kestrion-saved-games');
  kestrionSavedGamesRead = new Promise(function (resolve) {
    kestrionReadSavedGames(function () {
      removeRunDependency('kestrion-saved-games');
      resolve();
    });
  });
  // A save writes a new file and renames it over the old one; an upload writes one.
  kestrionAfter('writeFile', function (path) {
    kestrionSavedGameChanged(kestrionSavedGameName(path));
  });
  kestrionAfter('rename', function (from, to) {
    kestrionSavedGameRemoved(kestrionSavedGameName(from));
    kestrionSavedGameChanged(kestrionSavedGameName(to));
  });
  kestrionAfter('unlink', function (path) {
    kestrionSavedGameRemoved(kestrionSavedGameName(path));
  });
  kestrionGameStore.listen(kestrionStoredElsewhere);
  document.addEventListener('visibilitychange', function () {
    if (document.visibilityState === 'visible') kestrionCatchUp();
  });
});

// Settles when the start's read of the saved games has ended, one way or the other: the
// storage's other reads come after it.
var kestrionSavedGamesRead = Promise.resolve();
// 'reading' until the start's read ends, then 'ready', 'unreadable' (the storage is there but
// could not be read: a store could replace games the player never saw) or 'unavailable'.
var kestrionStorage = 'reading';
// Each game's version in the folder, as the time it was saved, to tell a later one.
var kestrionVersions = {};
// Games that changed while the start's read was going on, stored after it.
var kestrionWaiting = [];
// True while the page itself writes games it took from the storage.
var kestrionApplying = false;
// The storage's losses (see kestrionStore) that a store of every game has made good.
var kestrionLossesMended = 0;
// A read the storage never answers must not keep the game from starting.
var kestrionReadWaitMs = 10000;

function kestrionAfter(name, then) {
  var original = FS[name];
  FS[name] = function () {
    var result = original.apply(FS, arguments);
    if (!kestrionApplying) then.apply(null, arguments);
    return result;
  };
}

// The name of a saved game in the folder at path, or null for any other file.
function kestrionSavedGameName(path) {
  if (typeof path !== 'string') return null;
  var absolute = path.charAt(0) === '/' ? path : FS.cwd() + '/' + path;
  var match = /^\/saves\/([^/]+\.(?:chs|pgn))$/i.exec(PATH.normalize(absolute));
  return match ? match[1] : null;
}

function kestrionChanged() {
  if (Module['onSavedGamesChanged']) Module['onSavedGamesChanged']();
}

function kestrionFolderGame(name) {
  try {
    return {name: name, contents: FS.readFile('/saves/' + name), saved: kestrionVersions[name]};
  } catch (error) {
    return null;
  }
}

// Puts games taken from the storage into the folder, where they are later than its own.
function kestrionApply(games) {
  var applied = false;
  games.forEach(function (game) {
    if (!game || !game.name || !game.contents) return;
    if ((kestrionVersions[game.name] || 0) >= game.saved) return;
    kestrionApplying = true;
    try {
      FS.writeFile('/saves/' + game.name, new Uint8Array(game.contents));
      kestrionVersions[game.name] = game.saved;
      applied = true;
    } catch (error) {
      console.warn('Kestrion: a stored game could not be put in the folder', error);
    } finally {
      kestrionApplying = false;
    }
  });
  if (applied) kestrionChanged();
}

function kestrionReadSavedGames(done) {
  var ended = false;
  function end(games, error) {
    if (ended) return;
    ended = true;
    clearTimeout(watchdog);
    if (error) {
      kestrionStorage = error.storageUnavailable ? 'unavailable' : 'unreadable';
      Module['savedGamesNotKept'] = kestrionStorage === 'unavailable';
      console.warn('Kestrion: the saved games could not be read', error);
      kestrionTell(kestrionStorage === 'unavailable' ? kestrionNoStorageText : kestrionUnreadText);
    } else {
      kestrionStorage = 'ready';
      kestrionApply(games);
    }
    done();
    kestrionChanged();
    var waiting = kestrionWaiting;
    kestrionWaiting = [];
    if (waiting.length > 0) kestrionStore(waiting);
  }
  var watchdog = setTimeout(function () {
    end(null, new Error('the storage did not answer'));
  }, kestrionReadWaitMs);
  kestrionGameStore.start().then(
      function (games) {
        end(games, null);
      },
      function (error) {
        end(null, error);
      });
}

function kestrionSavedGameChanged(name) {
  if (!name) return;
  // A version later than any the folder had, whatever the clock did.
  kestrionVersions[name] = Math.max(Date.now(), (kestrionVersions[name] || 0) + 1);
  // The list shows the game at once, whether or not the storage keeps it.
  kestrionChanged();
  kestrionStore([name]);
}

// Only the game the player removed leaves the storage.
function kestrionSavedGameRemoved(name) {
  if (!name) return;
  delete kestrionVersions[name];
  kestrionChanged();
  if (kestrionStorage !== 'ready') return;
  kestrionGameStore.remove(name).catch(function (error) {
    console.warn('Kestrion: a removed game stays in the storage', error);
  });
}

// Games the player saved are stored or, where that cannot be, the player is told.
function kestrionStore(names) {
  if (kestrionStorage === 'reading') {
    kestrionWaiting = kestrionWaiting.concat(names);
    return;
  }
  if (kestrionStorage !== 'ready') {
    kestrionNotStored(kestrionStorage === 'unavailable' ? kestrionNoStorageText :
                                                          kestrionUnreadText);
    return;
  }
  // Storage closed under the page may have lost every game: the page stores all it has,
  // until one such store succeeds.
  var losses = kestrionGameStore.losses();
  var everything = losses > kestrionLossesMended;
  var wanted = everything ? Object.keys(kestrionVersions) : names;
  var games = wanted.map(kestrionFolderGame).filter(Boolean);
  kestrionGameStore.putGames(games).then(
      function (keptInstead) {
        if (everything) kestrionLossesMended = Math.max(kestrionLossesMended, losses);
        Module['savedGamesStored'] = (Module['savedGamesStored'] || 0) + 1;
        kestrionGameStore.announce(games);
        kestrionApply(keptInstead);
      },
      function (error) {
        console.warn('Kestrion: the saved games could not be stored', error);
        kestrionNotStored(kestrionStoreFailedText);
      });
}

// Another page stored games: the later versions join the folder.
function kestrionStoredElsewhere(games) {
  if (kestrionStorage !== 'ready') return;
  games.forEach(function (game) {
    if ((kestrionVersions[game.name] || 0) >= game.saved) return;
    kestrionGameStore.read(game.name).then(
        function (stored) {
          if (stored) kestrionApply([stored]);
        },
        function (error) {
          console.warn('Kestrion: a game stored by another page could not be read', error);
        });
  });
}

// A page coming back into view takes whatever it was not told of.
function kestrionCatchUp() {
  if (kestrionStorage !== 'ready') return;
  kestrionGameStore.readAll().then(kestrionApply, function (error) {
    console.warn('Kestrion: the saved games could not be read again', error);
  });
}

var kestrionNoStorageText =
    'Saved games cannot be kept in this browser: its storage is switched off or missing, so ' +
    'a game saved here is gone when the page closes. Download keeps a game on disk, and ' +
    'Open from disk brings it back.';
var kestrionUnreadText =
    'The saved games kept in this browser could not be read, so games saved now are not ' +
    'stored, and the ones kept there stay as they were. Download keeps a game on disk.';
var kestrionStoreFailedText =
    'This browser did not store the saved games: a game saved now is gone when the page ' +
    'closes. Download keeps a game on disk.';

// The game believes its save succeeded, so the player is told by the page, once per page.
var kestrionToldNotStored = false;
function kestrionTell(text) {
  if (kestrionToldNotStored || !Module['onSavedGamesNotStored']) return;
  kestrionToldNotStored = true;
  Module['onSavedGamesNotStored'](text);
}

function kestrionNotStored(text) {
  Module['savedGamesNotStored'] = (Module['savedGamesNotStored'] || 0) + 1;
  kestrionTell(text);
}
