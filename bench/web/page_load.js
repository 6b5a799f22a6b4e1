#!/usr/bin/env node
// Measures the browser page as a visitor meets it, in headless Chromium on this machine:
//   weight       the bytes of every response the page asked for on a first visit, as the
//                server sent them (no compression); listed per file;
//   worker       the bytes the service worker fetched besides, to keep the page for use
//                without a network (on a first visit only);
//   first frame  milliseconds from asking for the page to the game's first picture on the
//                canvas: cold (empty browser, every file from the server) and warm (a later
//                visit, the files from the service worker where the page has one).
// Each visit is in a fresh browser profile; the figures are the median and the largest of
// the runs. Usage: bench/web/page_load.js <site folder> [runs]   (default 7 runs)
// Needs the browser test's npm packages (tests/web/run.sh installs them).
'use strict';

const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const puppeteer = require('../../tests/web/node_modules/puppeteer-core');

const site = path.resolve(process.argv[2] || '');
const runs = Number(process.argv[3] || 7);
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
const types = {'.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
               '.css': 'text/css; charset=utf-8', '.wasm': 'application/wasm',
               '.png': 'image/png', '.webmanifest': 'application/manifest+json'};

// A static server that counts what it sends, per path.
function countingServer() {
  const sent = [];
  const server = http.createServer((request, response) => {
    const wanted = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = path.join(site, wanted === '/' ? 'index.html' : wanted);
    fs.readFile(file, (error, bytes) => {
      if (error || !file.startsWith(site + path.sep)) {
        response.writeHead(404).end();
        return;
      }
      sent.push({path: wanted, bytes: bytes.length});
      response.writeHead(200, {'Content-Type': types[path.extname(file)] ||
                                                   'application/octet-stream',
                               'Cache-Control': 'no-store'});
      response.end(bytes);
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
    url: `http://127.0.0.1:${server.address().port}/`,
    sent,
    close: () => new Promise((done) => {
      server.close(done);
      server.closeAllConnections();
    }),
  })));
}

async function visit(browser, url) {
  const page = await browser.newPage();
  await page.setViewport({width: 800, height: 634});
  // What the page itself asked for; the service worker's own fetches are not among them.
  const requested = [];
  page.on('requestfinished', (request) => requested.push(new URL(request.url()).pathname));
  await page.goto(url, {waitUntil: 'load'});
  await page.waitForFunction(() => window.kestrionPage && window.kestrionPage.firstFrameMs !== null,
                             {timeout: 30000});
  const firstFrame = await page.evaluate(() => window.kestrionPage.firstFrameMs);
  // Time for a service worker to install and fetch what it keeps.
  const worker = await page.evaluate(async () => {
    if (!navigator.serviceWorker || !navigator.serviceWorker.getRegistration) return false;
    const registration = await Promise.race([
      navigator.serviceWorker.ready, new Promise((done) => setTimeout(() => done(null), 5000))]);
    return registration !== null;
  });
  await new Promise((resolve) => setTimeout(resolve, 500));
  await page.close();
  return {firstFrame, requested, worker};
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function main() {
  if (!fs.existsSync(path.join(site, 'index.html'))) throw new Error(`no page in ${site}`);
  const cold = [];
  const warm = [];
  let weights = null;
  for (let run = 0; run < runs; ++run) {
    const server = await countingServer();
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'kestrion-bench-'));
    const browser = await puppeteer.launch({
      executablePath: chromium, headless: true, userDataDir: profile,
      args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
             '--disable-component-update', '--disable-sync'],
    });
    try {
      const first = await visit(browser, server.url);
      cold.push(first.firstFrame);
      if (weights === null) {
        // Each path the page asked for once, as the server sent it; whatever else the server
        // sent went to the service worker.
        const page = [];
        const worker = [];
        const wanted = [...first.requested];
        for (const s of server.sent) {
          const at = wanted.indexOf(s.path);
          if (at >= 0) {
            wanted.splice(at, 1);
            page.push(s);
          } else {
            worker.push(s);
          }
        }
        weights = {page, worker, hasWorker: first.worker};
      }
      const again = await visit(browser, server.url);
      warm.push(again.firstFrame);
    } finally {
      await browser.close();
      await server.close();
      fs.rmSync(profile, {recursive: true, force: true});
    }
  }
  const total = (list) => list.reduce((sum, s) => sum + s.bytes, 0);
  console.log(`page: ${site}`);
  for (const s of weights.page) console.log(`  ${s.path.padEnd(24)} ${String(s.bytes).padStart(8)} bytes`);
  console.log(`weight: ${total(weights.page)} bytes (${(total(weights.page) / 1024).toFixed(1)} KiB) ` +
              `in ${weights.page.length} responses, uncompressed`);
  if (weights.hasWorker) {
    console.log(`service worker, first visit: ${total(weights.worker)} bytes more in ` +
                `${weights.worker.length} responses (its copies for use without a network)`);
  }
  const show = (values) => `median ${Math.round(median(values))} ms, largest ` +
                           `${Math.round(Math.max(...values))} ms over ${values.length} visits`;
  console.log(`first frame, first visit: ${show(cold)}`);
  console.log(`first frame, later visit: ${show(warm)}`);
}

main().catch((error) => {
  console.error(`page_load: ${error.message}`);
  process.exit(1);
});
