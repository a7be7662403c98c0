// Starting the game in the page: the program's WebAssembly compiled at once, the list of the
// data, then the program beside the data and the font (each named in the page when the
// server lacks it), driven pass by pass.
'use strict';

TK.boot = (() => {
  // The program's folders in the page's file system: its data (js/files.js) and the
  // player's configuration home, whose game folder the browser's storage keeps.
  const kConfigHome = '/config';
  const kPlayerFolder = kConfigHome + '/tramolkulap';
  const kProgram = 'tramolkulap.js';
  const kWebAssembly = 'tramolkulap.wasm';

  function fromFileSystem() {
    const text = 'TramolKulap must come from a web server to run: a page opened as a file may not load ' +
      'its own data. In the game\'s source folder run "make web-serve" and open http://127.0.0.1:8000/ ' +
      '(or put build-web/site on any web server).';
    console.warn(text);
    TK.page.message(text);
  }

  // The program's WebAssembly, asked for and compiled at once, while the rest comes: as it
  // downloads where the server says what it is, else from its bytes.
  function compileProgram() {
    const compiled = fetch(kWebAssembly).then((response) => {
      if (!response.ok) {
        throw new Error(`Missing on the server: ${kWebAssembly}, the game's program ` +
                        `(${response.status} ${response.statusText}).`.replace(' )', ')'));
      }
      const type = response.headers.get('Content-Type') || '';
      if (WebAssembly.compileStreaming && type.split(';')[0].trim() === 'application/wasm') {
        return WebAssembly.compileStreaming(response);
      }
      return response.arrayBuffer().then((bytes) => WebAssembly.compile(bytes));
    });
    // Told when the program's script asks for it (instantiateWasm).
    compiled.catch(() => {});
    return compiled;
  }

  // The program starts as soon as it has come, while the data and the font still come: its
  // start-up picture stands meanwhile, and its passes after the first wait until `ready`.
  function startProgram(compiled, ready) {
    const Module = window.Module = {
      preRun: [() => {
        TK.files.layInto(Module.FS);
        TK.storage.restore(Module.FS, kPlayerFolder);
      }],
      print: (line) => console.log(line),
      printErr: (line) => TK.page.warn(line),
      onAbort: (what) => TK.page.fatal(`The game stopped: ${what}`),
      // Fetched here rather than by the program's script, so that a server that lacks it
      // is named, and one that gives it the wrong type still serves it.
      instantiateWasm: (imports, receive) => {
        compiled
          .then((module) => WebAssembly.instantiate(module, imports).then((instance) => receive(instance, module)))
          .catch((e) => TK.page.fatal(e.message || String(e)));
        return {};
      },
      // main() has set the program up; from here the page runs its passes.
      postRun: [() => {
        TK.driver.afterEachPass(() => {
          TK.window.flush();
          TK.storage.sync(Module.FS);
        });
        TK.help.onLoad(() => TK.window.invalidate());
        TK.driver.start(() => {
          if (Module._tk_pass() !== 0) return true;
          // The game has ended (Quit, or what stopped it): the desktop's window would close.
          TK.page.message('TramolKulap has ended. Reload the page to play again.');
          return false;
        }, ready);
      }],
    };
    const script = document.createElement('script');
    script.src = kProgram;
    script.onerror = () => TK.page.fatal(`Missing on the server: ${kProgram}, the game's program.`);
    document.body.append(script);
  }

  async function start() {
    if (location.protocol === 'file:') {
      fromFileSystem();
      return;
    }
    TK.page.fit();
    const compiled = compileProgram();
    // The program's script is asked for now too: it runs only once the list of the data is in,
    // but asked for then it would wait behind the hundred files of the data.
    const hint = Object.assign(document.createElement('link'), {rel: 'preload', as: 'script', href: kProgram});
    document.head.append(hint);
    const font = TK.text.load('fonts/LiberationSans-Regular.woff2', 'fonts/LiberationSans-Bold.woff2');
    if (!await TK.files.fetchList('files.txt')) return;
    const ready = Promise.all([TK.files.fetchAll(), font]);
    // A level the address names (?level=07) is read as the program starts: its data comes first.
    if (new URLSearchParams(location.search).has('level')) await ready;
    startProgram(compiled, ready);
  }

  start();
  return {configHome: kConfigHome, playerFolder: kPlayerFolder};
})();
