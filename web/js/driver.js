// Runs the program's passes without a loop of its own: a pass runs when the time it asked
// to wake at comes (a timer), or when input arrives and it asked to wake on input; a close
// request always wakes it. Between passes the page does nothing at all.
'use strict';

TK.driver = (() => {
  let pass = null;         // runs one pass of the program; false once the program has ended
  let wakeAt = 0, wakeOnInput = false;
  let timer = 0, timerAt = Infinity;
  let running = false;
  let again = false;       // something arrived during a pass that should wake it
  let passes = 0;
  let afterPass = [];
  let heldBack = false;   // the data is not all in: passes wait for it

  // Milliseconds since the page was opened, the program's clock: the page's own moments
  // before the program came (js/startup.js) are on it too.
  const now = () => Math.floor(performance.now());

  // Called by the program during its pass: when it wants to run again. Infinity: only on
  // input (or never, without onInput).
  function wake(at, onInput) {
    wakeAt = at;
    wakeOnInput = !!onInput;
  }

  function arm() {
    if (!pass) return;
    if (timer && timerAt === wakeAt) return;
    clearTimeout(timer);
    timer = 0;
    timerAt = wakeAt;
    if (wakeAt === Infinity) return;
    // Whole milliseconds on the program's clock: a timer may fire a fraction early.
    const delay = Math.max(0, wakeAt - performance.now() + 1);
    timer = setTimeout(() => {
      timer = 0;
      timerAt = Infinity;
      run();
    }, delay);
  }

  function run() {
    if (!pass) return;
    if (running || heldBack) {
      again = true;
      return;
    }
    running = true;
    let goesOn = true;
    try {
      do {
        again = false;
        // The controllers as they are now, so that a pass never sees a button held that was let go.
        TK.pads.poll();
        ++passes;
        goesOn = pass() !== false;
      } while (goesOn && again);
    } catch (e) {
      goesOn = false;
      TK.page.fatal(`The game stopped: ${e && e.message ? e.message : e}`);
    } finally {
      running = false;
    }
    for (const callback of afterPass) callback();
    if (!goesOn) {
      pass = null;
      clearTimeout(timer);
      timer = 0;
      return;
    }
    arm();
  }

  // Input arrived: the program runs now, inside the page's event, if it waits for input or
  // for a close (which is what lets a key put the page in full screen or start the sound).
  TK.input.onArrival((kind) => {
    if (!pass) return;
    if (wakeOnInput || kind === TK.input.kinds.close) run();
  });

  return {
    now, wake,
    // Starts driving `step`, which runs one pass and says when to wake by wake(). The first
    // pass runs at once; the others wait until the promise `ready` has settled (the data).
    start(step, ready = Promise.resolve()) {
      pass = step;
      run();
      heldBack = true;
      ready.then(() => {
        heldBack = false;
        if (again) run();
      });
    },
    // Runs after every pass (the screen, the player's files).
    afterEachPass: (callback) => afterPass.push(callback),
    inPass: () => running,
    // For the page's tests: passes run, and whether the page is waiting with nothing armed.
    passes: () => passes,
    waiting: () => ({at: wakeAt, onInput: wakeOnInput, timer: !!timer, ended: !pass}),
  };
})();
