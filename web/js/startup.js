// The start-up picture put up by the page itself as soon as it has come, long before the
// program has: on the window's canvas, where and as the program draws it. The program counts
// the picture's time on screen from that moment (tk_startup_shown_at).
'use strict';

TK.startup = (() => {
  const kPicture = 'startup.png';
  let shownAt = -1;  // on the program's clock (js/driver.js): ms since the page was opened

  function show(bitmap) {
    // The program's own copy, once on the canvas, stays: this one comes too late.
    if (TK.window && TK.window.paints() > 0) return;
    TK.page.fit();
    const ctx = document.getElementById('window').getContext('2d', {alpha: false});
    ctx.fillStyle = '#000';
    ctx.fillRect(0, 0, 800, 600);
    ctx.drawImage(bitmap, 0, 0);
    // On screen with the frame that comes next: its time is the picture's first moment.
    requestAnimationFrame((frameTime) => {
      shownAt = Math.floor(Math.min(frameTime, performance.now()));
    });
  }

  // Decoded as the program's pictures are (js/pictures.js), so that its copy, painted over
  // this one, looks the same. Without it the program puts up its own, as on the desktop.
  if (location.protocol !== 'file:') {
    fetch(kPicture)
      .then((response) => (response.ok ? response.blob() : null))
      .then((blob) => blob && createImageBitmap(blob, {colorSpaceConversion: 'none', premultiplyAlpha: 'default'}))
      .then((bitmap) => bitmap && show(bitmap))
      .catch(() => {});
  }

  return {shownAt: () => shownAt};
})();
