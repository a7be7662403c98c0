// Reading a small text file whole, without ever blocking on a FIFO, a device or a folder.
#pragma once

#include <cstddef>
#include <string>

namespace tk {

// Reads at most `maxBytes` of the regular file at `path` (a link to one is fine) into
// `bytes`. Anything that is not a regular file is refused before it is opened, and once
// more on the open descriptor, so that a FIFO swapped in between cannot block either.
// False with `why` in words: "file not found", "it is a FIFO, not a file", or the
// system's own description of the failure.
bool readRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                     std::string& why);

}  // namespace tk
