// The page's game controllers (the Gamepad API's standard mapping, polled by web/js/pads.js)
// turned into the keys, latches and held keys of PadKeys, one per controller.
#pragma once

#include <deque>
#include <map>

#include "platform/input.h"
#include "platform/pad_keys.h"
#include "platform/web_page.h"

namespace tk::web {

// What the page queues for a controller (TkPageEvent::kind).
enum PadEvent : std::int32_t { kPadDown = 14, kPadUp = 15, kPadStick = 16, kPadGone = 17 };

class Pads {
public:
    // A controller's event from the page: latches the keys a press stands for and queues the
    // key-down the menus get. Other events are left alone.
    void Take(const TkPageEvent& e, KeyLatches& latches, std::deque<InputEvent>& input);
    // Whether a button or the stick of any controller holds the key down now.
    bool Holds(Key key) const;

private:
    std::map<int, PadKeys> pads_;  // by the page's number for the controller
};

}  // namespace tk::web
