// The start-up picture the page shows itself (index.html's #startup, over the window's canvas,
// scaled as the canvas is), from the moment the browser has it until the program paints its
// window. The program counts the picture's time on screen from its first frame
// (tk_startup_shown_at).
'use strict';

TK.startup = (() => {
  const picture = document.getElementById('startup');
  let shownAt = -1;  // on the program's clock (js/driver.js): ms since the page was opened

  // Without the picture the program puts up its own, as on the desktop.
  picture.addEventListener('error', () => hide());
  // Decoded, it is in the next frame, which comes once its callbacks have run: counted from
  // then it stands at least its time.
  picture.decode()
    .then(() => requestAnimationFrame(() => {
      if (!picture.hidden) shownAt = Math.ceil(performance.now());
    }))
    .catch(() => {});

  // The program's window, painted under it, takes over.
  function hide() {
    picture.hidden = true;
  }

  return {shownAt: () => shownAt, hide};
})();
