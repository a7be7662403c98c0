// The clock's tick and its minutes-and-seconds text.
#include "game/clock.h"

#include <cstdlib>

namespace tk {

void Clock::Set(std::int16_t seconds) {
    timeLeft_ = seconds;
    shown_ = Text(timeLeft_);
}

void Clock::Tick() {
    // The count stops by itself at 0; the play loop notices the 0 and ends the level.
    // A negative time limit, which a level file may give (the levels tool warns about
    // it), never moves.
    if (timeLeft_ > 0) --timeLeft_;
    if (timeLeft_ >= 1 && timeLeft_ <= 10) sounds_.Play("time");
    shown_ = Text(timeLeft_);
}

std::string Clock::Text(int seconds) {
    // Minutes and seconds packed as one number, minutes*100 + seconds, shown with at
    // least two digits on each side of the colon.
    // A negative time is shown as the same text with a minus sign ("-00:05"), not as the
    // packed number of a negative value, which would read "-01:05" for five seconds.
    const bool negative = seconds < 0;
    const long long t = std::llabs(static_cast<long long>(seconds));
    const long long minutes = t / 60, secs = t % 60;
    std::string text = std::to_string(minutes);
    if (text.size() < 2) text.insert(0, 2 - text.size(), '0');
    text += ':';
    if (secs < 10) text += '0';
    text += std::to_string(secs);
    return negative ? "-" + text : text;
}

}  // namespace tk
