// Sound: the effects through Web Audio on one channel (a new effect cuts off the one still
// playing), and the music looping in an audio element streamed from the site. Browsers let
// a page sound only after the player has pressed a key or clicked: until then effects are
// silent and the music waits to start.
'use strict';

TK.sound = (() => {
  const buffers = new Map();  // path -> AudioBuffer, or a Promise while decoding, or null
  let context = null;         // made at the player's first key or click
  let decoder = null;         // decodes before that, without asking to sound
  let current = null;         // the effect playing on the one channel
  let idleTimer = 0;
  const played = [];          // what sounded, for the page's tests

  // Audio that stands idle is suspended so that it costs nothing while the game stands still.
  const kIdleMs = 3000;

  function decode(FS, path) {
    if (buffers.has(path)) return buffers.get(path);
    let bytes;
    try {
      bytes = FS.readFile(path);
    } catch (e) {
      buffers.set(path, null);
      return null;
    }
    if (!decoder) decoder = new OfflineAudioContext(1, 1, 44100);
    const pending = decoder.decodeAudioData(bytes.slice().buffer)
      .then((buffer) => { buffers.set(path, buffer); return buffer; })
      .catch((e) => {
        console.error(`Cannot decode the sound ${path}: ${e.message || e}`);
        buffers.set(path, null);
        return null;
      });
    buffers.set(path, pending);
    return pending;
  }

  function start(buffer) {
    stop();
    clearTimeout(idleTimer);
    if (context.state !== 'running') context.resume().catch(() => {});
    const source = context.createBufferSource();
    source.buffer = buffer;
    source.connect(context.destination);
    source.onended = () => {
      if (current !== source) return;
      current = null;
      idleTimer = setTimeout(() => context.suspend().catch(() => {}), kIdleMs);
    };
    source.start();
    current = source;
  }

  function stop() {
    if (!current) return;
    const source = current;
    current = null;
    try { source.stop(); } catch (e) { /* already ended */ }
  }

  // Plays the WAV file of the page's file system on the effects channel; false when it is
  // silent (no such file, no audio yet). One still decoding plays when it is decoded,
  // unless another effect came first.
  function play(FS, path) {
    if (!context) return false;
    const buffer = decode(FS, path);
    if (!buffer) return false;
    played.push(path);
    if (buffer instanceof Promise) {
      const asked = played.length;
      buffer.then((decoded) => { if (decoded && played.length === asked) start(decoded); });
    } else {
      start(buffer);
    }
    return true;
  }

  // ---- the music ------------------------------------------------------------------------
  const music = new Audio();
  music.loop = true;
  music.preload = 'none';
  let musicWanted = false;

  function startMusic() {
    if (!musicWanted) return;
    music.play().catch((e) => {
      // Not allowed before the player's first key: tried again then. Anything else is told.
      if (e.name !== 'NotAllowedError' && e.name !== 'AbortError') console.error(`Cannot play the music ${music.src}: ${e.message || e}`);
    });
  }

  // From its beginning, round and round, in place of whatever played.
  function playMusic(url) {
    musicWanted = true;
    if (!music.src.endsWith(url)) music.src = url;
    music.currentTime = 0;
    startMusic();
    return true;
  }

  function stopMusic() {
    musicWanted = false;
    music.pause();
  }

  music.addEventListener('error', () => {
    if (musicWanted) console.error(`Cannot play the music ${music.src}`);
  });

  // The player's first key or click: audio may now sound.
  function unlock() {
    if (!context) {
      const Context = window.AudioContext || window.webkitAudioContext;
      if (Context) context = new Context();
    }
    if (musicWanted && music.paused) startMusic();
  }

  return {
    decode, play, playMusic, stopMusic, unlock,
    played: () => played.slice(),
    music: () => ({src: music.src, loop: music.loop, playing: !music.paused, wanted: musicWanted}),
    state: () => (context ? context.state : 'none'),
  };
})();
