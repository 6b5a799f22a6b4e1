#!/usr/bin/env node
// Plays the browser page as a player would, in headless Chromium: watches the computer play
// itself, starts White human against Black computer from the Play dialog, moves e7e5 with
// two clicks, waits for the reply, saves as "webgame", reloads the page, loads "webgame"
// back and finds the position on the screen, then quits with F12 and sees the end screen.
// Pages whose storage fails then tell the player so and delete no saved game.
// Usage: play_save_load.js <site folder> [folder for the screenshots]
// Without a screenshot folder they are kept only when the test fails.
'use strict';

const fs = require('fs');
const path = require('path');
const {serveFolder} = require('./static_server');
const {
  sleep, fail, waitFor, launch, openPage, reloadGame, picture, crop, difference, alike, turnPanel,
  squareTop, pagePoint, click, parkPointer, testRun, finish,
} = require('./page_driver');

const {site, work, shots} = testRun('e2e', 'browser');
const shot = (page, name) => shots.take(page, name);

// What the screen must show of the background sheet (a 24-bit Windows bitmap) at (x, y):
// its colour put into the display's 5-6-5 pixels and shown again with 8 bits a channel.
function backgroundSheet(file) {
  const bytes = fs.readFileSync(file);
  const offset = bytes.readUInt32LE(10);
  const width = bytes.readInt32LE(18);
  const height = bytes.readInt32LE(22);
  if (bytes.readUInt16LE(28) !== 24 || bytes.readUInt32LE(30) !== 0) fail(`${file} is not 24-bit`);
  const pitch = Math.ceil((width * 3) / 4) * 4;
  return (x, y) => {
    const at = offset + (height - 1 - y) * pitch + x * 3;
    const five = (v) => Math.floor(((v >> 3) * 255) / 31);
    const six = (v) => Math.floor(((v >> 2) * 255) / 63);
    return [five(bytes[at + 2]), six(bytes[at + 1]), five(bytes[at])];
  };
}

// The parts of the screen that show only the background: the emblem beside the board and
// the strip below it. Any difference means the page decoded or converted the sheet otherwise
// than the desktop does.
function checkBackground(rgb) {
  const expected = backgroundSheet(path.join(__dirname, '../../resources/back.bmp'));
  let wrong = 0;
  let first = '';
  for (const [left, top, right, bottom] of [[0, 200, 100, 330], [0, 462, 560, 480]]) {
    for (let y = top; y < bottom; ++y) {
      for (let x = left; x < right; ++x) {
        const want = expected(x, y);
        const at = (y * 640 + x) * 3;
        const got = [rgb[at], rgb[at + 1], rgb[at + 2]];
        if (got.every((value, i) => value === want[i])) continue;
        if (wrong++ === 0) first = `at ${x},${y}: ${got} instead of ${want}`;
      }
    }
  }
  if (wrong > 0) fail(`${wrong} background pixels differ from the sheet, first ${first}`);
}

const board = (rgb) => crop(rgb, 120, 20, 400, 420);

// Every write to the browser's storage, as "put <key>" or "delete <key>", kept per page.
function recordStorageWrites() {
  window.storageWrites = [];
  for (const kind of ['put', 'delete']) {
    const original = IDBObjectStore.prototype[kind];
    IDBObjectStore.prototype[kind] = function (...args) {
      window.storageWrites.push(`${kind} ${kind === 'put' ? args[1] : args[0]}`);
      return original.apply(this, args);
    };
  }
}

