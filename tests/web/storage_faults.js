#!/usr/bin/env node
// The saved games of the browser page where players lose them or are not told: two tabs
// saving in turn, a file from disk named like a saved game, a browser without storage, a
// storage that cannot be read, storage cleared or deleted under the page, two copies of the
// page on one host, and the page bar used from the keyboard. Each group runs on an origin of
// its own, so no group sees another's games.
// Usage: storage_faults.js <site folder> [folder for the screenshots]
'use strict';

const fs = require('fs');
const path = require('path');
const {serveFolder} = require('./static_server');
const {
  sleep, fail, waitFor, launch, openGame, click, stored, notStored, saveInGame, listed, inFolder,
  savedBytes, messageText, messageOpen, closeMessage, openFromDisk, noProblems, testRun, finish,
} = require('./page_driver');

const {site, work, shots} = testRun('storage', 'storage');

// Two copies of the page on one host, at /one/ and /two/.
const hosted = path.join(work, 'hosted');
fs.mkdirSync(hosted);
fs.symlinkSync(site, path.join(hosted, 'one'));
fs.symlinkSync(site, path.join(hosted, 'two'));

function gameFile(name, whoseTurn) {
  const rows = ['RNBKQBNR', 'PPPPPPPP', '........', '........', '........', '........',
                'pppppppp', 'rnbkqbnr'];
  const text = ['Kestrion SaveGame file', 'Written by the Kestrion chess game', '',
                `WhoseTurn = ${whoseTurn}`, 'WhiteType = Human', 'BlackType = Computer',
                ...rows.map((row, i) => `BoardRow${i + 1} = ${row}`)].join('\r\n');
  const file = path.join(work, name);
  fs.writeFileSync(file, text);
  return {file, text};
}

const downloadEnabled = (page) => page.$eval('#download', (button) => !button.disabled);
const focusedId = (page) => page.evaluate(() => document.activeElement && document.activeElement.id);

// Two tabs save in turn; neither erases the other's games, and each lists them all.
async function twoTabs(browser, base) {
  const url = base + 'one/index.html';
  const first = await openGame(browser, url);
  const second = await openGame(browser, url);
  await saveInGame(first, 'alpha');
  await saveInGame(second, 'beta');
  await saveInGame(first, 'gamma');
  for (const [page, which] of [[second, 'second'], [first, 'first']]) {
    await page.bringToFront();
    await waitFor(`the ${which} tab lists ${await listed(page)}`,
                  async () => (await listed(page)).join() === 'alpha,beta,gamma', 5000);
    const folder = await inFolder(page);
    if (folder.join() !== 'alpha.chs,beta.chs,gamma.chs') fail(`the ${which} tab has ${folder}`);
  }
  await second.bringToFront();
  await click(second, 50, 160);
  await shots.take(second, 'two-tabs-load-dialog');
  await second.close();
  await first.reload({waitUntil: 'load'});
  await first.waitForFunction(() => window.kestrionPage.firstFrameMs !== null, {timeout: 20000});
  const kept = await inFolder(first);
  if (kept.join() !== 'alpha.chs,beta.chs,gamma.chs') fail(`after a reload the tab has ${kept}`);
  noProblems(first);
  return first;
}

