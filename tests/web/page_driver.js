// Drives the game's page in headless Chromium as a player would: clicks on the picture's
// pixels, typing, the bar below it, and the page's message; reads back the game's picture;
// and runs a test to its closing line.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function fail(text) {
  throw new Error(text);
}

async function waitFor(what, test, timeoutMs, everyMs = 50) {
  const end = Date.now() + timeoutMs;
  while (Date.now() < end) {
    if (await test()) return;
    await sleep(everyMs);
  }
  fail(what);
}

function launch(profile) {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
}

// A folder of the test's own for its browser profile, files and screenshots.
const workFolder = (name) => fs.mkdtempSync(path.join(os.tmpdir(), `kestrion-web-${name}-`));

const firstFrameShown = (page) => page.waitForFunction(
    () => window.kestrionPage && window.kestrionPage.firstFrameMs !== null, {timeout: 20000});

// Goes to url and waits for the game's first frame; resolves to its time in milliseconds
// after the page was asked for.
async function openPage(page, url) {
  await page.goto(url, {waitUntil: 'load'});
  await firstFrameShown(page);
  return page.evaluate(() => window.kestrionPage.firstFrameMs);
}

async function reloadGame(page) {
  await page.reload({waitUntil: 'load'});
  await firstFrameShown(page);
}

// A new page of the browser at url once the game shows its first frame. Errors the page
// reports are collected in page.problems; prepare(page) runs before the page loads.
async function openGame(browser, url, prepare) {
  const page = await browser.newPage();
  page.problems = [];
  page.on('pageerror', (error) => page.problems.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error') page.problems.push(message.text());
  });
  await page.setViewport({width: 800, height: 634});
  if (prepare) await prepare(page);
  await openPage(page, url);
  return page;
}

// The game's picture as the canvas holds it: 640x480 RGB bytes, exactly as drawn.
async function picture(page) {
  const bytes = await page.evaluate(() => {
    const canvas = document.getElementById('kestrion-screen');
    const data = canvas.getContext('2d').getImageData(0, 0, 640, 480).data;
    let text = '';
    for (let i = 0; i < data.length; i += 4) {
      text += String.fromCharCode(data[i], data[i + 1], data[i + 2]);
    }
    return btoa(text);
  });
  return Buffer.from(bytes, 'base64');
}

// A rectangle of game pixels, for comparing.
function crop(rgb, x, y, width, height) {
  const out = Buffer.alloc(width * height * 3);
  for (let row = 0; row < height; ++row) {
    rgb.copy(out, row * width * 3, ((y + row) * 640 + x) * 3, ((y + row) * 640 + x + width) * 3);
  }
  return out;
}

// Normalised root-mean-square difference of two equally sized crops, 0 to 1. The board's
// squares are textured, so the same piece on two squares of one colour differs a little.
function difference(a, b) {
  let sum = 0;
  for (let i = 0; i < a.length; ++i) sum += (a[i] - b[i]) ** 2;
  return Math.sqrt(sum / a.length) / 255;
}
const alike = (a, b) => difference(a, b) < 0.02;
const turnPanel = (rgb) => crop(rgb, 540, 40, 99, 39);
// The top ten rows of a square (column and row from the top left): only the piece standing
// on it reaches there.
const squareTop = (rgb, column, row) => crop(rgb, 120 + 50 * column + 5, 40 + 50 * row, 40, 10);

// The page position at the centre of a game pixel.
async function pagePoint(page, x, y) {
  const box = await page.evaluate(() => {
    const r = document.getElementById('kestrion-screen').getBoundingClientRect();
    return {left: r.left, top: r.top, width: r.width, height: r.height};
  });
  return {x: box.left + ((x + 0.5) * box.width) / 640, y: box.top + ((y + 0.5) * box.height) / 480};
}

// Passes of the game's frame loop so far: each ends in a painted frame or in a wait for
// something to change. A pass that opened a page message waits on the player instead, and
// one that ended the game ends the count: both count as one more.
const passes = (page) => page.evaluate(() =>
  (Module.kestrionFlips || 0) + (Module.kestrionStillWaits || 0) +
  (document.getElementById('kestrion-message').open ? 1 : 0) +
  (document.getElementById('ended').hidden ? 0 : 1));

// Does `action` and waits until the game's loop has run a pass after it: the loop reads the
// mouse button's state once a pass, so a press and its release must fall in different ones.
// A pass under way when the action came may end first, so the wait lasts two frames at
// least.
async function thenAPass(page, action) {
  const before = await passes(page);
  await action();
  await sleep(35);
  await waitFor('the game\'s loop did not run', async () => (await passes(page)) > before, 10000, 10);
}

// A press, then the release, each seen by the game, as a player's click.
async function click(page, x, y) {
  const at = await pagePoint(page, x, y);
  await page.mouse.move(at.x, at.y);
  await sleep(35);
  await thenAPass(page, () => page.mouse.down());
  await thenAPass(page, () => page.mouse.up());
}

