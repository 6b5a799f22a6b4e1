#!/usr/bin/env node
// Plays the browser page on touch screens, with no mouse and no keyboard of the game's own:
// an emulated phone held landscape, the same phone held portrait, and a tablet. On each, in
// a browser profile of its own: the page bar is folded and the picture fills the screen;
// taps start a game from the Play dialog, a drag plays e7e5 and the computer replies; the
// Save dialog brings up the page's name field, whose text reaches the game as typed keys
// (with the game's refusals) and whose Enter saves; taps load the game back. Then with the
// network gone (the browser offline and the server stopped) the page opens again from its
// service worker and loads the same game. Last, a new build of the page is announced to a
// page that is open, and taking it keeps the saved games. The browser must find the page
// installable (its manifest, icons and service worker) on each device.
// Usage: touch_offline.js <site folder> [folder for the screenshots]
'use strict';

const fs = require('fs');
const path = require('path');
const {serveFolder} = require('./static_server');
const {
  sleep, fail, waitFor, launch, openPage, reloadGame, picture, crop, alike, difference, turnPanel,
  squareTop, pagePoint, thenAPass, comeToRest, testRun, finish,
} = require('./page_driver');

const {site, work, shots} = testRun('touch', 'touch');
const shot = (page, name) => shots.take(page, name);

const devices = [
  {name: 'phone-landscape', viewport: {width: 844, height: 390, deviceScaleFactor: 3,
                                       isMobile: true, hasTouch: true, isLandscape: true}},
  {name: 'phone-portrait', viewport: {width: 390, height: 844, deviceScaleFactor: 3,
                                      isMobile: true, hasTouch: true, isLandscape: false}},
  {name: 'tablet', viewport: {width: 1180, height: 820, deviceScaleFactor: 2, isMobile: true,
                              hasTouch: true, isLandscape: true}},
];

// Square e5 and what lies right of and below it: where the game's pointer and a tooltip
// would stay if a touch left them behind on the square it ended on.
const underTheLastTouch = (rgb) => crop(rgb, 320, 240, 110, 70);

// A tap, seen by the game, which then comes to rest.
async function tap(page, x, y) {
  const at = await pagePoint(page, x, y);
  await thenAPass(page, () => page.touchscreen.tap(at.x, at.y));
  await comeToRest(page);
}

// A finger pressed at one game pixel, moved in steps and lifted at another.
async function drag(page, fromX, fromY, toX, toY) {
  const from = await pagePoint(page, fromX, fromY);
  const to = await pagePoint(page, toX, toY);
  await page.touchscreen.touchStart(from.x, from.y);
  for (let step = 1; step <= 5; ++step) {
    await sleep(40);
    await page.touchscreen.touchMove(from.x + ((to.x - from.x) * step) / 5,
                                     from.y + ((to.y - from.y) * step) / 5);
  }
  await page.touchscreen.touchEnd();
}

async function loadFirstSavedGame(page) {
  await tap(page, 50, 160);
  await tap(page, 300, 194);
  await tap(page, 307, 325);
}

// The page bar is folded behind its button, and the picture is as large as the screen lets
// it be: a whole number of device pixels for each game pixel when that keeps nine tenths of
// the largest size, the largest size itself otherwise.
async function checkLayout(page, viewport) {
  const look = await page.evaluate(() => {
    const box = document.getElementById('kestrion-screen').getBoundingClientRect();
    const shown = (id) => getComputedStyle(document.getElementById(id)).display !== 'none';
    return {width: box.width, height: box.height, menu: shown('menu'), bar: shown('controls'),
            coarse: matchMedia('(pointer: coarse)').matches};
  });
  if (!look.coarse) fail('the emulated device does not report a finger as its pointer');
  if (!look.menu || look.bar) fail('the page bar is not folded behind its button');
  const ratio = viewport.deviceScaleFactor;
  const fit = Math.min((viewport.width * ratio) / 640, (viewport.height * ratio) / 480);
  const scale = (look.width * ratio) / 640;
  const whole = Math.abs(scale - Math.round(scale)) < 0.01 && Math.round(scale) >= 0.9 * fit;
  if (!whole && Math.abs(scale - fit) > 0.01) {
    fail(`the picture is ${look.width}x${look.height} on a ${viewport.width}x${viewport.height} ` +
         'screen, neither the largest fit nor a whole scale near it');
  }
  if (Math.abs(look.width * 3 - look.height * 4) > 2) fail('the picture is not 4:3');
}

