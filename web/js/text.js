// Text in the window as the desktop sets it: Liberation Sans shipped with the page, sizes in
// points at 96 dpi, lines spaced as the desktop's font library spaces them, blocks wrapped
// at blanks, outlined by shifted copies, and the one-line level box with its caret.
'use strict';

TK.text = (() => {
  // The page's own name for the shipped font, so no installed font can stand in for it.
  const kFamily = 'TramolKulap Sans';
  // Liberation Sans's vertical metrics in font units (its hhea table): the desktop spaces
  // lines by them, each rounded up to whole pixels.
  const kUnits = 2048, kAscender = 1854, kDescender = 434, kLineGap = 67;
  const kEllipsis = '\u2026';

  let ready = false;

  // Loads the regular and bold faces; the game's text waits for them. False when either
  // cannot be had.
  async function load(regularUrl, boldUrl) {
    const faces = [new FontFace(kFamily, `url(${regularUrl})`, {weight: '400'}),
                   new FontFace(kFamily, `url(${boldUrl})`, {weight: '700'})];
    try {
      for (const face of await Promise.all(faces.map((f) => f.load()))) document.fonts.add(face);
      ready = true;
    } catch (e) {
      const text = `Missing on the server: the game's font (${regularUrl}, ${boldUrl}).`;
      console.error(text);
      TK.page.notice(text);
    }
    return ready;
  }

  const pixels = (points) => Math.max(1, Math.round(points)) * 96 / 72;
  const font = (look) => `${look.bold ? 'bold ' : ''}${pixels(look.points)}px "${kFamily}"`;

  function metrics(look) {
    const scale = pixels(look.points) / kUnits;
    return {
      ascent: Math.ceil(kAscender * scale),
      height: Math.ceil((kAscender + kDescender) * scale),
      lineSkip: Math.ceil((kAscender + kDescender + kLineGap) * scale),
    };
  }

  function width(ctx, look, text) {
    if (!text) return 0;
    ctx.font = font(look);
    return Math.round(ctx.measureText(text).width);
  }

  // CR LF, LF and a lone CR end a line; nothing after the last end makes no line.
  function splitLines(text) {
    const lines = text.split(/\r\n|\r|\n/);
    if (lines.length && lines[lines.length - 1] === '') lines.pop();
    return lines;
  }

  // Greedy wrapping at blanks: blanks at a break go, blanks inside a line and before its
  // first word stay. A word wider than the width keeps a line of its own.
  function wrapLine(ctx, look, line, limit, out) {
    if (width(ctx, look, line) <= limit) {
      out.push(line);
      return;
    }
    let lineStart = 0, lineEnd = 0, hasWord = false, pos = 0;
    while (pos < line.length) {
      let wordStart = pos;
      while (wordStart < line.length && line[wordStart] === ' ') ++wordStart;
      if (wordStart >= line.length) break;
      let wordEnd = line.indexOf(' ', wordStart);
      if (wordEnd < 0) wordEnd = line.length;
      if (hasWord && width(ctx, look, line.slice(lineStart, wordEnd)) > limit) {
        out.push(line.slice(lineStart, lineEnd));
        lineStart = wordStart;
      }
      lineEnd = wordEnd;
      hasWord = true;
      pos = wordEnd;
    }
    out.push(line.slice(lineStart, lineEnd));
  }

  // A block of text: {text, look, box: {left, top, width, height}}, where a box of width 0 is
  // as large as its text. Its lines, their spacing, its own box and what drawing it may touch
  // (with the outline), relative to (originX, originY).
  function layOut(ctx, block, originX = 0, originY = 0) {
    let lines = splitLines(block.text);
    if (block.box.width > 0) {
      const wrapped = [];
      for (const line of lines) wrapLine(ctx, block.look, line, block.box.width, wrapped);
      lines = wrapped;
    }
    const lineSkip = metrics(block.look).lineSkip;
    let w = block.box.width, h = block.box.height;
    if (w === 0) {
      w = Math.max(0, ...lines.map((line) => width(ctx, block.look, line)));
      h = lineSkip * lines.length;
    }
    const box = {left: originX + block.box.left, top: originY + block.box.top, width: w, height: h};
    const ring = block.look.outlined ? block.look.outlineWidth : 0;
    const inked = {left: box.left - ring, top: box.top - ring, width: w + 2 * ring, height: h + 2 * ring};
    return {lines, lineSkip, box, inked};
  }

  const css = (rgb) => `rgb(${rgb[0]},${rgb[1]},${rgb[2]})`;

  function drawLines(ctx, block, layout, colour, dx, dy) {
    const box = layout.box;
    const ascent = metrics(block.look).ascent;
    ctx.save();
    ctx.beginPath();
    ctx.rect(box.left + dx, box.top + dy, box.width, box.height);
    ctx.clip();
    ctx.font = font(block.look);
    ctx.fillStyle = css(colour);
    ctx.textBaseline = 'alphabetic';
    layout.lines.forEach((line, i) => {
      const w = width(ctx, block.look, line);
      let x = box.left + dx;
      if (block.look.align === 'center') x += Math.trunc((box.width - w) / 2);
      if (block.look.align === 'right') x += box.width - w;
      ctx.fillText(line, x, box.top + dy + i * layout.lineSkip + ascent);
    });
    ctx.restore();
  }

  // Ground first, then the ring of four diagonal copies beneath the face.
  function draw(ctx, block, originX = 0, originY = 0) {
    const layout = layOut(ctx, block, originX, originY);
    if (layout.box.width <= 0 || layout.box.height <= 0) return layout;
    const look = block.look;
    if (look.grounded) {
      ctx.fillStyle = css(look.ground);
      ctx.fillRect(layout.box.left, layout.box.top, layout.box.width, layout.box.height);
    }
    if (look.outlined) {
      const d = look.outlineWidth;
      for (const [dx, dy] of [[-d, d], [d, -d], [d, d], [-d, -d]]) drawLines(ctx, block, layout, look.outline, dx, dy);
    }
    drawLines(ctx, block, layout, look.colour, 0, 0);
    return layout;
  }

  // The level box: {text, caret (in characters), place, look, frame, paper}. The text starts
  // at the left unless the caret would pass the right end; then it scrolls just far enough
  // that the caret stands at the right end. A side where the text goes on ends in "…".
  function layOutLevelBox(ctx, box) {
    const kPad = 4, caretWidth = 2;
    const place = box.place;
    const inner = {left: place.left + 1, top: place.top + 1, width: place.width - 2, height: place.height - 2};
    const m = metrics(box.look);
    const chars = Array.from(box.text);
    const caret = Math.min(Math.max(box.caret, 0), chars.length);
    const edge = [0];
    for (let i = 1; i <= chars.length; ++i) edge.push(width(ctx, box.look, chars.slice(0, i).join('')));
    const left = inner.left + kPad, right = inner.left + inner.width - kPad;
    const ellipsis = width(ctx, box.look, kEllipsis);
    const caretAt = edge[caret], total = edge[chars.length];
    let textX = left;
    let cutRight = textX + total > right - caretWidth;
    if (textX + caretAt > right - caretWidth - (cutRight ? ellipsis : 0)) {
      cutRight = caretAt < total;
      textX = right - caretWidth - (cutRight ? ellipsis : 0) - caretAt;
    }
    const cutLeft = textX < left;
    const windowLeft = left + (cutLeft ? ellipsis : 0);
    const windowRight = right - (cutRight ? ellipsis : 0);
    let first = 0, last = chars.length;
    while (first < chars.length && textX + edge[first + 1] <= windowLeft) ++first;
    while (last > first && textX + edge[last - 1] >= windowRight) --last;
    return {
      inner, cutLeft, cutRight, ascent: m.ascent, lineHeight: m.height,
      window: {left: windowLeft, top: inner.top, width: Math.max(0, windowRight - windowLeft), height: inner.height},
      shown: chars.slice(first, last).join(''), shownX: textX + edge[first],
      textY: inner.top + Math.trunc((inner.height - m.height) / 2),
      caretX: textX + caretAt, caretWidth, ellipsis, textX, edge,
    };
  }

  // The caret a click at window x gives: the nearest edge between characters that show.
  function levelBoxCaretAt(ctx, box, x) {
    const l = layOutLevelBox(ctx, box);
    const at = Math.min(Math.max(x, l.window.left), l.window.left + l.window.width);
    let best = Math.min(Math.max(box.caret, 0), l.edge.length - 1);
    let bestDistance = Math.abs(l.textX + l.edge[best] - at);
    for (let i = 0; i < l.edge.length; ++i) {
      const edgeX = l.textX + l.edge[i];
      if (edgeX < l.window.left - 1 || edgeX > l.window.left + l.window.width + 1) continue;
      const distance = Math.abs(edgeX - at);
      if (distance < bestDistance || (distance === bestDistance && i < best)) {
        best = i;
        bestDistance = distance;
      }
    }
    return best;
  }

  function drawLevelBox(ctx, box) {
    const place = box.place;
    ctx.fillStyle = css(box.frame);
    ctx.fillRect(place.left, place.top, place.width, place.height);
    const l = layOutLevelBox(ctx, box);
    ctx.fillStyle = css(box.paper);
    ctx.fillRect(l.inner.left, l.inner.top, l.inner.width, l.inner.height);
    ctx.save();
    ctx.beginPath();
    ctx.rect(l.inner.left, l.inner.top, l.inner.width, l.inner.height);
    ctx.clip();
    ctx.font = font(box.look);
    ctx.fillStyle = css(box.look.colour);
    ctx.textBaseline = 'alphabetic';
    const baseline = l.textY + l.ascent;
    ctx.save();
    ctx.beginPath();
    ctx.rect(l.window.left, l.window.top, l.window.width, l.window.height);
    ctx.clip();
    if (l.shown) ctx.fillText(l.shown, l.shownX, baseline);
    ctx.restore();
    if (l.cutLeft) ctx.fillText(kEllipsis, l.window.left - l.ellipsis, baseline);
    if (l.cutRight) ctx.fillText(kEllipsis, l.window.left + l.window.width, baseline);
    ctx.fillRect(l.caretX, l.textY + 2, l.caretWidth, Math.max(1, l.lineHeight - 4));
    ctx.restore();
  }

  return {load, ready: () => ready, family: kFamily, metrics, width, splitLines, layOut, draw, layOutLevelBox, drawLevelBox, levelBoxCaretAt};
})();
