// The game's data on the server: the list the build made (files.txt), each file fetched
// into the program's folder before it starts, and the URL of a file in that folder.
'use strict';

TK.files = (() => {
  // The program's folder in the page's file system holds what the site's data/ folder holds.
  const kProgramFolder = '/game';
  const kSiteFolder = 'data';
  // Music is not copied in: the audio element streams it from its URL after the menu shows,
  // so that the page is ready sooner. The folder only marks that it is there.
  const streamed = (path) => path.startsWith(kSiteFolder + '/music/');

  const contents = new Map();  // site path -> Uint8Array, until they are laid into the folder
  const missing = [];

  function tellMissing(path, why) {
    missing.push(path);
    const text = `Missing on the server: ${path} (${why}); the game goes on without it.`;
    console.error(text);
    TK.page.notice(text);
  }

  async function fetchOne(path) {
    try {
      const response = await fetch(path.split('/').map(encodeURIComponent).join('/'), streamed(path) ? {method: 'HEAD'} : {});
      if (!response.ok) {
        tellMissing(path, `${response.status} ${response.statusText}`.trim());
        return;
      }
      contents.set(path, streamed(path) ? new Uint8Array(0) : new Uint8Array(await response.arrayBuffer()));
    } catch (e) {
      tellMissing(path, String(e.message || e));
    }
  }

  // Fetches the list and every file on it; false when the list itself cannot be had.
  async function fetchAll(listUrl = 'files.txt') {
    let list;
    try {
      const response = await fetch(listUrl);
      if (!response.ok) throw new Error(`${response.status} ${response.statusText}`.trim());
      list = (await response.text()).split('\n').map((line) => line.trim()).filter((line) => line !== '');
    } catch (e) {
      TK.page.fatal(`Missing on the server: ${listUrl}, the list of the game's files (${e.message || e}).`);
      return false;
    }
    await Promise.all(list.map(fetchOne));
    return true;
  }

  // Lays what was fetched into the program's folder, then makes the folder read-only as an
  // installed game's is, so that the player's files go to their own folder.
  function layInto(FS) {
    const folders = new Set();
    for (const [path, bytes] of contents) {
      const target = kProgramFolder + path.slice(kSiteFolder.length);
      const folder = target.slice(0, target.lastIndexOf('/'));
      FS.mkdirTree(folder);
      folders.add(folder);
      FS.writeFile(target, bytes);
    }
    contents.clear();
    FS.mkdirTree(kProgramFolder);
    folders.add(kProgramFolder);
    for (const folder of folders) FS.chmod(folder, 0o555);
  }

  // The URL of a file of the program's folder; null for any other path.
  function url(path) {
    if (!path.startsWith(kProgramFolder + '/')) return null;
    return kSiteFolder + path.slice(kProgramFolder.length).split('/').map(encodeURIComponent).join('/');
  }

  return {fetchAll, layInto, url, programFolder: kProgramFolder, missing: () => missing.slice()};
})();
