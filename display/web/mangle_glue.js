// Shortens the page's JavaScript (emscripten's glue, kestrion.js, and the page's own
// scripts): local names renamed, expressions compacted, comments and spaces dropped.
// Emscripten leaves that to a closure compiler that Debian's emscripten does not carry;
// Debian's terser (node-terser) does it, leaving every global name, and so everything the
// page and the tests reach by name, as it was.
// Usage: NODE_PATH=/usr/share/nodejs node mangle_glue.js <file.js> [<written.js>]
// (in place without a second file)
'use strict';

const fs = require('fs');
const {minify} = require('terser');

const file = process.argv[2];
const written = process.argv[3] || file;
minify(fs.readFileSync(file, 'utf8'), {compress: true, mangle: true}).then((result) => {
  fs.writeFileSync(written, result.code);
}, (error) => {
  console.error(`mangle_glue: ${file}: ${error.message}`);
  process.exit(1);
});
