#!/usr/bin/env node
// Standard chess in the browser page, by mouse in headless Chromium: Standard rules and two
// humans from the Play dialog, castling on both wings, capture in passing, a knight from the
// promotion picker, a take-back with the Undo button, a save as PGN into the browser's
// storage, a reload of the page and the game loaded back; a draw by repetition in the status
// panel; then Master thinking while the pointer moves, with the intervals between painted
// frames measured (their 99th percentile is printed).
// Usage: standard_game.js <site folder> [folder for the screenshots]
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');
const {serveFolder} = require('./static_server');

const site = path.resolve(process.argv[2] || '');
const screensWanted = process.argv[3] ? path.resolve(process.argv[3]) : null;
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'kestrion-web-standard-'));
const shots = [];

function fail(text) {
  throw new Error(text);
}
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

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

function crop(rgb, x, y, width, height) {
  const out = Buffer.alloc(width * height * 3);
  for (let row = 0; row < height; ++row) {
    rgb.copy(out, row * width * 3, ((y + row) * 640 + x) * 3, ((y + row) * 640 + x + width) * 3);
  }
  return out;
}

function difference(a, b) {
  let sum = 0;
  for (let i = 0; i < a.length; ++i) sum += (a[i] - b[i]) ** 2;
  return Math.sqrt(sum / a.length) / 255;
}

async function pagePoint(page, x, y) {
  const box = await page.evaluate(() => {
    const r = document.getElementById('kestrion-screen').getBoundingClientRect();
    return {left: r.left, top: r.top, width: r.width, height: r.height};
  });
  return {x: box.left + ((x + 0.5) * box.width) / 640, y: box.top + ((y + 0.5) * box.height) / 480};
}

async function click(page, x, y) {
  const at = await pagePoint(page, x, y);
  await page.mouse.move(at.x, at.y);
  await sleep(80);
  await page.mouse.down();
  await sleep(120);
  await page.mouse.up();
  await sleep(200);
}

async function parkPointer(page) {
  const at = await pagePoint(page, 600, 465);
  await page.mouse.move(at.x, at.y);
  await sleep(300);
}

async function shot(page, name) {
  const file = path.join(work, `browser-${name}.png`);
  await page.screenshot({path: file});
  shots.push(file);
}

async function openPage(page, url) {
  await page.goto(url, {waitUntil: 'load'});
  await page.waitForFunction(() => window.kestrionPage && window.kestrionPage.firstFrameMs !== null,
                             {timeout: 20000});
}

// A square's centre from its Standard name: White's first rank is the bottom row.
const squareX = (name) => 120 + 50 * (name.charCodeAt(0) - 97) + 25;
const squareY = (name) => 40 + 50 * (8 - Number(name[1])) + 25;
const board = (rgb) => crop(rgb, 100, 20, 440, 440);

// Waits until the board has stood still for a while: a glide has landed (presses during a
// glide are not taken).
async function settle(page) {
  await parkPointer(page);
  let last = board(await picture(page));
  let still = 0;
  for (let i = 0; i < 60 && still < 3; ++i) {
    await sleep(120);
    const now = board(await picture(page));
    still = now.equals(last) ? still + 1 : 0;
    last = now;
  }
}

async function move(page, text) {
  await click(page, squareX(text.slice(0, 2)), squareY(text.slice(0, 2)));
  await click(page, squareX(text.slice(2, 4)), squareY(text.slice(2, 4)));
  await settle(page);
}

