// Keeps the page's files for use without a network. Written into the built page by
// stamp_service_worker.cmake: the cache is named after the build's version and the files it
// holds, so a new build is a new worker with a new cache, and the old cache goes once the
// new worker takes over. Saved games live in the browser's IndexedDB, which this never
// touches.
'use strict';

const cacheName = 'kestrion-@KESTRION_BUILD@';
const pageFiles = [@KESTRION_PAGE_FILES@];

self.addEventListener('install', (event) => {
  // Fresh copies, not whatever the browser's HTTP cache holds of an older build.
  event.waitUntil(caches.open(cacheName).then((cache) =>
      cache.addAll(pageFiles.map((file) => new Request(file, {cache: 'no-cache'})))));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
      .then((names) => Promise.all(names
          .filter((name) => name.startsWith('kestrion-') && name !== cacheName)
          .map((name) => caches.delete(name))))
      .then(() => self.clients.claim()));
});

// The page asks for this when the player takes the update.
self.addEventListener('message', (event) => {
  if (event.data === 'kestrion-update') self.skipWaiting();
});

// The kept copy first; anything else of the site from the network, kept once fetched (the
// install icons, which only an installing browser asks for).
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(cacheName).then(async (cache) => {
    const kept = await cache.match(request, {ignoreSearch: true});
    if (kept) return kept;
    const response = await fetch(request);
    if (response.ok) cache.put(request, response.clone());
    return response;
  }));
});
