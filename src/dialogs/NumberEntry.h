#pragma once

#include <string_view>

// The options dialog's number rows: a scroll bar whose value is the one that counts,
// and a text box showing it.

// When a change of the text box is taken up by its scroll bar.
enum class ActOn {
    NonZero,   // only when the text reads as a number other than 0
    Always,    // every change, an empty text reading as 0
    NotEmpty,  // only when the text is not empty
};

struct NumberRange {
    int minimum;
    int maximum;
    int pageStep;
    int singleStep;
    ActOn actOn;
    int resetValue;  // what both controls show after an out-of-range entry
};

inline constexpr NumberRange BlueNumRange{1, 100, 10, 1, ActOn::NonZero, 1};
inline constexpr NumberRange SpeedRange{0, 50, 10, 1, ActOn::Always, 0};
inline constexpr NumberRange StepRange{1, 30, 10, 1, ActOn::NotEmpty, 1};
inline constexpr NumberRange SmokeOnCountRange{50, 200, 50, 50, ActOn::Always, 50};
inline constexpr NumberRange ComplementCountRange{0, 30, 10, 1, ActOn::Always, 0};
inline constexpr NumberRange VolumeRange{0, 3000, 300, 1, ActOn::NotEmpty, 1500};

// What a change of the text box does.
enum class EntryAction {
    Ignore,         // nothing changes
    Move,           // the scroll bar moves to `value`
    Reset,          // box and scroll bar both show `value`, the row's reset value
    ResetWhenDone,  // below the minimum while typing: reset when the edit ends
};

struct NumberEntry {
    EntryAction action;
    int value;
};

// The rule for a new text of a row's box (UTF-8). A number typed above the maximum is
// reset at once; one typed below the minimum (`typing` true) only when the edit ends,
// since typing "100" into a box whose range starts at 50 passes through "1" and "10".
// When the edit ends the box's text is taken again with `typing` false.
NumberEntry TakeNumberText(const NumberRange& range, std::string_view text, bool typing);

// The number at the start of a text box's text: leading blanks, an optional sign,
// digits with an optional decimal point and exponent. Reading stops at the first
// character that cannot continue the number; a text with no number reads as 0. A
// number too large for a double reads as infinity, one too small as 0.
double ReadLeadingNumber(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double value);
