// The names on the credits lines beside the headings: this project's own team on each line.
// Short enough that the names column (x 664 to the window's edge at 800) holds them in
// the substitute fonts too.
#pragma once

namespace tk {

inline constexpr const char* kCreditNames = "© TramolKulap\r\n© TramolKulap\r\n© TramolKulap";

}  // namespace tk