// A file from disk named like a saved game replaces it only when the player says so.
async function sameNameFromDisk(page) {
  const alpha = await savedBytes(page, 'alpha.chs');
  const other = gameFile('alpha.chs', alpha.includes('WhoseTurn = White') ? 'Black' : 'White');
  await openFromDisk(page, other.file);
  const asked = await messageText(page);
  if (!asked.includes('already called "alpha"')) fail(`a game of the same name was met by "${asked}"`);
  await shots.take(page, 'same-name-asked');
  // Enter takes the first choice, which keeps both.
  await page.keyboard.press('Enter');
  await waitFor('the game from disk was not kept beside the saved one',
                async () => (await inFolder(page)).includes('alpha-2.chs'), 5000);
  if ((await savedBytes(page, 'alpha.chs')) !== alpha) fail('keeping both replaced the saved game');
  if ((await savedBytes(page, 'alpha-2.chs')) !== other.text) fail('the kept copy is not the file');

  // A name that cleans to the same one; the player replaces the saved game this time.
  const cleaned = path.join(work, 'al pha!.chs');
  fs.copyFileSync(other.file, cleaned);
  await openFromDisk(page, cleaned);
  await messageText(page);
  await page.click('#kestrion-message button[value="replace"]');
  await waitFor('Replace did not replace the saved game',
                async () => (await savedBytes(page, 'alpha.chs')) === other.text, 5000);

  // The same game once more asks nothing and adds nothing.
  await openFromDisk(page, other.file);
  await sleep(500);
  if (await messageOpen(page)) fail('the player was asked about a game that is already there');
  const folder = await inFolder(page);
  if (folder.join() !== 'alpha-2.chs,alpha.chs,beta.chs,gamma.chs') fail(`the folder has ${folder}`);
  noProblems(page);
}

// The bar works from the keyboard, and keys meant for it never reach the game.
async function keyboardBar(page) {
  await page.bringToFront();
  await click(page, 600, 470);
  await page.keyboard.press('Tab');
  if ((await focusedId(page)) !== 'fullscreen') fail(`Tab went to "${await focusedId(page)}"`);
  await page.keyboard.press('Tab');
  if ((await focusedId(page)) !== 'saved-games') fail(`a second Tab went to "${await focusedId(page)}"`);
  const names = await page.$$eval('#saved-games option', (options) => options.map((o) => o.value));
  const chosen = () => page.$eval('#saved-games', (list) => list.value);
  const from = names.indexOf(await chosen());
  await page.keyboard.press('ArrowDown');
  if ((await chosen()) !== names[from + 1]) fail(`ArrowDown chose ${await chosen()} after ${names[from]}`);
  await shots.take(page, 'keyboard-in-the-bar');
  // F12 ends the game when the game has the keys.
  await page.keyboard.press('F12');
  await sleep(400);
  if (await page.$('#ended:not([hidden])')) fail('a key pressed in the bar reached the game');
  await page.keyboard.press('Tab');
  if ((await focusedId(page)) !== 'download') fail(`a third Tab went to "${await focusedId(page)}"`);
  const downloads = path.join(work, 'downloads');
  fs.mkdirSync(downloads);
  const cdp = await page.createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: downloads});
  await page.keyboard.press('Enter');
  const downloaded = path.join(downloads, names[from + 1]);
  const wanted = await savedBytes(page, names[from + 1]);
  await waitFor('Enter on Download did not download the chosen game',
                () => fs.existsSync(downloaded) && fs.readFileSync(downloaded, 'utf8') === wanted, 5000);
  // A click on the picture gives the game its keys back.
  await click(page, 600, 470);
  await page.keyboard.press('F12');
  await page.waitForSelector('#ended:not([hidden])', {timeout: 5000});
  noProblems(page);
  await page.close();
}

