#include "tools/colour_tables.h"

#include "framework/text_format.h"

namespace ovix {
namespace {

constexpr ScreenElement kElements[] = {
    {"Desktop", 1, "Background", "Desktop has now a %s color."},
    {"Window background", 5, "Window", "Background windows have now a %s color."},
    {"Menu background", 4, "Menu", "Background menus have now a %s color."},
    {"Text in menus", 7, "MenuText", "Text in menus have now a %s color."},
    {"Text in windows", 8, "WindowText", "Text in windows have now a %s color."},
    {"Window frame", 6, "WindowFrame", "Windows frame has now a %s color."},
    {"Text on push buttons", 18, "ButtonText", "Text on push buttons have now a %s color."},
    {"Active window title bar", 2, "ActiveTitle", "Active window title bar have now a %s color."},
    {"Dialog box background", 15, "ButtonAlternateFace", "Dialogs box background have now a %s color."},
    {"Active window border", 10, "ActiveBorder", "Active windows borders have now a %s color."},
    {"Background color for tooltip controls", 24, "InfoWindow", "Tootlips background have now a %s color."},
    {"Text color for tooltip controls", 23, "InfoText", "Tootlips text have now a %s color."},
    {"Caption (text, size box, scroll bar arrow box)", 9, "TitleText", "Caption has now a %s color."},
    {"Item(s) selected in a control", 13, "Hilight", "Selected items in controls have now a %s color."},
    {"Text of item(s) selected in a control", 14, "HilightText",
     "Text of item(s) selected in a control have now a %s color."},
};

constexpr NamedColour kColours[] = {
    {"Cyan", 0, 255, 255},           {"Lavender", 230, 230, 250},        {"Navajo White", 255, 222, 173},
    {"Red", 255, 0, 0},              {"Matrix", 0, 255, 0},              {"Snow", 255, 250, 250},
    {"Snow2", 238, 233, 233},        {"Snow3", 205, 201, 201},           {"Snow4", 139, 137, 137},
    {"Maroon", 176, 48, 96},         {"Blue", 0, 0, 255},                {"Antique White", 250, 235, 215},
    {"Cadet Blue", 95, 158, 160},    {"Misty Rose", 255, 228, 225},      {"Light Slate Gray", 119, 136, 153},
    {"Rosy Brown", 188, 143, 143},   {"Dark Khaki", 189, 183, 107},      {"Goldenrode", 218, 165, 32},
    {"Indian Red", 205, 92, 92},     {"Gainsboro", 220, 220, 220},       {"Orange", 255, 165, 0},
    {"Dark Orange", 255, 140, 0},    {"Midnight Blue", 25, 25, 112},     {"Chocolate", 210, 105, 30},
    {"White", 255, 255, 255},        {"Gold", 255, 215, 0},              {"Slate Blue", 106, 90, 205},
    {"Forest Green", 34, 139, 34},   {"Medium Sea Green", 60, 179, 113}, {"Tomato", 255, 99, 71},
    {"Pink", 255, 192, 203},         {"Violet Red", 208, 32, 144},       {"Thistle", 216, 191, 216},
    {"Light Coral", 240, 128, 128},  {"Azur", 240, 255, 255},            {"Gray", 190, 190, 190},
    {"Burlywood", 222, 184, 135},    {"Peru", 205, 133, 63},             {"Dodger Blue", 30, 144, 255},
    {"Dark Turquoise", 0, 206, 209},
};

}  // namespace

std::span<const ScreenElement> ScreenElements() { return kElements; }
std::span<const NamedColour> NamedColours() { return kColours; }

std::string SavedColourText(const NamedColour& c) { return fw::Format("%u %u %u", c.red, c.green, c.blue); }

uint32_t ColourRef(const NamedColour& c) {
    return static_cast<uint32_t>(c.red) | (static_cast<uint32_t>(c.green) << 8) | (static_cast<uint32_t>(c.blue) << 16);
}

}  // namespace ovix
