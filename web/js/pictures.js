// Pictures by handle: the bytes of a PNG or JPEG handed to the browser to decode. A handle
// is given at once; until its picture is decoded it draws nothing, and whoever needs it
// waits for it with whenReady.
'use strict';

TK.pictures = (() => {
  const table = new Map();  // handle -> {name, bitmap, state: 'decoding' | 'ready' | 'failed'}
  let nextHandle = 1;
  const waiting = [];       // callbacks for the next picture that settles

  function kind(bytes) {
    if (bytes.length >= 8 && bytes[0] === 0x89 && bytes[1] === 0x50 && bytes[2] === 0x4e && bytes[3] === 0x47) return 'image/png';
    if (bytes.length >= 3 && bytes[0] === 0xff && bytes[1] === 0xd8 && bytes[2] === 0xff) return 'image/jpeg';
    return null;
  }

  function settled() {
    for (const callback of waiting.splice(0)) callback();
  }

  // A handle for the picture in `bytes` (which it keeps), or 0 when they are not a PNG or JPEG.
  function load(bytes, name) {
    const type = kind(bytes);
    if (!type) return 0;
    const handle = nextHandle++;
    const entry = {name, bitmap: null, state: 'decoding'};
    table.set(handle, entry);
    // The pixels as the file has them: no colour management, no premultiplied rounding.
    createImageBitmap(new Blob([bytes], {type}), {colorSpaceConversion: 'none', premultiplyAlpha: 'default'})
      .then((bitmap) => {
        entry.bitmap = bitmap;
        entry.state = 'ready';
        if (!table.has(handle)) bitmap.close();
      })
      .catch((e) => {
        entry.state = 'failed';
        const text = `Cannot decode the picture ${name}: ${e.message || e}`;
        console.error(text);
        TK.page.notice(text);
      })
      .finally(settled);
    return handle;
  }

  // A picture of the program's folder (or any file of the page's file system); 0 when it is
  // missing or not a picture.
  function loadFile(FS, path) {
    let bytes;
    try {
      bytes = FS.readFile(path);
    } catch (e) {
      return 0;
    }
    return load(bytes, path);
  }

  function free(handle) {
    const entry = table.get(handle);
    if (!entry) return;
    table.delete(handle);
    if (entry.bitmap) entry.bitmap.close();
  }

  // The decoded picture, or null (no picture, still decoding, failed, freed).
  function get(handle) {
    const entry = table.get(handle);
    return entry && entry.state === 'ready' ? entry.bitmap : null;
  }

  function decoding(handle) {
    const entry = table.get(handle);
    return !!entry && entry.state === 'decoding';
  }

  // Calls back once the next picture now decoding is ready or has failed.
  function whenSettled(callback) {
    waiting.push(callback);
  }

  return {load, loadFile, free, get, decoding, whenSettled, live: () => table.size};
})();