// The game's pointer to a corner where it covers nothing compared (two spots in turn, so
// every call is a move the game sees).
let parkedLeft = false;
async function movePointerAway(page) {
  parkedLeft = !parkedLeft;
  const at = await pagePoint(page, parkedLeft ? 600 : 601, 465);
  await page.mouse.move(at.x, at.y);
}

// Waits until the game waits for something to change: a glide has landed, a computer has
// moved, and the picture is drawn. The game wakes at once to whatever was done just before.
async function comeToRest(page) {
  await sleep(35);
  await waitFor('the game did not come to rest',
                () => page.evaluate(() => typeof Module.kestrionWake === 'function'), 15000, 10);
}

// The pointer away, and the game at rest.
async function parkPointer(page) {
  await movePointerAway(page);
  await comeToRest(page);
}

const stored = (page) => page.evaluate(() => Module.savedGamesStored || 0);
const notStored = (page) => page.evaluate(() => Module.savedGamesNotStored || 0);

// Saves the game under name from the game's own Save dialog; with stores, waits until the
// browser's storage has it.
async function saveInGame(page, name, {stores = true} = {}) {
  await page.bringToFront();
  const before = await stored(page);
  await click(page, 50, 120);
  // The name field may hold an earlier name.
  for (let i = 0; i < 12; ++i) await page.keyboard.press('Backspace');
  await page.keyboard.type(name, {delay: 30});
  await click(page, 307, 325);
  if (stores) {
    await waitFor(`"${name}" was not stored`, async () => (await stored(page)) > before, 10000);
  }
}

// The names the page's Saved games list shows, and the games in the game's folder.
const listed = (page) => page.evaluate(
    () => [...document.querySelectorAll('#saved-games option')].map((option) => option.textContent));
const inFolder = (page, extension = 'chs') => page.evaluate(
    (ending) => Module.FS.readdir('/saves').filter((name) => name.endsWith(ending)).sort(),
    '.' + extension);
const savedBytes = (page, name) => page.evaluate(
    (file) => Module.FS.readFile('/saves/' + file, {encoding: 'utf8'}), name);

async function messageText(page) {
  await page.waitForSelector('#kestrion-message[open]', {timeout: 10000});
  return page.$eval('#message-text', (element) => element.textContent);
}

const messageOpen = (page) => page.evaluate(() => document.getElementById('kestrion-message').open);

async function closeMessage(page) {
  await page.keyboard.press('Enter');
  await waitFor('the message did not close', async () => !(await messageOpen(page)), 3000);
}

// Opens a file from disk through the bar's file field.
async function openFromDisk(page, file) {
  await (await page.$('#open-file')).uploadFile(file);
}

// Screenshots kept for a reader, in folder when one was given, else only when a test fails;
// their names start with prefix.
function screenshots(work, folder, prefix = 'storage') {
  const taken = [];
  return {
    async take(page, name) {
      const file = path.join(work, `${prefix}-${name}.png`);
      await page.screenshot({path: file});
      taken.push(file);
    },
    keep() {
      if (!folder) return;
      fs.mkdirSync(folder, {recursive: true});
      for (const file of taken) fs.copyFileSync(file, path.join(folder, path.basename(file)));
    },
  };
}

// What a test's command line names (the page's folder, and a folder to keep the screenshots
// in), with a work folder of the test's own; the screenshots' names start with prefix.
function testRun(name, prefix) {
  const work = workFolder(name);
  const kept = process.argv[3] ? path.resolve(process.argv[3]) : null;
  return {site: path.resolve(process.argv[2] || ''), work, shots: screenshots(work, kept, prefix)};
}

function noProblems(page) {
  if (page.problems.length > 0) fail(`the page reported errors: ${page.problems.join('; ')}`);
}

// Runs a test's main and ends the process as the test command reads it: the screenshots
// kept, the work folder removed and "1 passed" when it passes; the screenshots left in the
// work folder and "1 failed" when it fails. Folders named in `large` go either way.
function finish(main, {work, shots, passed, large = ['profile']}) {
  main().then(
      () => {
        shots.keep();
        fs.rmSync(work, {recursive: true, force: true});
        console.log(`passed: ${passed}`);
        console.log('1 passed, 0 failed');
      },
      (error) => {
        console.error(`FAILED: ${error.message}`);
        for (const folder of large) fs.rmSync(path.join(work, folder), {recursive: true, force: true});
        console.error(`screenshots kept in ${work}`);
        console.log('0 passed, 1 failed');
        process.exit(1);
      });
}

module.exports = {
  sleep, fail, waitFor, workFolder, launch, openPage, reloadGame, openGame, picture, crop,
  difference, alike, turnPanel, squareTop, pagePoint, thenAPass, click, movePointerAway,
  comeToRest, parkPointer,
  stored, notStored, saveInGame, listed, inFolder, savedBytes, messageText, messageOpen,
  closeMessage, openFromDisk, screenshots, testRun, noProblems, finish,
};
