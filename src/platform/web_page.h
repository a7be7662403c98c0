// The calls the browser build makes into its page (web_page.js, over web/js/): the clock and
// the program's wake time, the queued input, the window's list of elements, the board, the
// pictures, sound, the help page, full screen and the page's notices. Strings are UTF-8;
// colours are 0xRRGGBB; a picture handle of 0 is no picture.
#pragma once

#include <cstdint>

extern "C" {

// ---- time and the program's passes ----------------------------------------------
double tk_now();                             // ms since the page was opened
// When the page itself first showed the start-up picture (js/startup.js), on tk_now's clock;
// negative while it has not.
double tk_startup_shown_at();
void tk_wake(double at, int onInput);       // at: Infinity for no deadline

// ---- input ------------------------------------------------------------------------
// What tk_input_next hands over; kinds as TK.input.kinds: 1 key down, 2 key up, 3 text,
// 4 close, 5 focus lost, 6 focus back, 7 hidden, 8 shown, 9 pointer down, 10 pointer up,
// 11 pointer moved, 12 full screen left by the player, 13 wheel turned, and for a game
// controller 14 button down, 15 button up, 16 stick moved, 17 controller gone; 18 the
// clipboard's answer.
struct TkPageEvent {
    std::int32_t kind;
    std::int32_t key;        // the number the program gave the key's name
    std::int32_t modifiers;  // 1 Shift, 2 Ctrl, 4 Alt
    std::int32_t x, y;       // window pixels, for the pointer; a controller's axis in x
    std::int32_t button;     // 0 left, 1 middle, 2 right; a controller's by its standard number
    std::int32_t steps;      // the wheel's notches, positive away from the player; an axis's
                             // value, -32768..32767, negative left or up
    std::int32_t pad;        // the page's number for the controller
    char text[16];           // one typed character
};
void tk_input_define_key(const char* name, int key);
int tk_input_next(TkPageEvent* event);      // 0 when nothing is waiting
int tk_input_close_requested();
// The pointer over the window shows (or hides, as CSS's `cursor: none`); shown, it hides by
// itself at `hidesAt` (on tk_now's clock) unless told again before.
void tk_input_pointer_shown(int shown, double hidesAt);

// ---- the page ---------------------------------------------------------------------
void tk_page_warn(const char* line);         // the console, as standard error
void tk_page_fatal(const char* text);        // over the window and in the console
void tk_page_notice(const char* text);       // a line in the page, told once
int tk_config_home(char* out, int size);     // the player's configuration home; its length
int tk_page_query(char* out, int size);      // the page address's query ("?daily"); its length
double tk_utc_seconds();                     // the browser's calendar clock, in seconds since 1970
// 1 when the line went to the clipboard, 0 when it did not, 2 when the browser's clipboard
// was asked: its answer comes as input (18, steps 1 when it went).
int tk_clipboard_write(const char* text);

// ---- pictures and the board -------------------------------------------------------
int tk_picture_load_file(const char* path);  // 0 when missing or not a PNG or JPEG
int tk_picture_load_bytes(const unsigned char* data, int size);
void tk_picture_free(int picture);
void tk_board_cell(int x, int y, int background, int underlay, int piece);
void tk_board_sprite(int picture, float left, float top);
void tk_board_turned(int picture, int x, int y, float degrees);
void tk_board_cover(int picture);

// ---- the window: begin, the elements from the bottom up, end ------------------------
void tk_window_begin();
void tk_window_end();
void tk_window_fill(int left, int top, int width, int height, int rgb);
void tk_window_picture(int picture, int left, int top, int width, int height);  // width 0: own size
void tk_window_board(int left, int top, int width, int height);
void tk_window_clip(int left, int top, int width, int height);
void tk_window_unclip();
// align: 0 left, 1 centre, 2 right; ground and outline -1 for none.
void tk_window_text(const char* text, double points, int bold, int rgb, int align, int ground, int outline,
                    int outlineWidth, int left, int top, int width, int height, int originX, int originY);
void tk_window_level_box(const char* text, int caret, int left, int top, int width, int height, double points,
                         int bold, int rgb, int frame, int paper);
// The caret a click at window x puts in that level box (laid out as tk_window_level_box does).
int tk_level_box_caret_at(const char* text, int caret, int left, int top, int width, int height, double points,
                          int bold, int x);
// The help page of the program's folder over its place; a null path shows missingText.
void tk_window_help(const char* path, int scrollY, int left, int top, int width, int height,
                    const char* missingText);
int tk_text_ready();                          // the font has loaded
int tk_text_width(const char* text, double points, int bold);
// The height of a block's lines, wrapped to `width` (0: not wrapped).
int tk_text_block_height(const char* text, double points, int bold, int width);
int tk_help_height();                         // 0 until the page has loaded

// ---- sound and the display --------------------------------------------------------
int tk_sound_device();                        // 1 when the browser can sound at all
int tk_sound_play(const char* path);          // 1 when it sounds
int tk_music_play(const char* path);
void tk_music_stop();
void tk_display_fullscreen(int on);
int tk_display_width();
int tk_display_height();

}  // extern "C"
