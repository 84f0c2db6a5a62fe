#pragma once

namespace tamo {

// The "+" and "-" buttons of the topic window change the text size in whole points between 6
// and 24; from 12 points on the text is set bold, so large text stays readable.
struct TextFont {
    double size; // points, starting at 9.75
    bool bold;
};

inline constexpr TextFont initialTextFont{9.75, false};

// One point larger, up to 24, rounded to a whole point (halves to even); bold above 11.
TextFont enlargeText(TextFont f);

// One point smaller, down to 6, rounded to a whole point (halves to even); regular below 12.
TextFont shrinkText(TextFont f);

} // namespace tamo
