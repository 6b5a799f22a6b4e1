#!/usr/bin/env node
// Standard chess in the browser page, by mouse in headless Chromium: Standard rules and two
// humans from the Play dialog, castling on both wings, capture in passing, a knight from the
// promotion picker, a take-back with the Undo button, a save as PGN into the browser's
// storage and its download, a reload of the page (the Play dialog still shows the choices)
// and the game loaded back; a PGN written by another program (other tags, comments,
// variations, annotation glyphs) opened from disk and loaded, and a broken one refused with
// the line that is wrong and nothing touched; a draw by repetition in the status panel; then
// Master thinking while the pointer moves, with the intervals between painted frames
// measured (their 99th percentile is printed); last, the Play choices remembered across a
// reload, and a damaged record of them giving the defaults.
// Usage: standard_game.js <site folder> [folder for the screenshots]
'use strict';

const fs = require('fs');
const path = require('path');
const {serveFolder} = require('./static_server');
const {
  sleep, fail, waitFor, launch, openGame, reloadGame, picture, crop, difference, pagePoint, click,
  parkPointer, messageText, closeMessage, openFromDisk, savedBytes, inFolder, noProblems,
  testRun, finish,
} = require('./page_driver');

const {site, work, shots} = testRun('standard', 'standard');

// A square's centre from its Standard name: White's first rank is the bottom row.
const squareX = (name) => 120 + 50 * (name.charCodeAt(0) - 97) + 25;
const squareY = (name) => 40 + 50 * (8 - Number(name[1])) + 25;
const board = (rgb) => crop(rgb, 100, 20, 440, 440);
// The inside of the Play dialog, where only its own choices are drawn.
const playDialogInside = (rgb) => crop(rgb, 180, 140, 330, 200);
// The row of the Load dialog's list, from the top.
const loadRowY = (row) => 194 + 8 * row;

async function move(page, text) {
  await click(page, squareX(text.slice(0, 2)), squareY(text.slice(0, 2)));
  await click(page, squareX(text.slice(2, 4)), squareY(text.slice(2, 4)));
  await parkPointer(page);
}

async function playDialog(page) {
  await click(page, 50, 80);
  await parkPointer(page);
  return playDialogInside(await picture(page));
}

// Loads the game of that row of the Load dialog; a game that is refused leaves the page's
// message open, which the game waits on.
async function loadRow(page, row, {refused = false} = {}) {
  await click(page, 50, 160);
  await click(page, 300, loadRowY(row));
  await click(page, 307, 325);
  if (!refused) await parkPointer(page);
}

// The PGN another program might write for the same moves: its own tags (one the game does
// not know), a comment before the moves and after some, a variation, annotation glyphs.
function otherProgramsPgn(ownPgn) {
  const moves = ownPgn.split('\n').filter((line) => !line.startsWith('[')).join(' ')
                    .split(/\s+/).filter(Boolean);
  const annotated = ['{Played at the club}'];
  moves.forEach((token, i) => {
    annotated.push(token);
    if (i === 2) annotated.push('$1 (2. Nc3 {or this} Nf6 (2... e6)) $14');
    if (i % 5 === 4) annotated.push(`{note ${i}}`);
  });
  return ['[Event "Club night"]', '[Site "Elsewhere"]', '[Date "2025.03.04"]', '[Round "2"]',
          '[White "Someone"]', '[Black "Someone else"]', '[Result "*"]',
          '[Annotator "A reader"]', '', ...annotated.join(' ').match(/.{1,60}(\s|$)/g), '']
      .join('\n');
}

// The intervals between the page's painted frames over `ms` milliseconds while `during`
// runs: their 99th percentile and the longest.
async function frameIntervals(page, ms, during) {
  await page.evaluate((length) => {
    window.paintTimes = [];
    const end = performance.now() + length;
    const tick = (now) => {
      window.paintTimes.push(now);
      if (now < end) requestAnimationFrame(tick);
    };
    requestAnimationFrame(tick);
  }, ms);
  await during();
  await sleep(ms + 200);
  const times = await page.evaluate(() => window.paintTimes);
  const gaps = times.slice(1).map((t, i) => t - times[i]).sort((a, b) => a - b);
  return {p99: gaps[Math.floor(gaps.length * 0.99)], longest: gaps[gaps.length - 1],
          frames: gaps.length};
}

