// What the player does in the page, queued for the program in the order it happened: keys
// (by the game's own names, letters by their label in the active layout), typed text, the
// pointer on the window (moves, buttons, the wheel), focus and visibility, and the tab
// closing. Keys the game uses do not scroll or otherwise move the page, nor does the wheel
// over the window, and the right button turns a pipe rather than opening the browser's menu.
'use strict';

TK.input = (() => {
  const kinds = {keyDown: 1, keyUp: 2, text: 3, close: 4, blur: 5, focus: 6, hidden: 7, shown: 8,
                 pointerDown: 9, pointerUp: 10, pointerMove: 11, windowed: 12, wheel: 13,
                 padDown: 14, padUp: 15, padStick: 16, padGone: 17, copied: 18};
  const codes = new Map();  // the game's key name -> its number in the program
  const held = new Map();   // event.code -> the game's key name, while down
  const queue = [];
  let arrived = null;       // called when something was queued
  let closeAsked = false;

  const named = {
    Backspace: 'Back', Enter: 'Return', Shift: 'Shift', Control: 'Control', Alt: 'Alt', Escape: 'Escape',
    ' ': 'Space', PageUp: 'PageUp', PageDown: 'PageDown', End: 'End', Home: 'Home', ArrowLeft: 'Left',
    ArrowUp: 'Up', ArrowRight: 'Right', ArrowDown: 'Down', Delete: 'Delete', Spacebar: 'Space',
  };

  // The game's name for the key, or null: letters as the layout labels them, and where the
  // layout has no Latin letter there, the letter of the key's place.
  function keyName(event) {
    if (named[event.key]) return named[event.key];
    if (/^[a-zA-Z]$/.test(event.key)) return event.key.toUpperCase();
    const place = /^Key([A-Z])$/.exec(event.code || '');
    if (place && Array.from(event.key || '').length === 1) return place[1];
    return null;
  }

  const modifiers = (event) => (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0);

  function typed(event) {
    if (event.isComposing || Array.from(event.key || '').length !== 1) return null;
    const altGraph = event.getModifierState && event.getModifierState('AltGraph');
    if ((event.ctrlKey || event.metaKey || event.altKey) && !altGraph) return null;
    return event.key;
  }

  function push(kind, fields = {}) {
    queue.push(Object.assign({kind, key: 0, name: '', modifiers: 0, text: '', x: 0, y: 0, button: 0, steps: 0,
                              pad: 0}, fields));
    if (arrived) arrived(kind);
  }

  function keyDown(event) {
    TK.sound.unlock();
    TK.display.retry();
    const name = keyName(event);
    const text = typed(event);
    if (name) held.set(event.code || name, name);
    // The browser keeps its own shortcuts (Ctrl+R, Ctrl+W, Alt+Left, F5, F11, ...).
    const shortcut = event.metaKey || event.altKey || (event.ctrlKey && !named[event.key]);
    if ((name || text) && !shortcut) event.preventDefault();
    if (name && codes.has(name)) push(kinds.keyDown, {key: codes.get(name), name, modifiers: modifiers(event)});
    if (text !== null) push(kinds.text, {text});
  }

  function keyUp(event) {
    const id = event.code || keyName(event);
    const name = held.get(id) || keyName(event);
    held.delete(id);
    if (name && codes.has(name)) push(kinds.keyUp, {key: codes.get(name), name});
  }

  // Keys held when the page loses the keyboard would never come up: they are let go.
  function releaseAll() {
    for (const name of held.values()) if (codes.has(name)) push(kinds.keyUp, {key: codes.get(name), name});
    held.clear();
  }

  function pointer(kind, event, fields = {}) {
    const point = TK.page.windowPoint(event.clientX, event.clientY);
    if (!point) return;
    push(kind, Object.assign({x: point.x, y: point.y, button: event.button, modifiers: modifiers(event)}, fields));
  }

  // Whole notches of the wheel, positive away from the player. A mouse's notch comes as one
  // event of about a hundred pixels (or three lines); a touchpad's small deltas add up.
  const kPixelsPerNotch = {0: 100, 1: 3, 2: 1};
  let wheelRest = 0;
  function wheel(event) {
    event.preventDefault();
    const perNotch = kPixelsPerNotch[event.deltaMode] || 100;
    const notches = -event.deltaY / perNotch;
    if (Math.abs(notches) >= 0.4) {
      wheelRest = 0;
      pointer(kinds.wheel, event, {steps: Math.sign(notches) * Math.max(1, Math.round(Math.abs(notches)))});
      return;
    }
    wheelRest = Math.sign(wheelRest) === -Math.sign(notches) ? notches : wheelRest + notches;
    if (Math.abs(wheelRest) < 1) return;
    const steps = Math.trunc(wheelRest);
    wheelRest -= steps;
    pointer(kinds.wheel, event, {steps});
  }

  // The program says when the pointer shows over the window; shown, it hides by itself at
  // `hidesAt` on the program's clock unless a move comes first.
  let hideTimer = 0;
  function showPointer(shown, hidesAt) {
    clearTimeout(hideTimer);
    hideTimer = 0;
    canvas.classList.toggle('pointer-hidden', !shown);
    if (shown && Number.isFinite(hidesAt)) {
      hideTimer = setTimeout(() => {
        hideTimer = 0;
        canvas.classList.add('pointer-hidden');
      }, Math.max(0, hidesAt - TK.driver.now()));
    }
  }

  function close() {
    if (closeAsked) return;
    closeAsked = true;
    push(kinds.close);
  }

  window.addEventListener('keydown', keyDown);
  window.addEventListener('keyup', keyUp);
  window.addEventListener('blur', () => { releaseAll(); push(kinds.blur); });
  window.addEventListener('focus', () => push(kinds.focus));
  document.addEventListener('visibilitychange', () => push(document.hidden ? kinds.hidden : kinds.shown));
  window.addEventListener('pagehide', close);
  const canvas = document.getElementById('window');
  canvas.addEventListener('pointerdown', (event) => {
    TK.sound.unlock();
    TK.display.retry();
    pointer(kinds.pointerDown, event);
  });
  canvas.addEventListener('pointerup', (event) => pointer(kinds.pointerUp, event));
  canvas.addEventListener('pointermove', (event) => pointer(kinds.pointerMove, event));
  canvas.addEventListener('wheel', wheel, {passive: false});
  canvas.addEventListener('contextmenu', (event) => event.preventDefault());

  return {
    kinds,
    // The program gives each of the game's key names its number.
    defineKey: (name, code) => codes.set(name, code),
    next: () => queue.shift() || null,
    // What another part of the page saw (js/pads.js), queued in its turn.
    add: push,
    pending: () => queue.length,
    closeRequested: () => closeAsked,
    // The player left full screen by the browser's own means.
    windowed: () => push(kinds.windowed),
    onArrival: (callback) => { arrived = callback; },
    showPointer,
  };
})();
