// Drives the game's page in headless Chromium as a player would: clicks on the picture's
// pixels, typing, the bar below it, and the page's message.
'use strict';

const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function fail(text) {
  throw new Error(text);
}

async function waitFor(what, test, timeoutMs) {
  const end = Date.now() + timeoutMs;
  while (Date.now() < end) {
    if (await test()) return;
    await sleep(50);
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
  await page.goto(url, {waitUntil: 'load'});
  await page.waitForFunction(() => window.kestrionPage && window.kestrionPage.firstFrameMs !== null,
                             {timeout: 20000});
  return page;
}

// The page position at the centre of a game pixel.
async function pagePoint(page, x, y) {
  const box = await page.evaluate(() => {
    const r = document.getElementById('kestrion-screen').getBoundingClientRect();
    return {left: r.left, top: r.top, width: r.width, height: r.height};
  });
  return {x: box.left + ((x + 0.5) * box.width) / 640, y: box.top + ((y + 0.5) * box.height) / 480};
}

// A press held for a few frames, then the release, as a player's click.
async function click(page, x, y) {
  const at = await pagePoint(page, x, y);
  await page.mouse.move(at.x, at.y);
  await sleep(80);
  await page.mouse.down();
  await sleep(120);
  await page.mouse.up();
  await sleep(250);
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
const inFolder = (page) => page.evaluate(
    () => Module.FS.readdir('/saves').filter((name) => name.endsWith('.chs')).sort());
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

// Screenshots kept for a reader, in folder when one was given, else only when a test fails.
function screenshots(work, folder) {
  const taken = [];
  return {
    async take(page, name) {
      const file = path.join(work, `storage-${name}.png`);
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

module.exports = {
  sleep, fail, waitFor, launch, openGame, pagePoint, click, stored, notStored, saveInGame,
  listed, inFolder, savedBytes, messageText, messageOpen, closeMessage, openFromDisk,
  screenshots,
};
