// Game controllers through the browser's Gamepad API (the standard mapping), queued for the
// program as buttons pressed and let go, the left stick moved and controllers gone; the
// program turns them into keys as the desktop does. The API must be asked: it is, at the
// page's animation frames and before each of the program's passes, only while a controller
// is connected.
'use strict';

TK.pads = (() => {
  // The standard mapping's buttons the game uses: A, B, X, Y, the shoulders, Back, Start and
  // the d-pad; axes 0 and 1 are the left stick.
  const kButtons = [0, 1, 2, 3, 4, 5, 8, 9, 12, 13, 14, 15];
  const kAxes = [0, 1];
  // An axis to within a 128th of its travel (-32768..32767, as the desktop has it), so that a
  // stick trembling at rest tells nothing.
  const kAxisStep = 256;
  const known = new Map();  // the page's number for a controller -> what it last told
  let frame = 0;
  let polls = 0;

  const connected = () => Array.from((navigator.getGamepads && navigator.getGamepads()) || [])
    .filter((pad) => pad && pad.connected && pad.mapping === 'standard');

  function axis(value) {
    const v = Math.max(-32768, Math.min(32767, Math.round((value || 0) * 32768)));
    return Math.round(v / kAxisStep) * kAxisStep;
  }

  function gone(number) {
    known.delete(number);
    TK.input.add(TK.input.kinds.padGone, {pad: number});
  }

  function look() {
    ++polls;
    const pads = connected();
    for (const pad of pads) {
      if (!known.has(pad.index)) known.set(pad.index, {buttons: [], axes: []});
      const told = known.get(pad.index);
      for (const b of kButtons) {
        const down = !!(pad.buttons[b] && pad.buttons[b].pressed);
        if (down === !!told.buttons[b]) continue;
        told.buttons[b] = down;
        // Sound as after a key, where the browser counts a button as the player's (others
        // wait for a key or a click).
        if (down) TK.sound.unlock();
        TK.input.add(down ? TK.input.kinds.padDown : TK.input.kinds.padUp, {pad: pad.index, button: b});
      }
      for (const a of kAxes) {
        const value = axis(pad.axes[a]);
        if (value === (told.axes[a] || 0)) continue;
        told.axes[a] = value;
        TK.input.add(TK.input.kinds.padStick, {pad: pad.index, x: a, steps: value});
      }
    }
    for (const number of Array.from(known.keys())) {
      if (!pads.some((pad) => pad.index === number)) gone(number);
    }
  }

  function everyFrame() {
    frame = 0;
    look();
    if (known.size > 0) frame = requestAnimationFrame(everyFrame);
  }

  function start() {
    if (!frame) frame = requestAnimationFrame(everyFrame);
  }

  window.addEventListener('gamepadconnected', start);
  // The frame after it sees the controller gone, and lets go of what it held.
  window.addEventListener('gamepaddisconnected', start);
  // A controller the browser already shows the page.
  if (connected().length > 0) start();

  return {
    // Before a pass: asked only while there are controllers.
    poll: () => {
      if (frame || known.size > 0) look();
    },
    // For the page's tests: whether the page is asking, and how often it has.
    polling: () => frame !== 0,
    polls: () => polls,
  };
})();
