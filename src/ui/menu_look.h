// How the five menu lines and their cursor look on the main menu and the options screen.
#pragma once

#include "platform/controls.h"

namespace tk::menulook {

inline constexpr Rgb kNormal{208, 208, 208};
inline constexpr Rgb kHighlight{224, 255, 0};

inline constexpr int kLines = 5;
inline constexpr int kLeft = 103;
inline constexpr int kFirstTop = 150;
inline constexpr int kPitch = 65;
inline constexpr int kHeight = 61;

// The main menu's lines are larger; the options screen needs room for longer captions.
inline constexpr double kMainMenuPt = 36;
inline constexpr double kOptionsPt = 30;

// The cursor sits a little above its line, further with the smaller options font.
inline constexpr int kMainMenuCursorOffset = -4;
inline constexpr int kOptionsCursorOffset = -10;

inline constexpr int lineTop(int index) { return kFirstTop + kPitch * index; }

// Places the lines and gives them their font; colours and captions are left alone,
// so the highlight survives a change of screen or language.
inline void setLines(Label (&lines)[kLines], double points) {
    for (int i = 0; i < kLines; ++i) {
        Label& l = lines[i];
        l.Left = kLeft;
        l.Top = lineTop(i);
        l.Height = kHeight;
        l.AutoSize = true;
        l.BackOpaque = false;
        l.FontBold = true;
        l.FontSize = points;
    }
}

}  // namespace tk::menulook
