// The built-in sheets go to the browser's image decoder as soon as the program is in memory,
// while the saved games are still being read from the browser's storage, and not after:
// the first frame waits for both.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  Module['_kestrion_begin_sheet_decoding']();
});