// Without storage the game starts, says once that games are not kept, and the bar works.
async function withoutStorage(browser, url, name, disable, fully) {
  const page = await openGame(browser, url, (opening) => opening.evaluateOnNewDocument(disable));
  const told = await messageText(page);
  if (!told.includes('cannot be kept in this browser')) fail(`${name}: the player was told "${told}"`);
  await shots.take(page, name);
  await closeMessage(page);
  const fromDisk = gameFile('Kept here.chs', 'White');
  await openFromDisk(page, fromDisk.file);
  await waitFor(`${name}: the game from disk is not listed`,
                async () => (await listed(page)).includes('Kepthere'), 5000);
  if (!(await downloadEnabled(page))) fail(`${name}: Download stays disabled`);
  if (fully) {
    await saveInGame(page, 'memory', {stores: false});
    await waitFor(`${name}: the saved game is not listed`,
                  async () => (await listed(page)).includes('memory'), 3000);
    await sleep(300);
    if (await messageOpen(page)) fail(`${name}: the player was told a second time`);
    if ((await notStored(page)) < 2) fail(`${name}: the games were not counted as not stored`);
    // The end screen does not promise that the games stay in this browser.
    await click(page, 600, 470);
    await page.keyboard.press('F12');
    await page.waitForSelector('#ended:not([hidden])', {timeout: 5000});
    const farewell = await page.$eval('#ended p', (element) => element.textContent);
    if (!farewell.includes('could not keep')) fail(`${name}: the end screen says "${farewell}"`);
  }
  noProblems(page);
  await page.close();
}

// The storage is there but cannot be read: a game saved now is listed, ready to download.
async function unreadStorage(browser, url) {
  const page = await openGame(browser, url, (opening) => opening.evaluateOnNewDocument(() => {
    const original = IDBDatabase.prototype.transaction;
    let failed = false;
    IDBDatabase.prototype.transaction = function (...args) {
      if (failed) return original.apply(this, args);
      failed = true;
      throw new DOMException('busy', 'InvalidStateError');
    };
  }));
  await sleep(300);
  if (await messageOpen(page)) await closeMessage(page);
  await saveInGame(page, 'unread', {stores: false});
  await waitFor('a game saved after a failed read is not listed at once', async () =>
      (await listed(page)).includes('unread') && (await downloadEnabled(page)), 1000);
  if (await stored(page)) fail('a game was stored though the games kept could not be read');
  noProblems(page);
  await page.close();
}

// Storage cleared, or deleted by another page, while the page is open: later saves are
// stored again, with every game the page holds.
async function clearedUnderThePage(browser, base) {
  const url = base + 'one/index.html';
  const page = await openGame(browser, url);
  const storedNow = async (before) => {
    await waitFor('a game was not stored', async () => (await stored(page)) > before, 10000);
  };
  let count = await stored(page);
  await openFromDisk(page, gameFile('before.chs', 'White').file);
  await storedNow(count);
  const cdp = await page.createCDPSession();
  await cdp.send('Storage.clearDataForOrigin',
                 {origin: new URL(base).origin, storageTypes: 'indexeddb'});
  await sleep(300);
  count = await stored(page);
  await openFromDisk(page, gameFile('after.chs', 'Black').file);
  await storedNow(count);

  const other = await browser.newPage();
  await other.goto(base + 'one/page.css');
  const deleted = other.evaluate(async () => {
    for (const {name} of await indexedDB.databases()) {
      await new Promise((resolve, reject) => {
        const request = indexedDB.deleteDatabase(name);
        request.onsuccess = resolve;
        request.onerror = () => reject(request.error);
      });
    }
    return true;
  });
  await Promise.race([deleted, sleep(5000).then(() => fail('the page kept its storage from being deleted'))]);
  await other.close();
  count = await stored(page);
  await saveInGame(page, 'third');
  if (await notStored(page)) fail('a save was not stored after the storage was cleared');
  const fresh = await openGame(browser, url);
  const kept = await inFolder(fresh);
  if (kept.join() !== 'after.chs,before.chs,third.chs') fail(`the storage keeps ${kept}`);
  noProblems(page);
  noProblems(fresh);
  await page.close();
  await fresh.close();
}

// The store a page of the host used before each folder had its own, as it kept games.
async function makeSharedStore(page, text) {
  await page.evaluate(async (contents) => {
    const store = 'FILE_DATA';
    const db = await new Promise((resolve, reject) => {
      const request = indexedDB.open('/saves', 21);
      request.onupgradeneeded = () => {
        request.result.createObjectStore(store).createIndex('timestamp', 'timestamp', {unique: false});
      };
      request.onsuccess = () => resolve(request.result);
      request.onerror = () => reject(request.error);
    });
    const writing = db.transaction([store], 'readwrite');
    writing.objectStore(store).put({timestamp: new Date(), mode: 33206,
                                    contents: new TextEncoder().encode(contents)},
                                   '/saves/oldgame.chs');
    await new Promise((resolve) => { writing.oncomplete = resolve; });
    db.close();
  }, text);
}

