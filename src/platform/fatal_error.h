// A failure that stops the program: shown in the window and on standard error, then the
// program ends with a non-zero status.
#pragma once

#include <stdexcept>

namespace tk {

struct FatalError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace tk
