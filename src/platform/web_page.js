// The browser build's calls into its page (declared in web_page.h): each hands its
// arguments to the page's scripts (web/js/), which hold all the state.
mergeInto(LibraryManager.library, {
  tk_now: function() { return TK.driver.now(); },
  tk_wake: function(at, onInput) { TK.driver.wake(at, onInput !== 0); },
  tk_startup_shown_at: function() { return TK.startup.shownAt(); },

  tk_input_define_key: function(name, key) { TK.input.defineKey(UTF8ToString(name), key); },
  tk_input_next: function(event) {
    var e = TK.input.next();
    if (!e) return 0;
    var at = event >> 2;
    HEAP32[at] = e.kind;
    HEAP32[at + 1] = e.key;
    HEAP32[at + 2] = e.modifiers;
    HEAP32[at + 3] = e.x;
    HEAP32[at + 4] = e.y;
    HEAP32[at + 5] = e.button;
    HEAP32[at + 6] = e.steps;
    HEAP32[at + 7] = e.pad;
    stringToUTF8(e.text, event + 32, 16);
    return 1;
  },
  tk_input_close_requested: function() { return TK.input.closeRequested() ? 1 : 0; },
  tk_input_pointer_shown: function(shown, hidesAt) { TK.input.showPointer(shown !== 0, hidesAt); },

  tk_page_warn: function(line) { TK.page.warn(UTF8ToString(line)); },
  tk_page_fatal: function(text) { TK.page.fatal(UTF8ToString(text)); },
  tk_page_notice: function(text) { TK.page.notice(UTF8ToString(text)); },
  tk_config_home: function(out, size) {
    stringToUTF8(TK.boot.configHome, out, size);
    return lengthBytesUTF8(TK.boot.configHome);
  },
  tk_page_query: function(out, size) {
    stringToUTF8(location.search, out, size);
    return lengthBytesUTF8(location.search);
  },
  tk_utc_seconds: function() { return Math.floor(Date.now() / 1000); },
  tk_clipboard_write: function(text) { return TK.page.copy(UTF8ToString(text)); },

  tk_picture_load_file__deps: ['$FS'],
  tk_picture_load_file: function(path) { return TK.pictures.loadFile(FS, UTF8ToString(path)); },
  tk_picture_load_bytes: function(data, size) {
    return TK.pictures.load(HEAPU8.slice(data, data + size), 'a picture built into the program');
  },
  tk_picture_free: function(picture) { TK.pictures.free(picture); },
  tk_board_cell: function(x, y, background, underlay, piece) { TK.board.cell(x, y, background, underlay, piece); },
  tk_board_sprite: function(picture, left, top) { TK.board.sprite(picture, left, top); },
  tk_board_turned: function(picture, x, y, degrees) { TK.board.turned(picture, x, y, degrees); },
  tk_board_cover: function(picture) { TK.board.cover(picture); },

  $tkColour: function(rgb) { return [(rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255]; },
  $tkLook__deps: ['$tkColour'],
  $tkLook: function(points, bold, rgb, align, ground, outline, outlineWidth) {
    return {
      points: points, bold: bold !== 0, colour: tkColour(rgb), align: ['left', 'center', 'right'][align] || 'left',
      grounded: ground >= 0, ground: tkColour(Math.max(ground, 0)),
      outlined: outline >= 0, outline: tkColour(Math.max(outline, 0)), outlineWidth: outlineWidth,
    };
  },

  tk_window_begin: function() { TK.window.begin(); },
  tk_window_end: function() { TK.window.end(); },
  tk_window_fill__deps: ['$tkColour'],
  tk_window_fill: function(left, top, width, height, rgb) { TK.window.fill(left, top, width, height, tkColour(rgb)); },
  tk_window_picture: function(picture, left, top, width, height) { TK.window.picture(picture, left, top, width, height); },
  tk_window_board: function(left, top, width, height) { TK.window.board(left, top, width, height); },
  tk_window_clip: function(left, top, width, height) { TK.window.clip(left, top, width, height); },
  tk_window_unclip: function() { TK.window.unclip(); },
  tk_window_text__deps: ['$tkLook'],
  tk_window_text: function(text, points, bold, rgb, align, ground, outline, outlineWidth, left, top, width, height,
                           originX, originY) {
    TK.window.text({text: UTF8ToString(text), look: tkLook(points, bold, rgb, align, ground, outline, outlineWidth),
                    box: {left: left, top: top, width: width, height: height}}, originX, originY);
  },
  tk_window_level_box__deps: ['$tkColour', '$tkLook'],
  tk_window_level_box: function(text, caret, left, top, width, height, points, bold, rgb, frame, paper) {
    TK.window.levelBox({text: UTF8ToString(text), caret: caret, place: {left: left, top: top, width: width, height: height},
                        look: tkLook(points, bold, rgb, 0, -1, -1, 0), frame: tkColour(frame), paper: tkColour(paper)});
  },
  tk_level_box_caret_at__deps: ['$tkLook'],
  tk_level_box_caret_at: function(text, caret, left, top, width, height, points, bold, x) {
    return TK.window.levelBoxCaretAt({text: UTF8ToString(text), caret: caret,
                                      place: {left: left, top: top, width: width, height: height},
                                      look: tkLook(points, bold, 0, 0, -1, -1, 0)}, x);
  },
  tk_window_help: function(path, scrollY, left, top, width, height, missingText) {
    TK.window.help(path ? TK.files.url(UTF8ToString(path)) : null, scrollY, left, top, width, height,
                   UTF8ToString(missingText));
  },
  tk_text_ready: function() { return TK.text.ready() ? 1 : 0; },
  tk_text_width__deps: ['$tkLook'],
  tk_text_width: function(text, points, bold) {
    return TK.window.width(tkLook(points, bold, 0, 0, -1, -1, 0), UTF8ToString(text));
  },
  tk_text_block_height__deps: ['$tkLook'],
  tk_text_block_height: function(text, points, bold, width) {
    var layout = TK.window.layOut({text: UTF8ToString(text), look: tkLook(points, bold, 0, 0, -1, -1, 0),
                                   box: {left: 0, top: 0, width: width, height: 0}});
    return layout.lines.length * layout.lineSkip;
  },
  tk_help_height: function() { return TK.help.height(); },

  tk_sound_device: function() { return window.AudioContext || window.webkitAudioContext ? 1 : 0; },
  tk_sound_play__deps: ['$FS'],
  tk_sound_play: function(path) { return TK.sound.play(FS, UTF8ToString(path)) ? 1 : 0; },
  tk_music_play__deps: ['$FS'],
  tk_music_play: function(path) {
    // The folder holds a mark where the server has the music, which streams from its URL.
    var file = UTF8ToString(path);
    var url = TK.files.url(file);
    return url && FS.analyzePath(file).exists && TK.sound.playMusic(url) ? 1 : 0;
  },
  tk_music_stop: function() { TK.sound.stopMusic(); },
  tk_display_fullscreen: function(on) { TK.display.setFullscreen(on !== 0); },
  tk_display_width: function() { return TK.display.desktopWidth(); },
  tk_display_height: function() { return TK.display.desktopHeight(); },
});
