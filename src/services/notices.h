// Notices: a few words for the player over the window, standing a few seconds. Nothing waits
// for them: the game goes on beneath, and a newer notice takes the place of an older one.
#pragma once

#include <cstdint>
#include <string>

#include "platform/wake.h"
#include "platform/window_view.h"

namespace tk {

class Notices {
public:
    static constexpr std::uint64_t kStandsMs = 4000;

    explicit Notices(NoticeView& view) : view_(view) {}

    void Tell(const std::string& text, std::uint64_t now, std::uint64_t standsMs = kStandsMs) {
        view_.shown = true;
        view_.text = text;
        until_ = now + standsMs;
    }
    // Adds a line under a notice that still stands (both then stand `standsMs` from now),
    // or tells it alone.
    void Add(const std::string& text, std::uint64_t now, std::uint64_t standsMs = kStandsMs) {
        Tell(view_.shown ? view_.text + "\r\n" + text : text, now, standsMs);
    }
    // Takes the notice down once its time is up; otherwise says when that will be.
    Wake Advance(std::uint64_t now) {
        if (!view_.shown) return Wake{};
        if (now < until_) return Wake{until_, false};
        view_.shown = false;
        return Wake{};
    }

private:
    NoticeView& view_;
    std::uint64_t until_ = 0;
};

}  // namespace tk
