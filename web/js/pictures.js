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

  // The pixels as the file has them: no colour management, no premultiplied rounding.
  const decode = (bytes, type) =>
    createImageBitmap(new Blob([bytes], {type}), {colorSpaceConversion: 'none', premultiplyAlpha: 'default'});

  // Pictures of the program's folder decoded as they arrive, while the start-up picture
  // stands, so that the menu is not kept waiting for them: by path, shared by every handle
  // of the same file (the folder is read-only) and never closed.
  const early = new Map();  // path -> {bitmap, failed, promise}

  function decodeEarly(path, bytes) {
    const type = kind(bytes);
    if (!type || early.has(path)) return;
    const record = {bitmap: null, failed: false, promise: null};
    record.promise = decode(bytes, type).then(
      (bitmap) => { record.bitmap = bitmap; },
      () => { record.failed = true; });
    early.set(path, record);
  }

  function decodeLate(handle, entry, decoding, shared) {
    decoding
      .then((bitmap) => {
        entry.bitmap = bitmap;
        entry.state = 'ready';
        if (!table.has(handle) && !shared) bitmap.close();
      })
      .catch((e) => {
        entry.state = 'failed';
        const text = `Cannot decode the picture ${entry.name}: ${e.message || e}`;
        console.error(text);
        TK.page.notice(text);
      })
      .finally(settled);
  }

  // A handle for the picture in `bytes` (which it keeps), or 0 when they are not a PNG or JPEG.
  function load(bytes, name) {
    const type = kind(bytes);
    if (!type) return 0;
    const handle = nextHandle++;
    const entry = {name, bitmap: null, state: 'decoding', shared: false};
    table.set(handle, entry);
    decodeLate(handle, entry, decode(bytes, type), false);
    return handle;
  }

  // A handle for a picture decoded early: ready at once when it is.
  function loadEarly(record, name) {
    const handle = nextHandle++;
    const entry = {name, bitmap: record.bitmap, state: record.bitmap ? 'ready' : 'decoding', shared: true};
    table.set(handle, entry);
    if (!record.bitmap) {
      decodeLate(handle, entry, record.promise.then(() => {
        if (record.failed) throw new Error('not a picture the browser can read');
        return record.bitmap;
      }), true);
    }
    return handle;
  }

  // A picture of the program's folder (or any file of the page's file system); 0 when it is
  // missing or not a picture.
  function loadFile(FS, path) {
    const record = early.get(path);
    if (record && !record.failed) return loadEarly(record, path);
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
    if (entry.bitmap && !entry.shared) entry.bitmap.close();
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

  return {load, loadFile, decodeEarly, free, get, decoding, whenSettled, live: () => table.size};
})();