const sharedStoreKeys = (page) => page.evaluate(() => new Promise((resolve, reject) => {
  const request = indexedDB.open('/saves');
  request.onsuccess = () => {
    const keys = request.result.transaction(['FILE_DATA']).objectStore('FILE_DATA').getAllKeys();
    keys.onsuccess = () => {
      request.result.close();
      resolve(keys.result);
    };
  };
  request.onerror = () => reject(request.error);
}));

// Two copies of the page on one host keep their games apart; both keep the games of the
// store they used to share.
async function copiesOnOneHost(browser, base) {
  const setup = await browser.newPage();
  await setup.goto(base + 'one/page.css');
  const old = gameFile('old.chs', 'Black');
  await makeSharedStore(setup, old.text);
  const one = await openGame(browser, base + 'one/index.html');
  if ((await inFolder(one)).join() !== 'oldgame.chs') fail(`/one/ has ${await inFolder(one)}`);
  if ((await savedBytes(one, 'oldgame.chs')) !== old.text) fail('the old game was not copied whole');
  await saveInGame(one, 'onlyone');
  const two = await openGame(browser, base + 'two/index.html');
  await sleep(300);
  if ((await inFolder(two)).join() !== 'oldgame.chs') fail(`/two/ has ${await inFolder(two)}`);
  const again = await openGame(browser, base + 'one/index.html');
  if ((await inFolder(again)).join() !== 'oldgame.chs,onlyone.chs') fail(`/one/ keeps ${await inFolder(again)}`);
  const keys = await sharedStoreKeys(setup);
  if (keys.join() !== '/saves/oldgame.chs') fail(`the shared store was changed: ${keys}`);
  for (const page of [one, two, again, setup]) {
    if (page !== setup) noProblems(page);
    await page.close();
  }
}

async function main() {
  if (!fs.existsSync(path.join(site, 'index.html'))) fail(`no page in ${site}`);
  const browser = await launch(path.join(work, 'profile'));
  const servers = [];
  const origin = async () => {
    const server = await serveFolder(hosted);
    servers.push(server);
    return server.url;
  };
  const groups = [];
  const run = async (name, body) => {
    const start = Date.now();
    await body();
    groups.push(`${name} ${((Date.now() - start) / 1000).toFixed(1)} s`);
  };
  try {
    let tab;
    await run('two tabs', async () => { tab = await twoTabs(browser, await origin()); });
    await run('same name from disk', () => sameNameFromDisk(tab));
    await run('keyboard bar', () => keyboardBar(tab));
    const url = (await origin()) + 'one/index.html';
    await run('no IndexedDB', () => withoutStorage(browser, url, 'no-indexeddb', () => {
      Object.defineProperty(window, 'indexedDB', {value: undefined, configurable: true});
    }, true));
    await run('IndexedDB refused', () => withoutStorage(browser, url, 'indexeddb-refused', () => {
      IDBFactory.prototype.open = () => {
        throw new DOMException('The user denied permission', 'SecurityError');
      };
    }, false));
    await run('unread storage', async () => unreadStorage(browser, (await origin()) + 'one/index.html'));
    await run('cleared under the page', async () => clearedUnderThePage(browser, await origin()));
    await run('copies on one host', async () => copiesOnOneHost(browser, await origin()));
  } finally {
    await browser.close();
    for (const server of servers) await server.close();
    console.log(groups.join(', '));
  }
}

finish(main, {work, shots, passed: 'saved games kept across tabs, copies, storage faults and the keyboard'});
