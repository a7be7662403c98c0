// The board picture's persistent image, 770 × 490 on a canvas of its own: everything painted
// stays until painted over. Every picture is scaled into a 70 × 70 cell (the cover over the
// whole board) and blended by its own transparency. A paint whose picture is still decoding
// waits, and every paint after it waits behind it, so the image is always painted in order.
'use strict';

TK.board = (() => {
  const kCell = 70, kWidth = 11 * kCell, kHeight = 7 * kCell;
  const canvas = document.createElement('canvas');
  canvas.width = kWidth;
  canvas.height = kHeight;
  const ctx = canvas.getContext('2d');
  ctx.imageSmoothingEnabled = true;
  ctx.imageSmoothingQuality = 'low';  // bilinear, as the desktop's renderer scales

  const queue = [];  // paints waiting for their pictures: {pictures, paint}
  let changed = null;  // called after anything was painted

  function picture(handle, dx, dy, dw, dh, source) {
    const bitmap = TK.pictures.get(handle);
    if (!bitmap) return;
    if (source) ctx.drawImage(bitmap, source.x, source.y, source.w, source.h, dx, dy, dw, dh);
    else ctx.drawImage(bitmap, dx, dy, dw, dh);
  }

  function run() {
    let painted = false;
    while (queue.length && !queue[0].pictures.some(TK.pictures.decoding)) {
      queue.shift().paint();
      painted = true;
    }
    if (queue.length) TK.pictures.whenSettled(run);
    if (painted && changed) changed();
  }

  function paint(pictures, action) {
    const wasEmpty = queue.length === 0;
    queue.push({pictures: pictures.filter((h) => h), paint: action});
    if (wasEmpty) run();
  }

  // Cell (x, y): the background's own 70 × 70 piece where the cell lies, so the pieces of
  // all cells line up into one picture, then the underlay and the piece.
  function cell(x, y, background, underlay, piece) {
    paint([background, underlay, piece], () => {
      const left = x * kCell, top = y * kCell;
      picture(background, left, top, kCell, kCell, {x: left, y: top, w: kCell, h: kCell});
      picture(underlay, left, top, kCell, kCell);
      picture(piece, left, top, kCell, kCell);
    });
  }

  // A picture with its top left corner at a board pixel (the figure between two cells).
  function sprite(handle, left, top) {
    paint([handle], () => picture(handle, left, top, kCell, kCell));
  }

  // A picture turned about the centre of cell (x, y); positive degrees turn clockwise.
  function turned(handle, x, y, degrees) {
    paint([handle], () => {
      ctx.save();
      ctx.translate(x * kCell + kCell / 2, y * kCell + kCell / 2);
      ctx.rotate(degrees * Math.PI / 180);
      picture(handle, -kCell / 2, -kCell / 2, kCell, kCell);
      ctx.restore();
    });
  }

  function cover(handle) {
    paint([handle], () => picture(handle, 0, 0, kWidth, kHeight));
  }

  function pixel(x, y) {
    return Array.from(ctx.getImageData(x, y, 1, 1).data);
  }

  return {
    canvas, cell, sprite, turned, cover, pixel,
    waiting: () => queue.length,
    onChange: (callback) => { changed = callback; },
  };
})();
