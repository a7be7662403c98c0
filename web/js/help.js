// The help page: the real HTML page of the game's data in a frame over the board's place,
// scrolled only as the game says (its keys), never by the frame itself.
'use strict';

TK.help = (() => {
  let frame = null;  // made when the help is first shown: a frame costs the page's start-up
  let url = null, missingText = '', loaded = false, scrollY = 0;
  let onLoad = null;

  // The pages ask for Trebuchet MS, which the desktop replaces by Liberation Sans, its twin in
  // widths: the page's own copy of it stands in here.
  const faces = ['Regular', 'Bold'].map((face, i) => `@font-face { font-family: "Trebuchet MS"; ` +
    `font-weight: ${i ? 700 : 400}; src: url("${new URL(`fonts/LiberationSans-${face}.woff2`, document.baseURI).href}"); }`);

  function makeFrame() {
    frame = document.createElement('iframe');
    Object.assign(frame, {id: 'help', title: 'Help', tabIndex: -1, hidden: true});
    frame.addEventListener('load', loadedPage);
    document.getElementById('message').before(frame);
  }

  function loadedPage() {
    loaded = true;
    const doc = frame.contentDocument;
    if (doc && doc.documentElement) {
      doc.documentElement.style.overflow = 'hidden';
      const style = doc.createElement('style');
      style.textContent = faces.join('\n');
      (doc.head || doc.documentElement).prepend(style);
    }
    scroll();
    if (onLoad) onLoad();
  }

  function scroll() {
    if (loaded && frame && frame.contentWindow) frame.contentWindow.scrollTo(0, scrollY);
  }

  // Where the list of the window puts the page: {url, scrollY, left, top, width, height,
  // missingText}, or null when no help shows. A page that cannot be had shows the text and
  // the path instead.
  function place(element) {
    if (!element) {
      if (frame) frame.hidden = true;
      return;
    }
    if (!frame) makeFrame();
    Object.assign(frame.style, {
      left: `${element.left}px`, top: `${element.top}px`, width: `${element.width}px`, height: `${element.height}px`,
    });
    frame.hidden = false;
    if (element.url !== url || element.missingText !== missingText) {
      url = element.url;
      missingText = element.missingText;
      loaded = false;
      if (url) {
        frame.removeAttribute('srcdoc');
        frame.src = url;
      } else {
        const p = document.createElement('p');
        p.textContent = missingText;
        frame.removeAttribute('src');
        frame.srcdoc = `<!DOCTYPE html><meta charset="utf-8"><body style="font:16px sans-serif">${p.outerHTML}</body>`;
      }
    }
    if (element.scrollY !== scrollY) {
      scrollY = element.scrollY;
      scroll();
    }
  }

  // The page's height in pixels; 0 until it has loaded.
  function height() {
    const doc = loaded ? frame.contentDocument : null;
    return doc && doc.documentElement ? doc.documentElement.scrollHeight : 0;
  }

  return {
    place, height,
    scrolled: () => (loaded && frame.contentWindow ? frame.contentWindow.scrollY : 0),
    onLoad: (callback) => { onLoad = callback; },
  };
})();
