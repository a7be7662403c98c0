// The player's files (the settings, the language marker, the best times) kept in the
// browser's storage: laid into their folder of the page's file system before the program
// starts, and saved again after every pass of the program that changed them. Storage that
// is full or refused is told once; the game goes on with what it has in memory.
'use strict';

TK.storage = (() => {
  const kPrefix = 'tramolkulap/';
  let store = null;
  let folder = null;
  const saved = new Map();  // file name -> its content as last saved

  function refused(e) {
    const text = 'This browser does not keep the game\'s settings and best times ' +
      `(${e && e.name === 'QuotaExceededError' ? 'its storage is full' : 'its storage is refused'}): ` +
      'the game goes on, but what changes is lost when the page closes.';
    console.warn(`${text} ${e ? e.message || e : ''}`.trim());
    TK.page.notice(text, 'storage');
  }

  function open() {
    try {
      store = window.localStorage;
      store.getItem(kPrefix);
    } catch (e) {
      store = null;
      refused(e);
    }
    return store;
  }

  // Bytes kept one to a character, so that a file's every byte comes back as it was.
  const toText = (bytes) => {
    let text = '';
    for (let i = 0; i < bytes.length; i += 8192) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
    return text;
  };
  const toBytes = (text) => Uint8Array.from(text, (c) => c.charCodeAt(0) & 0xff);

  // Whether the program may have changed the folder since the last sync: the file system's
  // writes, renames and deletions there say so, so that the passes that change nothing (fifty
  // a second in play) cost nothing here.
  let changed = true;

  function watch(FS) {
    const inFolder = (path) => typeof path === 'string' && path.startsWith(folder + '/');
    const write = FS.write, rename = FS.rename, unlink = FS.unlink;
    FS.write = function(stream, ...rest) {
      if (stream && inFolder(stream.path)) changed = true;
      return write.call(this, stream, ...rest);
    };
    FS.rename = function(from, to) {
      if (inFolder(from) || inFolder(to)) changed = true;
      return rename.call(this, from, to);
    };
    FS.unlink = function(path) {
      if (inFolder(path)) changed = true;
      return unlink.call(this, path);
    };
  }

  // Lays the kept files into `path` (made if missing) and keeps it from now on.
  function restore(FS, path) {
    folder = path;
    FS.mkdirTree(folder);
    watch(FS);
    if (!open()) return;
    for (let i = 0; i < store.length; ++i) {
      const key = store.key(i);
      if (!key || !key.startsWith(kPrefix)) continue;
      const name = key.slice(kPrefix.length);
      if (!name || name.includes('/')) continue;
      const text = store.getItem(key);
      FS.writeFile(`${folder}/${name}`, toBytes(text));
      saved.set(name, text);
    }
  }

  // Saves what changed in the folder since the last look, and forgets what was removed.
  function sync(FS) {
    if (!folder || !changed) return;
    changed = false;
    let names;
    try {
      names = FS.readdir(folder).filter((name) => name !== '.' && name !== '..' &&
                                                  FS.isFile(FS.stat(`${folder}/${name}`).mode));
    } catch (e) {
      names = [];
    }
    const kept = new Set(names);
    try {
      for (const name of names) {
        const text = toText(FS.readFile(`${folder}/${name}`));
        if (saved.get(name) === text) continue;
        saved.set(name, text);
        if (store) store.setItem(kPrefix + name, text);
      }
      for (const name of Array.from(saved.keys())) {
        if (kept.has(name)) continue;
        saved.delete(name);
        if (store) store.removeItem(kPrefix + name);
      }
    } catch (e) {
      refused(e);
    }
  }

  return {restore, sync, folder: () => folder};
})();
