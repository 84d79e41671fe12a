// The screen elements the colours manager can change and the named colours it
// offers, as data.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace ovix {

struct ScreenElement {
    const char* text;
    int colorIndex;            // COLOR_ constant
    const char* valueName;     // under HKCU\Control Panel\Colors
    const char* confirmation;  // "%s": the colour's name
};

struct NamedColour {
    const char* name;
    uint8_t red, green, blue;
};

std::span<const ScreenElement> ScreenElements();
std::span<const NamedColour> NamedColours();

// The value the registry keeps: "R G B".
std::string SavedColourText(const NamedColour& colour);
// As a COLORREF: red in the low byte.
uint32_t ColourRef(const NamedColour& colour);

}  // namespace ovix
