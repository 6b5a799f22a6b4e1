// The Play dialog's choices, remembered in the browser's storage beside the saved games (the
// desktop keeps the same text in play.conf): read before the game starts, written whenever a
// game starts with new ones. A record that is missing, damaged or unreadable means the
// game's defaults, and a storage that answers too late is not waited for. Read after the
// saved games (saved_games.js), which stay the storage's first read.
var kestrionPlayMemory = '';
var kestrionPlayNote = 'play choices';
var kestrionPlayReadWaitMs = 10000;

Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  addRunDependency('kestrion-play-choices');
  var ended = false;
  function end(text) {
    if (ended) return;
    ended = true;
    clearTimeout(watchdog);
    kestrionPlayMemory = typeof text === 'string' ? text : '';
    removeRunDependency('kestrion-play-choices');
  }
  var watchdog = setTimeout(end, kestrionPlayReadWaitMs);
  kestrionSavedGamesRead
      .then(function () {
        return kestrionGameStore.readNote(kestrionPlayNote);
      })
      .then(end, function (error) {
        console.warn('Kestrion: the remembered Play choices could not be read', error);
        end('');
      });
});

function kestrionKeepPlay(text) {
  kestrionPlayMemory = text;
  kestrionGameStore.putNote(kestrionPlayNote, text).catch(function (error) {
    console.warn('Kestrion: the Play choices could not be kept', error);
  });
}