async function playOn(browser, device) {
  const context = await browser.createBrowserContext();
  const server = await serveFolder(site);
  const page = await context.newPage();
  const problems = [];
  page.on('pageerror', (error) => problems.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error') problems.push(message.text());
  });
  await page.setViewport(device.viewport);
  await openPage(page, server.url);
  await checkLayout(page, device.viewport);
  await shot(page, `${device.name}`);
  // The service worker has the page's files once it controls the page; the browser then
  // finds nothing that keeps the page from being installed.
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, {timeout: 15000});
  const cdp = await page.createCDPSession();
  // Each device plays in a profile of its own, which the browser counts as incognito.
  const installabilityErrors = (await cdp.send('Page.getInstallabilityErrors'))
      .installabilityErrors.filter((error) => error.errorId !== 'in-incognito');
  const manifest = await cdp.send('Page.getAppManifest');
  if (installabilityErrors.length > 0 || manifest.errors.length > 0) {
    fail(`the page cannot be installed: ${JSON.stringify([installabilityErrors, manifest.errors])}`);
  }

  // Play dialog by taps: White human, Black computer, Play.
  await tap(page, 50, 80);
  await tap(page, 338, 322);
  const opening = await picture(page);
  const whiteTurn = turnPanel(opening);
  const pawnAtStart = squareTop(opening, 4, 6);
  const emptyAtStart = squareTop(opening, 4, 4);
  if (difference(pawnAtStart, emptyAtStart) < 0.05) fail('no pawn on e7 at the start');

  // e7e5 by a drag, then the computer's reply.
  await drag(page, 345, 365, 345, 265);
  let sawBlacksTurn = false;
  await waitFor('the drag made no move, or the computer did not reply', async () => {
    const now = turnPanel(await picture(page));
    if (!now.equals(whiteTurn)) sawBlacksTurn = true;
    return sawBlacksTurn && now.equals(whiteTurn);
  }, 20000);
  await comeToRest(page);
  const replied = await picture(page);
  if (!alike(squareTop(replied, 4, 4), pawnAtStart)) fail('no white pawn on e5 after the drag');

  // Save: the page's field has the keyboard. "-" is a key whose code the game does not
  // type, so the game refuses it, and the field shows the name the game has, also when the
  // refused character came last.
  await tap(page, 50, 120);
  await waitFor('the Save dialog brought no name field', () => page.evaluate(() =>
      !document.getElementById('name-bar').hidden &&
      document.activeElement === document.getElementById('name-field')), 5000);
  await page.keyboard.type('Phone-1-', {delay: 60});
  await waitFor('the field does not show the name the game took', () => page.evaluate(() =>
      document.getElementById('name-field').value === 'Phone1'), 5000);
  await shot(page, `${device.name}-save`);
  const stored = await page.evaluate(() => Module.savedGamesStored || 0);
  // Enter saves; so does the dialog's own Save button (tried on the portrait phone).
  const byButton = device.name === 'phone-portrait';
  if (byButton) await tap(page, 307, 325);
  else await page.keyboard.press('Enter');
  await waitFor(`${byButton ? 'the Save button' : 'Enter in the name field'} did not save`,
                () => page.evaluate((before) => (Module.savedGamesStored || 0) > before, stored),
                10000);
  const saved = await page.evaluate(
      () => Module.FS.readFile('/saves/Phone1.chs', {encoding: 'utf8'}));
  const lines = saved.replace(/\r/g, '').split('\n');
  for (const line of ['BoardRow5 = ....P...', 'BoardRow7 = PPPP.PPP', 'WhoseTurn = White']) {
    if (!lines.includes(line)) fail(`the saved game lacks "${line}":\n${saved}`);
  }
  if (await page.evaluate(() => !document.getElementById('name-bar').hidden)) {
    fail('the name field stayed after the dialog closed');
  }

  // Load it by taps.
  await loadFirstSavedGame(page);
  const loaded = await picture(page);
  if (!alike(squareTop(loaded, 4, 4), pawnAtStart)) fail('no white pawn on e5 after loading');
  if (!alike(squareTop(loaded, 4, 6), emptyAtStart)) fail('e7 is not empty after loading');
  // Both pictures come after a touch ended: neither the game's pointer nor a tooltip stayed.
  if (!underTheLastTouch(replied).equals(underTheLastTouch(loaded))) {
    fail('the game\'s pointer or a tooltip stayed where the drag ended');
  }
  if (problems.length > 0) fail(`the page reported errors: ${problems.join('; ')}`);

  // No network at all: the browser is offline and the server is gone.
  await page.setOfflineMode(true);
  await server.close();
  await reloadGame(page);
  await shot(page, `${device.name}-offline`);
  await loadFirstSavedGame(page);
  const offline = await picture(page);
  if (!alike(squareTop(offline, 4, 4), pawnAtStart)) fail('offline, the game did not load');
  if (!turnPanel(offline).equals(whiteTurn)) fail('offline, the loaded game is not at White\'s turn');
  await context.close();
}