// A page whose storage fails in one way (breakStorage runs before the page's own scripts)
// gets a game from disk: the player is told that it was not stored, and the storage is
// left as it was.
async function storageFails(browser, url, upload, name, breakStorage, told) {
  const page = await browser.newPage();
  const problems = [];
  page.on('pageerror', (error) => problems.push(error.message));
  await page.evaluateOnNewDocument(recordStorageWrites);
  await page.evaluateOnNewDocument(breakStorage);
  await openPage(page, url);
  await sleep(300);
  await (await page.$('#open-file')).uploadFile(upload);
  await page.waitForSelector('#kestrion-message[open]', {timeout: 20000});
  await shot(page, name);
  const text = await page.$eval('#message-text', (element) => element.textContent);
  if (!text.includes(told)) fail(`the player was told "${text}" instead of "${told}"`);
  if (await page.evaluate(() => Module.savedGamesStored)) fail('a failed store was counted');
  const writes = await page.evaluate(() => window.storageWrites);
  if (writes.some((write) => write.startsWith('delete'))) {
    fail(`saved games were deleted: ${writes}`);
  }
  if (problems.length > 0) fail(`the page reported errors: ${problems.join('; ')}`);
  await page.close();
}

async function main() {
  if (!fs.existsSync(path.join(site, 'index.html'))) fail(`no page in ${site}`);
  const server = await serveFolder(site);
  const browser = await launch(path.join(work, 'profile'));
  try {
    const page = await browser.newPage();
    const problems = [];
    page.on('pageerror', (error) => problems.push(error.message));
    page.on('console', (message) => {
      if (message.type() === 'error') problems.push(message.text());
    });
    await page.evaluateOnNewDocument(recordStorageWrites);
    await page.setViewport({width: 800, height: 634});
    const firstFrameMs = await openPage(page, server.url);
    console.log(`first frame ${Math.round(firstFrameMs)} ms after the page was asked for`);

    // The computer plays itself from the start, over the background sheet's own pixels.
    const first = await picture(page);
    checkBackground(first);
    const start = board(first);
    await waitFor('the computer does not play itself',
                  async () => !board(await picture(page)).equals(start), 20000);
    await shot(page, 'selfplay');

    // Alt+Enter switches the page to full screen and back.
    const fullscreen = () => page.evaluate(() => document.fullscreenElement !== null);
    const altEnter = async () => {
      await page.keyboard.down('Alt');
      await page.keyboard.press('Enter');
      await page.keyboard.up('Alt');
    };
    await altEnter();
    await waitFor('Alt+Enter did not switch to full screen', fullscreen, 5000);
    await shot(page, 'fullscreen');
    await altEnter();
    await waitFor('Alt+Enter did not leave full screen', async () => !(await fullscreen()), 5000);

    // Play dialog: White human, Black computer (its starting choice), Play.
    await click(page, 50, 80);
    await shot(page, 'dialog-play');
    await click(page, 338, 322);
    await parkPointer(page);
    const opening = await picture(page);
    const whiteTurn = turnPanel(opening);
    const pawnAtStart = squareTop(opening, 4, 6);
    const emptyAtStart = squareTop(opening, 4, 4);
    if (difference(pawnAtStart, emptyAtStart) < 0.05) fail('no pawn on e7 at the start');

    // e7e5: column 4, rows 6 and 4; the first click selects the pawn.
    await click(page, 345, 365);
    await shot(page, 'selection');
    await click(page, 345, 265);
    let sawBlacksTurn = false;
    await waitFor('the computer did not reply', async () => {
      const now = turnPanel(await picture(page));
      if (!now.equals(whiteTurn)) sawBlacksTurn = true;
      return sawBlacksTurn && now.equals(whiteTurn);
    }, 20000);
    await parkPointer(page);
    await shot(page, 'reply');
    const replied = await picture(page);
    if (!alike(squareTop(replied, 4, 4), pawnAtStart)) fail('no white pawn on e5 after the move');

    // White to move and the pointer still: nothing on the screen changes, so the game asks
    // the browser for no frames until something does, and the pointer wakes it at once.
    const paints = () => page.evaluate(() => Module.kestrionFlips || 0);
    await sleep(300);
    const stillFrom = await paints();
    await sleep(1000);
    const stillTo = await paints();
    if (stillTo - stillFrom > 1) fail(`${stillTo - stillFrom} frames while the board stood still`);
    const nudge = await pagePoint(page, 590, 465);
    await page.mouse.move(nudge.x, nudge.y);
    await waitFor('the pointer did not wake the still game', async () => (await paints()) > stillTo,
                  3000);
    await parkPointer(page);

    // Save as "webgame"; the file is then in the browser's storage.
    await click(page, 50, 120);
    await page.keyboard.type('webgame', {delay: 80});
    await sleep(200);
    await shot(page, 'dialog-save');
    const stored = await page.evaluate(() => Module.savedGamesStored || 0);
    await click(page, 307, 325);
    await waitFor('the saved game was not stored',
                  () => page.evaluate((before) => (Module.savedGamesStored || 0) > before, stored),
                  10000);
    const saved = await page.evaluate(
        () => Module.FS.readFile('/saves/webgame.chs', {encoding: 'utf8'}));
    const lines = saved.replace(/\r/g, '').split('\n');
    for (const line of ['BoardRow5 = ....P...', 'BoardRow7 = PPPP.PPP', 'WhoseTurn = White',
                        'BlackType = Computer']) {
      if (!lines.includes(line)) fail(`the saved game lacks "${line}":\n${saved}`);
    }

    // The page's bar downloads the saved game as a .chs file.
    const downloads = path.join(work, 'downloads');
    fs.mkdirSync(downloads);
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: downloads});
    await page.evaluate(() => document.getElementById('saved-games').focus());
    await page.select('#saved-games', 'webgame.chs');
    await page.click('#download');
    const downloaded = path.join(downloads, 'webgame.chs');
    await waitFor('the saved game was not downloaded', () => fs.existsSync(downloaded), 10000);
    await waitFor('the download is not the saved game',
                  () => fs.readFileSync(downloaded, 'utf8') === saved, 5000);

    // A reload starts afresh, with the computer playing itself; the saved games are read
    // back from the browser's storage.
    await reloadGame(page);
    await sleep(500);
    // Reading them back changes nothing there: a write now could only be a store of the
    // games read so far, which deletes the rest until a later store puts them back.
    const writesOnLoad = await page.evaluate(() => window.storageWrites);
    if (writesOnLoad.length > 0) {
      fail(`loading the saved games wrote to the storage: ${writesOnLoad}`);
    }

    // A game opened from disk joins them: "fromdisk" comes first in the Load dialog's list.
    const fromDisk = path.join(work, 'From disk.chs');
    fs.copyFileSync(downloaded, fromDisk);
    await (await page.$('#open-file')).uploadFile(fromDisk);
    await waitFor('the game from disk did not arrive', () => page.evaluate(() =>
        Module.FS.readdir('/saves').includes('Fromdisk.chs')), 10000);

    // A file whose name keeps nothing is refused, and the player is told why.
    const nameless = path.join(work, '***.chs');
    fs.copyFileSync(downloaded, nameless);
    await (await page.$('#open-file')).uploadFile(nameless);
    await page.waitForSelector('#kestrion-message[open]', {timeout: 5000});
    await shot(page, 'refused');
    const refusal = await page.$eval('#message-text', (element) => element.textContent);
    if (!refusal.includes('"***.chs" was not opened')) fail(`a refused file was told as "${refusal}"`);
    await page.keyboard.press('Enter');
    await waitFor('the refusal did not close', () => page.evaluate(() =>
        !document.getElementById('kestrion-message').open), 3000);

    const names = await page.evaluate(() => [...document.querySelectorAll('#saved-games option')]
                                                .map((option) => option.textContent));
    if (names.join() !== 'Fromdisk,webgame') fail(`the page lists the saved games as ${names}`);

    // Hidden behind another tab, the game is inactive: its loop waits for messages and
    // shows no frames until the page is in front again.
    const flips = () => page.evaluate(() => Module.kestrionFlips || 0);
    const other = await browser.newPage();
    await other.bringToFront();
    await sleep(300);
    const hiddenFrom = await flips();
    await sleep(1000);
    const hiddenTo = await flips();
    if (hiddenTo - hiddenFrom > 1) fail(`${hiddenTo - hiddenFrom} frames while the page was hidden`);
    await other.close();
    await page.bringToFront();
    await waitFor('the game did not wake up in front again', async () => (await flips()) > hiddenTo + 5,
                  5000);

    // A page message has the keyboard while it is open: F12 does not end the game behind
    // it, and Enter closes it.
    const messageClosed = page.evaluate(() => window.kestrionPage.message('Kestrion', 'A message'));
    await page.waitForSelector('#kestrion-message[open]', {timeout: 5000});
    await shot(page, 'message');
    await page.keyboard.press('F12');
    await page.keyboard.press('Enter');
    const messageStuck = sleep(3000).then(() => fail('Enter did not close the message'));
    await Promise.race([messageClosed, messageStuck]);
    await sleep(300);
    if (await page.$('#ended:not([hidden])')) fail('a key pressed in the message reached the game');

    await click(page, 50, 160);
    await shot(page, 'dialog-load');
    // The first name of the list is the game from disk, a copy of the saved one.
    await click(page, 300, 194);
    await click(page, 307, 325);
    await parkPointer(page);
    await shot(page, 'loaded');
    const loaded = await picture(page);
    if (!alike(squareTop(loaded, 4, 4), pawnAtStart)) fail('no white pawn on e5 after loading');
    if (!alike(squareTop(loaded, 4, 6), emptyAtStart)) fail('e7 is not empty after loading');
    if (!turnPanel(loaded).equals(whiteTurn)) fail('the loaded game is not at White\'s turn');

    // The Quit dialog, then F12 ends the game from any screen.
    await click(page, 50, 40);
    await shot(page, 'dialog-quit');
    await page.keyboard.press('F12');
    await page.waitForSelector('#ended:not([hidden])', {timeout: 10000});
    await shot(page, 'ended');
    if (problems.length > 0) fail(`the page reported errors: ${problems.join('; ')}`);
    await page.close();

    // The storage refuses to keep anything.
    const another = path.join(work, 'Another game.chs');
    fs.copyFileSync(downloaded, another);
    await storageFails(browser, server.url, another, 'not-stored', () => {
      IDBObjectStore.prototype.put = () => {
        throw new DOMException('no room', 'QuotaExceededError');
      };
    }, 'did not store');
    // Reading the saved games back fails once, and later writes would succeed: storing the
    // folder without them would delete every game kept there.
    await storageFails(browser, server.url, another, 'not-read', () => {
      const original = IDBDatabase.prototype.transaction;
      let failed = false;
      IDBDatabase.prototype.transaction = function (...args) {
        if (failed) return original.apply(this, args);
        failed = true;
        throw new DOMException('busy', 'InvalidStateError');
      };
    }, 'could not be read');
    // The storage never answers a store: its transaction is aborted, which the file system
    // does not report. Only stores made after the game has started are broken.
    await storageFails(browser, server.url, another, 'not-answered', () => {
      const original = IDBDatabase.prototype.transaction;
      IDBDatabase.prototype.transaction = function (...args) {
        const transaction = original.apply(this, args);
        if (args[1] === 'readwrite' && window.Module && Module.calledRun) {
          setTimeout(() => transaction.abort(), 0);
        }
        return transaction;
      };
    }, 'did not store');
    // Both games are still kept.
    const last = await browser.newPage();
    await openPage(last, server.url);
    const kept = await last.evaluate(
        () => Module.FS.readdir('/saves').filter((name) => name.endsWith('.chs')));
    if (kept.join() !== 'Fromdisk.chs,webgame.chs') fail(`the storage keeps ${kept}`);
  } finally {
    await browser.close();
    await server.close();
  }
}

finish(main, {work, shots, passed: 'played, saved, reloaded, loaded and quit in the browser'});
