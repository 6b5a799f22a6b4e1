// The page on phones and tablets: the picture at the largest size that stays sharp, the page
// bar folded behind a small button, and a text field of the page's own for the Save
// dialog's name, which brings up the on-screen keyboard that a touch screen needs.
'use strict';

(function () {
  const root = document.documentElement;
  const stage = document.getElementById('stage');
  const screen = document.getElementById('kestrion-screen');
  const menu = document.getElementById('menu');
  const controls = document.getElementById('controls');
  const bar = document.getElementById('name-bar');
  const field = document.getElementById('name-field');
  // The device's main pointer is a finger: such a device has no keyboard to count on.
  const touchFirst = matchMedia('(pointer: coarse)');
  const smallScreen = matchMedia('(max-width: 700px), (max-height: 520px)');

  // --- The picture ------------------------------------------------------------------------
  // A whole number of device pixels per game pixel is perfectly sharp; it is taken while it
  // keeps at least nine tenths of the largest fit. Otherwise the picture fills the screen:
  // with square pixels where each game pixel spans three or more device pixels (the uneven
  // widths do not show there), smoothed below that, where they would.
  function pictureScale(width, height, ratio) {
    const fit = Math.min((width * ratio) / 640, (height * ratio) / 480);
    const whole = Math.floor(fit);
    if (whole >= 1 && whole >= 0.9 * fit) return {scale: whole / ratio, smooth: false};
    return {scale: fit / ratio, smooth: fit < 3};
  }

  function layout() {
    const compact = touchFirst.matches || smallScreen.matches;
    root.classList.toggle('compact', compact);
    if (!compact) {
      showMenu(false);
      screen.style.width = screen.style.height = '';
      screen.classList.remove('smooth');
      return;
    }
    const box = stage.getBoundingClientRect();
    const size = pictureScale(box.width, box.height, window.devicePixelRatio || 1);
    screen.style.width = `${640 * size.scale}px`;
    screen.style.height = `${480 * size.scale}px`;
    screen.classList.toggle('smooth', size.smooth);
  }

  // --- The folded page bar ----------------------------------------------------------------
  function showMenu(open) {
    root.classList.toggle('menu-open', open);
    menu.setAttribute('aria-expanded', String(open));
  }
  menu.addEventListener('click', () => showMenu(!root.classList.contains('menu-open')));
  // A touch on the game, or any of the bar's buttons, folds the bar again. The touch also
  // gives the keyboard (where there is one) back to the game from the bar, as a click does;
  // the page's name field keeps it while the Save dialog is open.
  screen.addEventListener('touchstart', () => {
    showMenu(false);
    const focused = document.activeElement;
    if (focused && focused.closest('#controls, #menu')) screen.focus({preventScroll: true});
  }, {passive: true});
  for (const button of controls.querySelectorAll('button')) {
    button.addEventListener('click', () => showMenu(false));
  }

  // --- The name field ---------------------------------------------------------------------
  // The game owns the name: what the field gains or loses is sent as typed keys (Backspace
  // for each character taken away), and once the game has taken them all, the field shows
  // the game's name, so its refusals show too. A name picked from the game's list comes
  // into the field the same way.
  let sent = ''; // the game's name once it has taken what was sent
  let reported = ''; // the name the game last told
  let savePoint = null;

  // Once the game has taken every character sent, the field shows the game's name. A
  // refused character changes nothing in the game, so nothing is told: the field is looked
  // at again all the same.
  function settle() {
    if (bar.hidden) return;
    if (Module._kestrion_typing_pending() > 0) {
      setTimeout(settle, 50);
      return;
    }
    sent = reported;
    if (field.value !== reported) field.value = reported;
  }

  function send(text) {
    const type = Module._kestrion_type_character;
    let same = 0;
    while (same < sent.length && same < text.length && sent[same] === text[same]) ++same;
    for (let i = sent.length; i > same; --i) type(8);
    for (const character of text.slice(same)) type(character.codePointAt(0));
    sent = text;
    setTimeout(settle, 50);
  }

  function saveDialog(open, name, saveX, saveY) {
    reported = name;
    if (!open) {
      savePoint = null;
      bar.hidden = true;
      if (document.activeElement === field) field.blur();
      return;
    }
    savePoint = {x: saveX, y: saveY};
    if (bar.hidden) {
      // With a mouse and a keyboard the dialog is typed into as it always was.
      if (!touchFirst.matches) return;
      bar.hidden = false;
      field.value = sent = name;
      field.focus();
      return;
    }
    settle();
  }

  field.addEventListener('input', () => send(field.value));
  // Enter (the keyboard's Done) or the bar's button: the game's own Save button is tapped.
  bar.addEventListener('submit', (event) => {
    event.preventDefault();
    if (savePoint) Module._kestrion_tap_picture(savePoint.x, savePoint.y);
  });
  // Keys pressed in the field are the field's; the game hears of them as typed text. The
  // function keys keep their meaning (F12 ends the game).
  for (const kind of ['keydown', 'keyup']) {
    field.addEventListener(kind, (event) => {
      if (!/^F\d+$/.test(event.key)) event.stopPropagation();
    });
  }

  // On a touch screen the game's pointer waits off the picture for the first touch.
  const firstFrame = window.kestrionPage.firstFrame;
  window.kestrionPage.firstFrame = function (ms) {
    firstFrame.call(this, ms);
    // Later, not from inside the frame that is being shown.
    if (touchFirst.matches) setTimeout(() => Module._kestrion_pointer_away(), 0);
  };

  // Where the browser has no full screen for pages (some phones), its button would do nothing.
  if (!document.fullscreenEnabled) document.getElementById('fullscreen').hidden = true;

  window.kestrionPage.saveDialog = saveDialog;
  window.kestrionPage.pictureScale = pictureScale;
  for (const query of [touchFirst, smallScreen]) query.addEventListener('change', layout);
  window.addEventListener('resize', layout);
  window.addEventListener('orientationchange', layout);
  document.addEventListener('fullscreenchange', layout);
  layout();
})();
