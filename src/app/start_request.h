// What the game starts with, as the command line asked: the menu, a level, or a generated level.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "puzzle/generator.h"

namespace tk {

struct StartRequest {
    enum class Kind {
        Menu,   // nothing asked: the main menu
        File,   // a level file anywhere (`path`)
        Level,  // a level of the game's levels folder (`name`)
        Daily,  // the day's generated level
        Random  // a generated level of `band`, from `seed` when one was given
    };
    Kind kind = Kind::Menu;
    std::string path;
    std::string name;
    Difficulty band = Difficulty::Any;
    std::optional<std::uint64_t> seed;
};

}  // namespace tk