// A page that is open hears of a new build once its worker is ready, takes it with a
// reload, and keeps its saved games.
async function updateArrives(browser) {
  const copy = path.join(work, 'site');
  fs.cpSync(site, copy, {recursive: true});
  const server = await serveFolder(copy);
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport(devices[2].viewport);
  await openPage(page, server.url);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, {timeout: 15000});
  await page.evaluate(() => Module.FS.writeFile('/saves/kept.chs', 'Kestrion SaveGame file\r\n'));
  await waitFor('the saved game was not stored', () => page.evaluate(() =>
      (Module.savedGamesStored || 0) > 0), 10000);
  if (await page.evaluate(() => !document.getElementById('update').hidden)) {
    fail('an update was announced before there was one');
  }
  const workerFile = path.join(copy, 'service-worker.js');
  const before = fs.readFileSync(workerFile, 'utf8');
  const cacheName = /const cacheName = '([^']+)'/.exec(before)[1];
  fs.writeFileSync(workerFile, before.replace(cacheName, `${cacheName}-next`));
  await page.evaluate(() => navigator.serviceWorker.getRegistration().then((r) => r.update()));
  await page.waitForSelector('#update:not([hidden])', {timeout: 15000});
  await shot(page, 'update-ready');
  await Promise.all([page.waitForNavigation({waitUntil: 'load', timeout: 20000}),
                     page.tap('#update-reload')]);
  await page.waitForFunction(() => window.kestrionPage && window.kestrionPage.firstFrameMs !== null,
                             {timeout: 20000});
  const caches = await page.evaluate(() => caches.keys());
  if (caches.join() !== `${cacheName}-next`) fail(`after the update the caches are ${caches}`);
  const kept = await page.evaluate(() => Module.FS.readdir('/saves'));
  if (!kept.includes('kept.chs')) fail(`the update lost the saved games: ${kept}`);
  await context.close();
  await server.close();
}

async function main() {
  if (!fs.existsSync(path.join(site, 'service-worker.js'))) fail(`no page in ${site}`);
  const browser = await launch(path.join(work, 'profile'));
  try {
    for (const device of devices) {
      const started = Date.now();
      await playOn(browser, device);
      console.log(`${device.name}: played, saved and loaded by touch, and offline ` +
                  `(${((Date.now() - started) / 1000).toFixed(1)} s)`);
    }
    await updateArrives(browser);
    console.log('update: announced to the open page, taken, saved games kept');
  } finally {
    await browser.close();
  }
}

finish(main, {
  work, shots, passed: 'touch play, saves, loads and offline on phones and a tablet, and an update',
  large: ['profile', 'site'],
});
