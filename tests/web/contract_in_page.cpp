// The platform's contract inside a web page, on the page's own platform: the cases of
// contract_cases.h a page can run. The page's tests serve this program in place of the game's
// and read what GoogleTest printed on the console; it never runs a pass of its own.
#include <emscripten.h>
#include <gtest/gtest.h>

#include <memory>

#include "platform/contract_cases.h"
#include "support/daily_fingerprint.h"
#include "platform/web_page.h"
#include "platform/web_platform.h"

// The player's pointer over the canvas however it is scaled, at a whole point of the page over
// a window pixel, as a mouse's are (kind 1 moved, 2 button down, 3 wheel); the keyboard lost
// (4); the tab put away (5). The page's tests give the page room for the window at more than
// its own size, so that every window pixel lies under some whole point.
EM_JS(void, SendToPage, (int kind, int x, int y, int button, int steps), {
    const canvas = document.getElementById('window');
    const rect = canvas.getBoundingClientRect();
    const at = {clientX: Math.ceil(rect.left + x * rect.width / 800 + 0.01),
                clientY: Math.ceil(rect.top + y * rect.height / 600 + 0.01), button: button, bubbles: true,
                cancelable: true};
    if (kind === 1) canvas.dispatchEvent(new PointerEvent('pointermove', at));
    if (kind === 2) canvas.dispatchEvent(new PointerEvent('pointerdown', at));
    if (kind === 3) canvas.dispatchEvent(new WheelEvent('wheel', Object.assign({deltaY: -100 * steps, deltaMode: 0}, at)));
    if (kind === 4) window.dispatchEvent(new FocusEvent('blur'));
    if (kind === 5) {
        Object.defineProperty(document, 'hidden', {value: true, configurable: true});
        document.dispatchEvent(new Event('visibilitychange'));
        delete document.hidden;
    }
});

namespace tk::test {
namespace {

class WebSubject : public Subject {
public:
    WebSubject() : plat_(CreateWebPlatform()) {
        // What an earlier subject left in the page's queue is not this one's.
        InputEvent ignored;
        while (plat_->NextInput(ignored)) {
        }
        // In a page a letter's key always types the letter too (the desktop's test driver
        // presses keys alone): a window without the level box takes no text.
        plat_->Present(WindowView{});
    }
    Platform& plat() override { return *plat_; }
    // The player's key, as the browser hands it to the page: by its name and place.
    void PressKey(Key key, int modifiers) override {
        std::string name, code;
        switch (key) {
            case Key::Return: name = code = "Enter"; break;
            case Key::Escape: name = code = "Escape"; break;
            case Key::Left: name = code = "ArrowLeft"; break;
            case Key::Right: name = code = "ArrowRight"; break;
            case Key::Up: name = code = "ArrowUp"; break;
            case Key::Down: name = code = "ArrowDown"; break;
            default: {
                const char letter = static_cast<char>('a' + static_cast<int>(key) - static_cast<int>(Key::A));
                name = std::string(1, letter);
                code = std::string("Key") + static_cast<char>(letter - 'a' + 'A');
            }
        }
        EM_ASM({ window.dispatchEvent(new KeyboardEvent('keydown', {key: UTF8ToString($0), code: UTF8ToString($1),
                     shiftKey: !!($2 & 1), ctrlKey: !!($2 & 2), altKey: !!($2 & 4), cancelable: true})); },
               name.c_str(), code.c_str(), modifiers);
    }
    // A page is typed into only by keys, each of which is a key-down too.
    void TypeText(const std::string& text) override {
        for (char c : text)
            EM_ASM({ window.dispatchEvent(new KeyboardEvent('keydown', {key: String.fromCharCode($0)})); }, c);
    }
    void AskToClose() override { EM_ASM({ window.dispatchEvent(new PageTransitionEvent('pagehide')); }); }
    std::uint32_t ScreenPixel(int x, int y) override {
        return static_cast<std::uint32_t>(EM_ASM_INT({
            const p = TK.window.pixels($0, $1, 1, 1);
            return (p[0] << 16) | (p[1] << 8) | p[2];
        }, x, y));
    }
    void Send(const InputEvent& event) override {
        using K = InputEvent::Kind;
        const int kind = event.kind == K::PointerMove ? 1 : event.kind == K::PointerDown ? 2 : event.kind == K::Wheel ? 3
                         : event.kind == K::FocusLost ? 4 : event.kind == K::Minimised ? 5 : 0;
        SendToPage(kind, event.x, event.y, static_cast<int>(event.button), event.wheelSteps);
    }
    bool FullScreen() override { return EM_ASM_INT({ return document.fullscreenElement ? 1 : 0; }) != 0; }
    // Not run in the page: a browser lets a page copy only inside the player's key or click.
    std::string Clipboard() override { return {}; }
    // The page's window stands where the page puts it.
    ScreenArea LargestMonitor() override { return {0, 0, tk_display_width(), tk_display_height()}; }

private:
    std::unique_ptr<Platform> plat_;
};

TEST(PageContract, AKeyIsLatchedUntilLookedAtAndALookSeesWhatArrivedJustBeforeIt) {
    WebSubject s;
    CaseAKeyIsLatchedUntilLookedAtAndALookSeesWhatArrivedJustBeforeIt(s);
}

TEST(PageContract, ANoticeIsOnScreenAtOnceAndNothingWaitsForIt) {
    WebSubject s;
    CaseANoticeIsOnScreenAtOnceAndNothingWaitsForIt(s);
}

TEST(PageContract, ThePointerAndFocusArriveInPicturePixelsInOrderAndTheLastClickIsLatched) {
    WebSubject s;
    CaseThePointerAndFocusArriveInPicturePixelsInOrderAndTheLastClickIsLatched(s);
}

// Made by the page's build of the generator, the day's puzzle is the desktop's level.
TEST(PageContract, TheDailyPuzzleOfEachDateIsTheLevelTheDesktopMakes) {
    for (const DailyFingerprint& day : kDailyFingerprints) {
        SCOPED_TRACE(day.date.day);
        EXPECT_EQ(dailyFingerprint(day.date), day.fingerprint);
    }
}

}  // namespace
}  // namespace tk::test

extern "C" {
// The page's driver asks for passes; this program has none.
__attribute__((used)) int tk_pass() { return 0; }
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const int failed = RUN_ALL_TESTS();
    EM_ASM({ window.contractFailed = $0; }, failed);
    return 0;
}
