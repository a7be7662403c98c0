// The page's address as the page's stand-in for the command line: what each form starts, and
// that anything doubtful starts the menu rather than something the player did not ask for.
#include <gtest/gtest.h>

#include "app/page_address.h"

namespace tk::test {
namespace {

using Kind = StartRequest::Kind;

TEST(PageAddress, EachWayToStartIsReadWithItsDetails) {
    EXPECT_EQ(StartRequestFromAddress("").kind, Kind::Menu);
    EXPECT_EQ(StartRequestFromAddress("?daily").kind, Kind::Daily);
    EXPECT_EQ(StartRequestFromAddress("daily=").kind, Kind::Daily) << "with or without the '?' and a value";

    const StartRequest level = StartRequestFromAddress("?level=07");
    EXPECT_EQ(level.kind, Kind::Level);
    EXPECT_EQ(level.name, "07");

    const StartRequest random = StartRequestFromAddress("?random=hard&seed=7");
    EXPECT_EQ(random.kind, Kind::Random);
    EXPECT_EQ(random.band, Difficulty::Hard);
    ASSERT_TRUE(random.seed);
    EXPECT_EQ(*random.seed, 7u);
    const StartRequest unseeded = StartRequestFromAddress("?seed=&&random=%65asy");
    EXPECT_EQ(unseeded.kind, Kind::Menu) << "an empty seed is no seed";
    const StartRequest easy = StartRequestFromAddress("?random=%65asy");
    EXPECT_EQ(easy.band, Difficulty::Easy) << "escapes are undone";
    EXPECT_FALSE(easy.seed);
    EXPECT_EQ(*StartRequestFromAddress("?random=expert&seed=18446744073709551615").seed, UINT64_MAX);
}

TEST(PageAddress, WhatCannotBeHonouredStartsTheMenu) {
    for (const char* query : {"?random", "?random=impossible", "?random=hard&seed=-1", "?random=hard&seed=7x",
                              "?random=hard&seed=18446744073709551616", "?seed=7", "?daily&seed=7",
                              "?level=../secret", "?level=%2E%2E%2Fsecret", "?level=", "?daily&level=07",
                              "?daily&daily", "?unknown=1"})
        EXPECT_EQ(StartRequestFromAddress(query).kind, Kind::Menu) << query;
}

}  // namespace
}  // namespace tk::test