async function main() {
  if (!fs.existsSync(path.join(site, 'index.html'))) fail(`no page in ${site}`);
  const server = await serveFolder(site);
  const browser = await launch(path.join(work, 'profile'));
  try {
    const page = await openGame(browser, server.url);

    // Play dialog: its defaults, then Standard rules and Black a human too.
    const defaultChoices = await playDialog(page);
    await click(page, 400, 288);
    await click(page, 400, 253);
    await parkPointer(page);
    const standardChoices = playDialogInside(await picture(page));
    if (standardChoices.equals(defaultChoices)) fail('the Play dialog did not show the choices');
    await shots.take(page, 'play-standard');
    await click(page, 338, 322);
    await parkPointer(page);

    for (const m of ['e2e4', 'd7d5', 'e4d5', 'c7c5', 'd5c6', 'g8f6', 'c6b7', 'e7e6']) {
      await move(page, m);
    }
    // b7xc8: the picker; its fourth cell is the knight.
    await click(page, squareX('b7'), squareY('b7'));
    await click(page, squareX('c8'), squareY('c8'));
    await parkPointer(page);
    await shots.take(page, 'picker');
    await click(page, 395, 242);
    await parkPointer(page);
    for (const m of ['f8e7', 'b1c3', 'e8g8', 'd2d4', 'a7a6', 'c1f4', 'a6a5', 'd1e2', 'a5a4',
                     'e1c1']) {
      await move(page, m);
    }
    const castled = board(await picture(page));
    await shots.take(page, 'castled');
    await click(page, 50, 420);  // Undo
    await parkPointer(page);
    const undone = board(await picture(page));
    if (difference(undone, castled) < 0.005) fail('the take-back changed nothing');
    await move(page, 'e1c1');
    if (difference(board(await picture(page)), castled) > 0.01) fail('castling again differs');

    // Save as "webstd": a PGN in the browser's storage.
    await click(page, 50, 120);
    await page.keyboard.type('webstd', {delay: 30});
    const storedBefore = await page.evaluate(() => Module.savedGamesStored || 0);
    await click(page, 307, 325);
    await page.waitForFunction(() => Module.FS.readdir('/saves').includes('webstd.pgn'),
                               {timeout: 10000});
    const pgn = await savedBytes(page, 'webstd.pgn');
    for (const san of ['3. dxc6', '5. bxc8=N', '10. O-O-O']) {
      if (!pgn.includes(san)) fail(`the saved PGN lacks ${san}:\n${pgn}`);
    }
    await page.waitForFunction((before) => (Module.savedGamesStored || 0) > before,
                               {timeout: 10000}, storedBefore);

    // The page's bar downloads it: the very bytes the game wrote.
    const downloads = path.join(work, 'downloads');
    fs.mkdirSync(downloads);
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: downloads});
    await page.select('#saved-games', 'webstd.pgn');
    await page.click('#download');
    const downloaded = path.join(downloads, 'webstd.pgn');
    const written = Buffer.from(await page.evaluate(
        () => Array.from(Module.FS.readFile('/saves/webstd.pgn'))));
    await waitFor('the PGN was not downloaded as the game wrote it', () =>
        fs.existsSync(downloaded) && fs.readFileSync(downloaded).equals(written), 10000);

    // A reloaded page: the Play dialog offers the last game's choices, and the saved game is
    // listed and loads back.
    await reloadGame(page);
    if (!(await playDialog(page)).equals(standardChoices)) {
      fail('after a reload the Play dialog does not show the choices of the last game');
    }
    await click(page, 418, 322);  // Cancel
    await loadRow(page, 0);
    await shots.take(page, 'loaded');
    if (difference(board(await picture(page)), castled) > 0.01) {
      fail('the loaded game does not show the saved position');
    }

    // Another program's PGN of the same game, opened from disk, loads to the same position
    // with the same moves: saved again, it writes the same move text.
    const other = path.join(work, 'Club night.pgn');
    fs.writeFileSync(other, otherProgramsPgn(pgn));
    await openFromDisk(page, other);
    await waitFor('the PGN from disk did not arrive',
                  async () => (await inFolder(page, 'pgn')).includes('Clubnight.pgn'), 10000);
    // A PGN whose fourth line holds a move that cannot be played.
    const broken = path.join(work, 'broken.pgn');
    fs.writeFileSync(broken, '[Event "Broken"]\n[Result "*"]\n\n1. e4 e5 2. Qxf7 *\n');
    await openFromDisk(page, broken);
    await waitFor('the broken PGN from disk did not arrive',
                  async () => (await inFolder(page, 'pgn')).includes('broken.pgn'), 10000);
    // The list: broken.pgn, Clubnight.pgn, webstd.pgn.
    await loadRow(page, 1);
    await shots.take(page, 'loaded-other-program');
    if (difference(board(await picture(page)), castled) > 0.01) {
      fail('the other program\'s PGN does not show its position');
    }
    await click(page, 50, 120);
    await page.keyboard.type('again', {delay: 30});
    await click(page, 307, 325);
    await waitFor('the loaded PGN was not saved again',
                  async () => (await inFolder(page, 'pgn')).includes('again.pgn'), 10000);
    const moveText = (text) => text.split('\n').filter((line) => !line.startsWith('[')).join(' ')
                                   .trim();
    const again = await savedBytes(page, 'again.pgn');
    if (moveText(again) !== moveText(pgn)) {
      fail(`the other program's game holds other moves:\n${again}\ninstead of\n${pgn}`);
    }

    // The broken one is refused, saying which line is wrong; the board and the saved games
    // stay as they were.
    await parkPointer(page);
    const before = board(await picture(page));
    const folderBefore = await inFolder(page, 'pgn');
    // Now again.pgn, broken.pgn, Clubnight.pgn, webstd.pgn.
    await loadRow(page, 1, {refused: true});
    const refusal = await messageText(page);
    await shots.take(page, 'broken-pgn');
    if (!/line 4/.test(refusal)) fail(`the broken PGN was refused with "${refusal}"`);
    await closeMessage(page);
    await parkPointer(page);
    if (!board(await picture(page)).equals(before)) fail('the refused PGN changed the board');
    if ((await inFolder(page, 'pgn')).join() !== folderBefore.join() ||
        (await savedBytes(page, 'webstd.pgn')) !== pgn) {
      fail('the refused PGN changed the saved games');
    }

    // Repetition: knights out and back twice.
    await click(page, 50, 80);
    await click(page, 338, 322);
    await parkPointer(page);
    for (const m of ['g1f3', 'g8f6', 'f3g1', 'f6g8', 'g1f3', 'g8f6', 'f3g1', 'f6g8']) {
      await move(page, m);
    }
    await shots.take(page, 'repetition');
    const positionPanel = crop(await picture(page), 540, 120, 99, 39);
    const turnEmpty = crop(await picture(page), 540, 200, 99, 39);
    if (difference(positionPanel, turnEmpty) < 0.05) fail('no draw picture in the status panel');

    // Master: Black played by the computer at the top level; the pointer keeps moving.
    await click(page, 50, 80);
    await click(page, 400, 253);
    for (let i = 0; i < 4; ++i) await click(page, 486, 253);
    await parkPointer(page);
    const masterChoices = playDialogInside(await picture(page));
    await click(page, 338, 322);
    await move(page, 'e2e4');
    const figures = await frameIntervals(page, 3000, async () => {
      for (let i = 0; i < 30; ++i) {
        const at = await pagePoint(page, 150 + (i * 37) % 340, 80 + (i * 53) % 340);
        await page.mouse.move(at.x, at.y);
        await sleep(60);
      }
    });
    await shots.take(page, 'master-thinking');
    console.log(`frames while Master thinks: ${figures.frames}, 99th percentile interval ` +
                `${figures.p99.toFixed(1)} ms, longest ${figures.longest.toFixed(1)} ms`);

    // The level is remembered too; a damaged record of the choices means the defaults.
    await reloadGame(page);
    if (!(await playDialog(page)).equals(masterChoices)) {
      fail('after a reload the Play dialog does not show Master');
    }
    await page.evaluate(() => new Promise((resolve, reject) => {
      const folder = location.pathname.replace(/[^/]*$/, '');
      const opening = indexedDB.open('kestrion saved games ' + folder);
      opening.onerror = () => reject(opening.error);
      opening.onsuccess = () => {
        const writing = opening.result.transaction(['notes'], 'readwrite');
        writing.objectStore('notes').put('white=computer\nblack=nobody\n', 'play choices');
        writing.oncomplete = () => {
          opening.result.close();
          resolve();
        };
        writing.onerror = () => reject(writing.error);
      };
    }));
    await reloadGame(page);
    if (!(await playDialog(page)).equals(defaultChoices)) {
      fail('a damaged record of the Play choices did not give the defaults');
    }
    noProblems(page);
  } finally {
    await browser.close();
    await server.close();
  }
}

finish(main, {
  work, shots,
  passed: 'a Standard game, PGN saved, downloaded, opened from disk and loaded, repetition, ' +
          'Master and the Play choices remembered in the browser',
});
