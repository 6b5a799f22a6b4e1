// The browser's storage of saved games (IndexedDB): one record a game, keyed by its file
// name, in a database of this page's own folder, so two copies of the page on one host keep
// their games apart. Every write puts or removes named games only: nothing here makes the
// storage equal to one page's copy, so pages open side by side never erase each other's
// games. Each game stored is announced to the other pages of this browser.
var kestrionGameStore = (function () {
  var gamesStore = 'games';
  var notesStore = 'notes';
  var copyNote = 'copy the shared games';
  var databaseVersion = 1;
  var folder = location.pathname.replace(/[^/]*$/, '');
  var databaseName = 'kestrion saved games ' + folder;
  // Before each folder had a database of its own, every page of a host kept its games in this
  // one, as the file system's records of "/saves/<name>".
  var sharedName = '/saves';
  var sharedStore = 'FILE_DATA';
  var sharedKey = /^\/saves\/([^/]+\.chs)$/i;

  var database = null;
  var opening = null;
  // Counts the times the storage was closed under the page (cleared, or deleted by another
  // page): what it held may be gone, so the next store writes every game the page has.
  var losses = 0;
  var channel = typeof BroadcastChannel === 'function' ? new BroadcastChannel(databaseName) : null;

  function answer(request) {
    return new Promise(function (resolve, reject) {
      request.onsuccess = function () {
        resolve(request.result);
      };
      request.onerror = function (event) {
        event.preventDefault();
        reject(request.error);
      };
    });
  }

  function finished(transaction) {
    return new Promise(function (resolve, reject) {
      transaction.oncomplete = function () {
        resolve();
      };
      transaction.onabort = function () {
        reject(transaction.error || new Error('the storage gave the change up'));
      };
    });
  }

  function unavailable(error) {
    error.storageUnavailable = true;
    return error;
  }

  function factory() {
    var found = null;
    try {
      found = self.indexedDB;
    } catch (error) {
      throw unavailable(error);
    }
    if (!found) throw unavailable(new Error('this browser has no IndexedDB'));
    return found;
  }

  // A database created now starts with a note that the shared games are still to be copied.
  function openDatabase() {
    return new Promise(function (resolve, reject) {
      var request;
      try {
        request = factory().open(databaseName, databaseVersion);
      } catch (error) {
        reject(unavailable(error));
        return;
      }
      request.onupgradeneeded = function (event) {
        if (event.oldVersion !== 0) return;
        var made = request.result;
        made.createObjectStore(gamesStore);
        made.createObjectStore(notesStore).put(true, copyNote);
      };
      request.onsuccess = function () {
        resolve(request.result);
      };
      request.onerror = function (event) {
        event.preventDefault();
        reject(unavailable(request.error || new Error('the storage could not be opened')));
      };
    });
  }

  function watch(opened) {
    function closedUnderThePage() {
      if (database !== opened) return;
      database = null;
      losses += 1;
    }
    opened.onclose = closedUnderThePage;
    // Another page deletes or upgrades the database: let it, and open it again when needed.
    opened.onversionchange = function () {
      opened.close();
      closedUnderThePage();
    };
  }

  function connection() {
    if (database) return Promise.resolve(database);
    if (!opening) {
      opening = openDatabase().then(
          function (opened) {
            opening = null;
            database = opened;
            watch(opened);
            return opened;
          },
          function (error) {
            opening = null;
            throw error;
          });
    }
    return opening;
  }

  // A transaction on the open database. A store made while the connection was closed under
  // the page, before its close event came, opens it again and tries once more.
  function transaction(names, mode, openAgain) {
    return connection().then(function (opened) {
      try {
        return opened.transaction(names, mode);
      } catch (error) {
        if (error.name !== 'InvalidStateError' || database !== opened) throw error;
        database = null;
        losses += 1;
        if (!openAgain) throw error;
        return connection().then(function (again) {
          return again.transaction(names, mode);
        });
      }
    });
  }

  // The games the shared database holds, or none when there is no such database (opening it
  // then must not create it).
  function readShared() {
    return new Promise(function (resolve) {
      var request;
      try {
        request = factory().open(sharedName);
      } catch (error) {
        resolve([]);
        return;
      }
      request.onupgradeneeded = function () {
        request.transaction.abort();
      };
      request.onerror = function (event) {
        event.preventDefault();
        resolve([]);
      };
      request.onsuccess = function () {
        var shared = request.result;
        var games = [];
        try {
          if (!shared.objectStoreNames.contains(sharedStore)) throw new Error('no files');
          var reading = shared.transaction([sharedStore], 'readonly');
          reading.objectStore(sharedStore).openCursor().onsuccess = function (event) {
            var cursor = event.target.result;
            if (!cursor) return;
            var match = sharedKey.exec(String(cursor.key));
            var record = cursor.value;
            if (match && record && record.contents) {
              var saved = record.timestamp instanceof Date ? record.timestamp.getTime() : 0;
              games.push({name: match[1], contents: new Uint8Array(record.contents), saved: saved});
            }
            cursor.continue();
          };
          finished(reading).then(
              function () {
                shared.close();
                resolve(games);
              },
              function () {
                shared.close();
                resolve([]);
              });
        } catch (error) {
          shared.close();
          resolve([]);
        }
      };
    });
  }

  function laterWins(kept, game) {
    return kept.saved <= game.saved;
  }

  // Writes each game unless replaces(kept, game) refuses the one the storage holds (by
  // default a later one); resolves to the games kept instead.
  function putGames(games, replaces) {
    var replacing = replaces || laterWins;
    return transaction([gamesStore], 'readwrite', true).then(function (writing) {
      var store = writing.objectStore(gamesStore);
      var keptInstead = [];
      var refusal = null;
      games.forEach(function (game) {
        store.get(game.name).onsuccess = function (event) {
          var kept = event.target.result;
          if (kept && !replacing(kept, game)) {
            keptInstead.push(kept);
            return;
          }
          try {
            store.put(game, game.name);
          } catch (error) {
            refusal = refusal || error;
            writing.abort();
          }
        };
      });
      return finished(writing).then(
          function () {
            return keptInstead;
          },
          function (error) {
            throw refusal || error;
          });
    });
  }

  function neverReplace() {
    return false;
  }

  // Copies the games of the shared database into this folder's, once: every copy of the page
  // that kept its games there saw them all, so each folder gets them all, beside any game of
  // the same name saved here. The shared database is only read, never changed, so a copy
  // that fails is tried again at the next start. Resolves to whether games were copied.
  function copySharedOnce() {
    return transaction([notesStore], 'readonly')
        .then(function (reading) {
          return answer(reading.objectStore(notesStore).get(copyNote));
        })
        .then(function (toCopy) {
          if (!toCopy) return false;
          var copied = false;
          return readShared()
              .then(function (games) {
                copied = games.length > 0;
                return putGames(games, neverReplace);
              })
              .then(function () {
                return transaction([notesStore], 'readwrite');
              })
              .then(function (writing) {
                writing.objectStore(notesStore).put(false, copyNote);
                return finished(writing);
              })
              .then(function () {
                return copied;
              });
        })
        .catch(function (error) {
          console.warn('Kestrion: the games of the shared storage were not copied', error);
          return false;
        });
  }

  function readAll() {
    return transaction([gamesStore], 'readonly').then(function (reading) {
      return answer(reading.objectStore(gamesStore).getAll());
    });
  }

  return {
    // The page's games at its start: resolves to every game stored; rejects when the
    // storage cannot be read, with error.storageUnavailable when this browser keeps none.
    start: function () {
      return readAll().then(function (games) {
        return copySharedOnce().then(function (copied) {
          return copied ? readAll() : games;
        });
      });
    },
    readAll: readAll,
    read: function (name) {
      return transaction([gamesStore], 'readonly').then(function (reading) {
        return answer(reading.objectStore(gamesStore).get(name));
      });
    },
    losses: function () {
      return losses;
    },
    // The page's other remembered things, one value a name, beside the games.
    readNote: function (name) {
      return transaction([notesStore], 'readonly').then(function (reading) {
        return answer(reading.objectStore(notesStore).get(name));
      });
    },
    putNote: function (name, value) {
      return transaction([notesStore], 'readwrite', true).then(function (writing) {
        writing.objectStore(notesStore).put(value, name);
        return finished(writing);
      });
    },
    putGames: putGames,
    remove: function (name) {
      return transaction([gamesStore], 'readwrite').then(function (writing) {
        writing.objectStore(gamesStore).delete(name);
        return finished(writing);
      });
    },
    // Tells the other pages of this browser that these games were stored.
    announce: function (games) {
      if (!channel) return;
      channel.postMessage(games.map(function (game) {
        return {name: game.name, saved: game.saved};
      }));
    },
    // listener(games) hears the games another page stored, as [{name, saved}].
    listen: function (listener) {
      if (!channel) return;
      channel.onmessage = function (event) {
        if (Array.isArray(event.data)) listener(event.data);
      };
    },
  };
})();
