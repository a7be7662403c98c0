// The countdown clock: its text, the count that stops at 0 and the last-ten-seconds warning.
#include "play_fixture.h"

namespace tk::test {
namespace {

TEST(ClockText, MinutesAndSecondsWithAtLeastTwoDigitsEach) {
    const std::pair<int, const char*> table[] = {
        {0, "00:00"},   {9, "00:09"},     {59, "00:59"},     {60, "01:00"},
        {75, "01:15"},  {90, "01:30"},    {600, "10:00"},    {5999, "99:59"},
        {6000, "100:00"}, {32767, "546:07"},
        // Negative times come only from a repaired level; they read as the same
        // clock with a minus sign, not as the packed number of a negative value.
        {-5, "-00:05"}, {-65, "-01:05"},  {-600, "-10:00"},  {-32768, "-546:08"},
    };
    for (const auto& [seconds, text] : table) EXPECT_EQ(tk::Clock::Text(seconds), text) << seconds;
}

class Clock : public PlayTest {
protected:
    void tick(int times) {
        for (int i = 0; i < times; ++i) session().clock().Tick();
    }
};

TEST_F(Clock, WarnsInEachOfTheLastTenSecondsAndStopsAtZero) {
    session().clock().setTimeLeft(11);
    tick(1);
    EXPECT_EQ(session().clock().timeLeft(), 10);
    EXPECT_EQ(view().play.clock, "00:10");
    EXPECT_EQ(countSounds("time"), 1);

    tick(9);
    EXPECT_EQ(view().play.clock, "00:01");
    EXPECT_EQ(countSounds("time"), 10);

    tick(1);  // the tick that reaches 0 is silent
    EXPECT_EQ(session().clock().timeLeft(), 0);
    EXPECT_EQ(view().play.clock, "00:00");
    tick(3);
    EXPECT_EQ(session().clock().timeLeft(), 0);
    EXPECT_EQ(view().play.clock, "00:00");
    EXPECT_EQ(countSounds("time"), 10);
}

TEST_F(Clock, LongTimesCountQuietlyAndNegativeTimesStandStill) {
    session().clock().setTimeLeft(65);
    tick(1);
    EXPECT_EQ(view().play.clock, "01:04");
    tick(53);
    EXPECT_EQ(view().play.clock, "00:11");
    EXPECT_TRUE(plat().Sounds().empty());

    session().clock().setTimeLeft(-3);
    tick(5);
    EXPECT_EQ(session().clock().timeLeft(), -3);
    EXPECT_EQ(view().play.clock, "-00:03");
    EXPECT_TRUE(plat().Sounds().empty());
}

}  // namespace
}  // namespace tk::test
