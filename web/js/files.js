// The game's data on the server: the list the build made (files.txt, each file with its size),
// the files fetched into the program's folder (while the program starts and its start-up
// picture stands) from the pack the build made of them (data.pack), or each on its own where
// the pack cannot be had, and the URL of a file in that folder.
'use strict';

TK.files = (() => {
  // The program's folder in the page's file system holds what the site's data/ folder holds.
  const kProgramFolder = '/game';
  const kSiteFolder = 'data';
  // Music is not copied in: the audio element streams it from its URL after the menu shows,
  // so that the page is ready sooner. The folder only marks that it is there. The pack holds
  // every other file of the list, in its order (cmake/lay_site.cmake).
  const streamed = (path) => path.startsWith(kSiteFolder + '/music/');
  const kPack = 'data.pack';

  const contents = new Map();  // site path -> Uint8Array, until they are laid into the folder
  const missing = [];
  let folderFS = null;         // the program's file system, once it runs
  let names = [];              // every file of the list
  const sizes = new Map();     // site path -> its size in bytes, as the list gives it

  function tellMissing(path, why) {
    missing.push(path);
    const text = `Missing on the server: ${path} (${why}); the game goes on without it.`;
    console.error(text);
    TK.page.notice(text);
  }

  const target = (path) => kProgramFolder + path.slice(kSiteFolder.length);

  // The program's folder is read-only, as an installed game's is: only the page writes there.
  function write(path, bytes) {
    folderFS.ignorePermissions = true;
    try {
      folderFS.writeFile(target(path), bytes);
    } finally {
      folderFS.ignorePermissions = false;
    }
  }

  function arrived(path, bytes) {
    TK.pictures.decodeEarly(target(path), bytes);
    if (folderFS) write(path, bytes);
    else contents.set(path, bytes);
  }

  async function fetchOne(path) {
    try {
      const response = await fetch(path.split('/').map(encodeURIComponent).join('/'), streamed(path) ? {method: 'HEAD'} : {});
      if (!response.ok) {
        tellMissing(path, `${response.status} ${response.statusText}`.trim());
        return;
      }
      arrived(path, streamed(path) ? new Uint8Array(0) : new Uint8Array(await response.arrayBuffer()));
    } catch (e) {
      tellMissing(path, String(e.message || e));
    }
  }

  // The list of the data; false when it cannot be had.
  async function fetchList(listUrl = 'files.txt') {
    try {
      const response = await fetch(listUrl);
      if (!response.ok) throw new Error(`${response.status} ${response.statusText}`.trim());
      names = [];
      for (const line of (await response.text()).split('\n')) {
        const [path, size] = line.trim().split('\t');
        if (!path) continue;
        names.push(path);
        sizes.set(path, Number(size));
      }
      return true;
    } catch (e) {
      TK.page.fatal(`Missing on the server: ${listUrl}, the list of the game's files (${e.message || e}).`);
      return false;
    }
  }

  // The files of the pack, cut from it; false when it cannot be had or is not what the list says.
  async function fetchPack(packed) {
    let bytes;
    try {
      const response = await fetch(kPack);
      if (!response.ok) throw new Error(`${response.status} ${response.statusText}`.trim());
      bytes = new Uint8Array(await response.arrayBuffer());
    } catch (e) {
      TK.page.warn(`TramolKulap: ${kPack} cannot be had (${e.message || e}); each file is fetched on its own.`);
      return false;
    }
    const total = packed.reduce((sum, path) => sum + sizes.get(path), 0);
    if (!packed.every((path) => Number.isSafeInteger(sizes.get(path)) && sizes.get(path) >= 0) || bytes.length !== total) {
      TK.page.warn(`TramolKulap: ${kPack} does not match files.txt (${bytes.length} bytes for ${total}); ` +
                   'each file is fetched on its own.');
      return false;
    }
    let at = 0;
    for (const path of packed) {
      arrived(path, bytes.subarray(at, at + sizes.get(path)));
      at += sizes.get(path);
    }
    return true;
  }

  // Fetches every file of the list; settles when each has come or been told missing.
  async function fetchAll() {
    const packed = names.filter((path) => !streamed(path));
    const fromPack = await fetchPack(packed);
    await Promise.all((fromPack ? names.filter(streamed) : names).map(fetchOne));
  }

  // Makes the program's folders for the whole list, read-only, and lays in what has come;
  // what comes later is laid in as it comes.
  function layInto(FS) {
    folderFS = FS;
    const folders = new Set([kProgramFolder]);
    for (const path of names) folders.add(target(path).slice(0, target(path).lastIndexOf('/')));
    for (const folder of folders) FS.mkdirTree(folder);
    for (const [path, bytes] of contents) write(path, bytes);
    contents.clear();
    for (const folder of folders) FS.chmod(folder, 0o555);
  }

  // The URL of a file of the program's folder; null for any other path.
  function url(path) {
    if (!path.startsWith(kProgramFolder + '/')) return null;
    return kSiteFolder + path.slice(kProgramFolder.length).split('/').map(encodeURIComponent).join('/');
  }

  return {fetchList, fetchAll, layInto, url, programFolder: kProgramFolder, missing: () => missing.slice()};
})();
