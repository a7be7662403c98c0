// The game's window: an 800 × 600 canvas painted from the list of what it shows. The program
// hands over a new list when its view changes (begin, the elements from the bottom up, end);
// the list is kept, and painted again when the board changes or a picture it shows has
// finished decoding, so nothing the program said is lost to the browser's waits.
'use strict';

TK.window = (() => {
  const canvas = document.getElementById('window');
  const ctx = canvas.getContext('2d', {alpha: false});
  ctx.imageSmoothingEnabled = true;
  ctx.imageSmoothingQuality = 'low';

  let shown = [];     // the list on screen
  let building = null;
  let stale = false;  // the screen no longer shows the list as it should
  let paints = 0;

  const css = (rgb) => `rgb(${rgb[0]},${rgb[1]},${rgb[2]})`;

  const painters = {
    fill: (e) => {
      ctx.fillStyle = css(e.colour);
      ctx.fillRect(e.left, e.top, e.width, e.height);
    },
    // A picture in its box; a box of width 0 takes the picture's own size.
    picture: (e) => {
      const bitmap = TK.pictures.get(e.handle);
      if (!bitmap) return;
      if (e.width > 0) ctx.drawImage(bitmap, e.left, e.top, e.width, e.height);
      else ctx.drawImage(bitmap, e.left, e.top);
    },
    text: (e) => TK.text.draw(ctx, e.block, e.originX, e.originY),
    levelBox: (e) => TK.text.drawLevelBox(ctx, e.box),
    // The board's image is copied as it is, not blended: where nothing was painted it is black.
    board: (e) => {
      ctx.fillStyle = '#000';
      ctx.fillRect(e.left, e.top, e.width, e.height);
      ctx.drawImage(TK.board.canvas, e.left, e.top, e.width, e.height);
    },
    clip: (e) => {
      ctx.save();
      ctx.beginPath();
      ctx.rect(e.left, e.top, e.width, e.height);
      ctx.clip();
    },
    unclip: () => ctx.restore(),
    // The help page is an element of its own over the window: here it is only placed.
    help: () => {},
  };

  function paint() {
    stale = false;
    // A list whose pictures are still decoding is put on screen once they are in, rather
    // than over the window without them (the start-up picture the page put up, say).
    if (shown.some((e) => e.kind === 'picture' && TK.pictures.decoding(e.handle))) {
      TK.pictures.whenSettled(invalidate);
      return;
    }
    ++paints;
    if (paints === 1) TK.startup.hide();
    ctx.save();
    ctx.fillStyle = '#000';
    ctx.fillRect(0, 0, canvas.width, canvas.height);
    for (const element of shown) painters[element.kind](element);
    ctx.restore();
    const help = shown.find((e) => e.kind === 'help');
    TK.help.place(help || null);
  }

  function invalidate() {
    if (stale) return;
    stale = true;
    // Painted once the program's pass is over, or at once outside a pass.
    if (!TK.driver.inPass()) paint();
  }

  function begin() {
    building = [];
  }

  function add(element) {
    (building || shown).push(element);
  }

  function end() {
    if (!building) return;
    shown = building;
    building = null;
    invalidate();
  }

  // After the program's pass: whatever changed is put on screen once.
  function flush() {
    if (stale) paint();
  }

  TK.board.onChange(() => {
    if (shown.some((e) => e.kind === 'board')) invalidate();
  });

  function pixels(left, top, width, height) {
    return Array.from(ctx.getImageData(left, top, width, height).data);
  }

  return {
    canvas, begin, end, flush, invalidate, pixels,
    fill: (left, top, width, height, colour) => add({kind: 'fill', left, top, width, height, colour}),
    picture: (handle, left, top, width = 0, height = 0) => add({kind: 'picture', handle, left, top, width, height}),
    text: (block, originX = 0, originY = 0) => add({kind: 'text', block, originX, originY}),
    levelBox: (box) => add({kind: 'levelBox', box}),
    board: (left, top, width, height) => add({kind: 'board', left, top, width, height}),
    clip: (left, top, width, height) => add({kind: 'clip', left, top, width, height}),
    unclip: () => add({kind: 'unclip'}),
    help: (url, scrollY, left, top, width, height, missingText = '') =>
      add({kind: 'help', url, scrollY, left, top, width, height, missingText}),
    // What the window shows, for the page's tests: the list and how often it was painted.
    shown: () => shown.map((e) => Object.assign({}, e)),
    paints: () => paints,
    layOut: (block, originX = 0, originY = 0) => TK.text.layOut(ctx, block, originX, originY),
    width: (look, text) => TK.text.width(ctx, look, text),
    levelBoxCaretAt: (box, x) => TK.text.levelBoxCaretAt(ctx, box, x),
  };
})();
