// The page as an app: after the first visit a service worker (service-worker.js) keeps the
// page's files, so it opens and plays with no network. A newer build is fetched in the
// background; the player is told when it is ready and takes it with a reload.
'use strict';

(function () {
  if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
  const notice = document.getElementById('update');
  let updating = false;

  function tellUpdateReady(worker) {
    notice.hidden = false;
    document.getElementById('update-reload').onclick = () => {
      updating = true;
      worker.postMessage('kestrion-update');
    };
  }

  // The new worker takes over once the player asked for it; the page then starts afresh
  // from its files. (The first worker takes over too, which is no reason to reload.)
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    if (updating) location.reload();
  });

  async function register() {
    try {
      const registration = await navigator.serviceWorker.register('service-worker.js');
      if (registration.waiting && navigator.serviceWorker.controller) {
        tellUpdateReady(registration.waiting);
      }
      registration.addEventListener('updatefound', () => {
        const worker = registration.installing;
        worker.addEventListener('statechange', () => {
          if (worker.state === 'installed' && navigator.serviceWorker.controller) {
            tellUpdateReady(worker);
          }
        });
      });
    } catch (error) {
      console.warn('Kestrion: the page is not kept for use without a network', error);
    }
  }
  // Once the game shows its first frame, and a moment later: the worker's copies of the
  // files would otherwise compete with the game's start for the network and the processor.
  const firstFrame = window.kestrionPage.firstFrame;
  window.kestrionPage.firstFrame = function (ms) {
    firstFrame.call(this, ms);
    setTimeout(register, 1000);
  };
})();
