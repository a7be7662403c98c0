// The start-up picture the page shows itself (index.html's #startup, over the window's canvas,
// scaled as the canvas is), from the moment the browser has it until the program paints its
// window. The program counts the picture's time on screen from the frame that first showed it
// (tk_startup_shown_at). The page's other scripts, the program and the data are asked for only
// once it is up: before, they would only hold it back.
'use strict';

TK.startup = (() => {
  const picture = document.getElementById('startup');
  let shownAt = -1;  // on the program's clock (js/driver.js): ms since the page was opened
  let laterAsked = false;

  // Where it can, the browser says when the frame that held the picture was painted; else the
  // picture is decoded and in the next frame, which comes once its callbacks have run: counted
  // from then it stands at least its time.
  function watch() {
    const types = (window.PerformanceObserver && PerformanceObserver.supportedEntryTypes) || [];
    if (types.includes('element')) {
      new PerformanceObserver((list) => {
        for (const entry of list.getEntries()) {
          if (entry.identifier === 'startup') shown(entry.renderTime || entry.loadTime);
        }
      }).observe({type: 'element', buffered: true});
      return;
    }
    picture.decode()
      .then(() => requestAnimationFrame(() => shown(performance.now())))
      .catch(() => {});
  }

  function shown(at) {
    if (shownAt < 0 && !picture.hidden) shownAt = Math.ceil(at);
    askForTheRest();
  }

  // The scripts of index.html's #later, in their order.
  function askForTheRest() {
    if (laterAsked) return;
    laterAsked = true;
    for (const listed of document.getElementById('later').content.querySelectorAll('script')) {
      const script = document.createElement('script');
      script.src = listed.getAttribute('src');
      script.async = false;
      document.body.append(script);
    }
  }

  // The program's window, painted under it, takes over.
  function hide() {
    picture.hidden = true;
  }

  // Without the picture the program puts up its own, as on the desktop.
  picture.addEventListener('error', () => {
    hide();
    askForTheRest();
  });
  watch();
  // A page opened in a background tab paints nothing until it is looked at: the game comes
  // meanwhile all the same.
  setTimeout(askForTheRest, 1000);

  return {shownAt: () => shownAt, hide};
})();