// The 99th percentile and the longest of the intervals between the page's painted frames
// over `ms` milliseconds, while `during` runs.
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
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    userDataDir: path.join(work, 'profile'),
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  try {
    let page = await browser.newPage();
    const problems = [];
    page.on('pageerror', (error) => problems.push(error.message));
    await page.setViewport({width: 800, height: 634});
    await openPage(page, server.url);

    // Play dialog: Standard rules, Black a human too.
    await click(page, 50, 80);
    await click(page, 400, 288);
    await click(page, 400, 253);
    await shot(page, 'play-standard');
    await click(page, 338, 322);

    for (const m of ['e2e4', 'd7d5', 'e4d5', 'c7c5', 'd5c6', 'g8f6', 'c6b7', 'e7e6']) {
      await move(page, m);
    }
    // b7xc8: the picker; its fourth cell is the knight.
    await click(page, squareX('b7'), squareY('b7'));
    await click(page, squareX('c8'), squareY('c8'));
    await parkPointer(page);
    await shot(page, 'picker');
    await click(page, 395, 242);
    await sleep(800);
    for (const m of ['f8e7', 'b1c3', 'e8g8', 'd2d4', 'a7a6', 'c1f4', 'a6a5', 'd1e2', 'a5a4',
                     'e1c1']) {
      await move(page, m);
    }
    await parkPointer(page);
    const castled = board(await picture(page));
    await shot(page, 'castled');
    await click(page, 50, 420);  // Undo
    await parkPointer(page);
    const undone = board(await picture(page));
    if (difference(undone, castled) < 0.005) fail('the take-back changed nothing');
    await move(page, 'e1c1');
    await parkPointer(page);
    if (difference(board(await picture(page)), castled) > 0.01) fail('castling again differs');

    // Save as "webstd": a PGN in the browser's storage.
    await click(page, 50, 120);
    await page.keyboard.type('webstd', {delay: 80});
    await sleep(300);
    await click(page, 307, 325);
    await page.waitForFunction(() => Module.FS.readdir('/saves').includes('webstd.pgn'),
                               {timeout: 10000});
    const pgn = await page.evaluate(() => Module.FS.readFile('/saves/webstd.pgn', {encoding: 'utf8'}));
    for (const san of ['3. dxc6', '5. bxc8=N', '10. O-O-O']) {
      if (!pgn.includes(san)) fail(`the saved PGN lacks ${san}:\n${pgn}`);
    }
    await page.waitForFunction(() => (Module.savedGamesStored || 0) >= 1, {timeout: 10000});
    await sleep(1000);

    // A reloaded page: the saved game is listed and loads back.
    await page.close();
    page = await browser.newPage();
    page.on('pageerror', (error) => problems.push(error.message));
    await page.setViewport({width: 800, height: 634});
    await openPage(page, server.url);
    await sleep(500);
    await click(page, 50, 160);
    await click(page, 300, 194);
    await click(page, 307, 325);
    await parkPointer(page);
    await shot(page, 'loaded');
    const loaded = board(await picture(page));
    if (difference(loaded, castled) > 0.01) fail('the loaded game does not show the saved position');

    // Repetition: knights out and back twice.
    await click(page, 50, 80);
    await click(page, 338, 322);
    for (const m of ['g1f3', 'g8f6', 'f3g1', 'f6g8', 'g1f3', 'g8f6', 'f3g1', 'f6g8']) {
      await move(page, m);
    }
    await parkPointer(page);
    await shot(page, 'repetition');
    const positionPanel = crop(await picture(page), 540, 120, 99, 39);
    const turnEmpty = crop(await picture(page), 540, 200, 99, 39);
    if (difference(positionPanel, turnEmpty) < 0.05) fail('no draw picture in the status panel');

    // Master: Black played by the computer at the top level; the pointer keeps moving.
    await click(page, 50, 80);
    await click(page, 400, 253);
    for (let i = 0; i < 4; ++i) await click(page, 486, 253);
    await click(page, 338, 322);
    await move(page, 'e2e4');
    const figures = await frameIntervals(page, 3000, async () => {
      for (let i = 0; i < 30; ++i) {
        const at = await pagePoint(page, 150 + (i * 37) % 340, 80 + (i * 53) % 340);
        await page.mouse.move(at.x, at.y);
        await sleep(60);
      }
    });
    await shot(page, 'master-thinking');
    console.log(`frames while Master thinks: ${figures.frames}, 99th percentile interval ` +
                `${figures.p99.toFixed(1)} ms, longest ${figures.longest.toFixed(1)} ms`);
    if (problems.length > 0) fail(`the page reported errors: ${problems.join('; ')}`);
  } finally {
    await browser.close();
    await server.close();
  }
}

main().then(
    () => {
      if (screensWanted) {
        fs.mkdirSync(screensWanted, {recursive: true});
        for (const file of shots) fs.copyFileSync(file, path.join(screensWanted, path.basename(file)));
      }
      fs.rmSync(work, {recursive: true, force: true});
      console.log('passed: a Standard game, PGN saved and loaded, repetition and Master in the browser');
      console.log('1 passed, 0 failed');
    },
    (error) => {
      console.error(`FAILED: ${error.message}`);
      fs.rmSync(path.join(work, 'profile'), {recursive: true, force: true});
      console.error(`screenshots kept in ${work}`);
      console.log('0 passed, 1 failed');
      process.exit(1);
    });
