// The check and show verbs.
#include "verbs.h"

namespace tk::levels_tool {

int checkVerb(const Args&) { return 2; }
int showVerb(const Args&) { return 2; }

}  // namespace tk::levels_tool
