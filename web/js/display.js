// The page's full screen in place of the desktop's: the window's area fills the screen. A
// browser grants it only right after a key or click; asked for at another moment (a saved
// setting at start-up), it comes with the player's next key.
'use strict';

TK.display = (() => {
  let wanted = false;
  let entered = false;

  // Leaving full screen by the browser's own means (Esc, F11) is the player's choice: the
  // program is told, and the next key does not bring it back.
  document.addEventListener('fullscreenchange', () => {
    if (document.fullscreenElement) {
      entered = true;
    } else if (entered) {
      entered = false;
      if (wanted) {
        wanted = false;
        TK.input.windowed();
      }
    }
  });

  function apply() {
    const area = document.getElementById('stage-area');
    const on = document.fullscreenElement === area;
    if (wanted && !on && area.requestFullscreen) {
      area.requestFullscreen().catch(() => TK.page.notice('Full screen comes with your next key or click.', 'fullscreen'));
    } else if (!wanted && document.fullscreenElement) {
      document.exitFullscreen().catch(() => {});
    }
  }

  function setFullscreen(on) {
    wanted = !!on;
    apply();
  }

  // Called at every key and click: a full screen still owed is asked for again.
  function retry() {
    if (wanted && !document.fullscreenElement) apply();
  }

  return {
    setFullscreen, retry,
    fullscreen: () => !!document.fullscreenElement,
    // The screen as the player has it, for the game's idea of the desktop.
    desktopWidth: () => window.screen.width,
    desktopHeight: () => window.screen.height,
  };
})();
