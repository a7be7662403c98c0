// The page around the game: notices in the page, the message over the window, and the window
// fitted to the page. Every other script of the page hangs its part on the same TK object.
'use strict';
window.TK = window.TK || {};

TK.page = (() => {
  const shown = new Set();  // notices already told, by key

  // A line in the page above the window, with a button that puts it away; nothing waits for
  // it. A notice with a key is told once however often it comes.
  function notice(text, key = text) {
    if (shown.has(key)) return;
    shown.add(key);
    const line = document.createElement('p');
    line.textContent = text;
    const close = document.createElement('button');
    close.type = 'button';
    close.textContent = 'OK';
    close.tabIndex = -1;
    close.addEventListener('click', () => line.remove());
    line.append(close);
    document.getElementById('notices').append(line);
    fit();
  }

  // A line for whoever runs the page: the console's warning, as standard error on the desktop.
  function warn(text) {
    console.warn(text);
  }

  // What stops the game: said over the window and in the console.
  function fatal(text) {
    console.error(text);
    message(text);
  }

  function message(text) {
    const box = document.getElementById('message');
    box.textContent = text;
    box.hidden = false;
  }

  // Puts a line on the clipboard: 1 when the browser took it, 0 when it will not, 2 when
  // its asynchronous clipboard was asked, whose answer comes later as input. The copy runs
  // inside the player's key or click (the program's pass runs in the page's event), where a
  // browser lets a page copy at once and say whether it did.
  function copy(text) {
    const before = document.activeElement;
    const box = document.createElement('textarea');
    box.value = text;
    box.setAttribute('readonly', '');
    box.style.position = 'fixed';
    box.style.left = '-1000px';
    document.body.append(box);
    box.select();
    let copied = false;
    try {
      copied = document.execCommand('copy');
    } catch (e) {
      copied = false;
    }
    box.remove();
    if (before && before.focus) before.focus();
    if (copied) return 1;
    if (!navigator.clipboard || !navigator.clipboard.writeText) return 0;
    navigator.clipboard.writeText(text).then(
      () => TK.input.add(TK.input.kinds.copied, {steps: 1}),
      (e) => {
        warn(`TramolKulap: cannot copy to the clipboard: ${e.message || e}`);
        TK.input.add(TK.input.kinds.copied, {steps: 0});
      });
    return 2;
  }

  // ---- the window fitted to the page -------------------------------------------------
  const kWidth = 800, kHeight = 600;

  // As large as fits with its shape kept, centred between black bars; at a whole multiple
  // every pixel becomes a square of device pixels, copied rather than blended.
  function fitPicture(areaWidth, areaHeight) {
    const w = Math.max(1, Math.floor(areaWidth)), h = Math.max(1, Math.floor(areaHeight));
    let width, height;
    if (w * kHeight <= h * kWidth) {
      width = w;
      height = Math.max(1, Math.floor(w * kHeight / kWidth));
    } else {
      height = h;
      width = Math.max(1, Math.floor(h * kWidth / kHeight));
    }
    const whole = width % kWidth === 0 && height % kHeight === 0 && width / kWidth === height / kHeight;
    return {left: Math.floor((w - width) / 2), top: Math.floor((h - height) / 2), width, height, whole};
  }

  let fitted = null;

  // In device pixels, so that a whole multiple is one on the screen too.
  function fit() {
    const area = document.getElementById('stage-area');
    const stage = document.getElementById('stage');
    if (!area || !stage) return;
    const ratio = window.devicePixelRatio || 1;
    const f = fitPicture(area.clientWidth * ratio, area.clientHeight * ratio);
    const scale = f.width / (kWidth * ratio);
    stage.style.transform = `translate(${f.left / ratio}px, ${f.top / ratio}px) scale(${scale})`;
    stage.classList.toggle('whole', f.whole);
    stage.classList.add('fitted');
    fitted = f;
  }

  // The window's point under a point of the page, or null on the bars.
  function windowPoint(clientX, clientY) {
    const rect = document.getElementById('window').getBoundingClientRect();
    if (!fitted || rect.width <= 0 || rect.height <= 0) return null;
    const x = Math.floor((clientX - rect.left) * kWidth / rect.width);
    const y = Math.floor((clientY - rect.top) * kHeight / rect.height);
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return null;
    return {x, y};
  }

  window.addEventListener('resize', fit);
  document.addEventListener('fullscreenchange', fit);
  if (window.ResizeObserver) {
    window.addEventListener('DOMContentLoaded', () => new ResizeObserver(fit).observe(document.getElementById('stage-area')));
  }
  window.addEventListener('DOMContentLoaded', fit);
  // At once too, for the start-up picture: the window's elements come before the scripts.
  fit();

  return {notice, warn, fatal, message, copy, fit, fitPicture, windowPoint, fitted: () => fitted};
})();
