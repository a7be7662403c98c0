// The names on the credits lines beside the headings: this project's own team on each line.
#pragma once

namespace tk {

inline constexpr const char* kCreditNames = "© TramolKulap team\r\n© TramolKulap team\r\n© TramolKulap team";

}  // namespace tk
