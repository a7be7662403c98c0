// SDL's game-controller events onto PadKeys, one per controller.
#include "platform/sdl_pads.h"

namespace tk::sdl {
namespace {

bool ButtonOf(Uint8 sdlButton, PadButton& button) {
    switch (sdlButton) {
        case SDL_CONTROLLER_BUTTON_A: button = PadButton::A; return true;
        case SDL_CONTROLLER_BUTTON_B: button = PadButton::B; return true;
        case SDL_CONTROLLER_BUTTON_X: button = PadButton::X; return true;
        case SDL_CONTROLLER_BUTTON_Y: button = PadButton::Y; return true;
        case SDL_CONTROLLER_BUTTON_BACK: button = PadButton::Back; return true;
        case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: button = PadButton::LeftShoulder; return true;
        case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: button = PadButton::RightShoulder; return true;
        case SDL_CONTROLLER_BUTTON_DPAD_UP: button = PadButton::DpadUp; return true;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN: button = PadButton::DpadDown; return true;
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT: button = PadButton::DpadLeft; return true;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: button = PadButton::DpadRight; return true;
        case SDL_CONTROLLER_BUTTON_START: button = PadButton::Start; return true;
        default: return false;
    }
}

}  // namespace

Pads::~Pads() {
    for (auto& [id, pad] : pads_) SDL_GameControllerClose(pad.controller);
}

bool Pads::Take(const SDL_Event& e, KeyLatches& latches, std::deque<InputEvent>& input) {
    Key key = Key::None;
    switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED: {
            // Controllers present at start-up are announced this way too.
            SDL_GameController* controller = SDL_GameControllerOpen(e.cdevice.which);
            if (!controller) return false;
            const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
            if (pads_.count(id)) {
                SDL_GameControllerClose(controller);  // announced twice: already open
            } else {
                pads_[id].controller = controller;
            }
            return false;
        }
        case SDL_CONTROLLERDEVICEREMOVED: {
            const auto it = pads_.find(e.cdevice.which);
            if (it == pads_.end()) return false;
            SDL_GameControllerClose(it->second.controller);
            pads_.erase(it);
            return false;
        }
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP: {
            const auto it = pads_.find(e.cbutton.which);
            PadButton button;
            if (it == pads_.end() || !ButtonOf(e.cbutton.button, button)) return false;
            if (e.type == SDL_CONTROLLERBUTTONUP) {
                it->second.keys.Release(button);
                return false;
            }
            key = it->second.keys.Press(button, latches);
            break;
        }
        case SDL_CONTROLLERAXISMOTION: {
            const auto it = pads_.find(e.caxis.which);
            if (it == pads_.end()) return false;
            if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
                key = it->second.keys.Stick(PadAxis::LeftX, e.caxis.value, latches);
            else if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
                key = it->second.keys.Stick(PadAxis::LeftY, e.caxis.value, latches);
            break;
        }
        default: return false;
    }
    if (key != Key::None) input.push_back({InputEvent::Kind::Key, key, 0, {}});
    // A button's press wakes a wait for input even where the menus get no key-down from it:
    // play looks at the keys it latched.
    return key != Key::None || e.type == SDL_CONTROLLERBUTTONDOWN;
}

bool Pads::Holds(Key key) const {
    for (const auto& [id, pad] : pads_)
        if (pad.keys.Holds(key)) return true;
    return false;
}

}  // namespace tk::sdl
