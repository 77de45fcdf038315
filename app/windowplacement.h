#pragma once

// Where the main window goes: read at load from the program's settings file or the user's
// settings, kept on the screen, and written back at exit. Positions and sizes are in twips; one
// twip is 1/15 of a logical pixel, so the window keeps its proportions on high-DPI screens.

#include "reportpictures.h" // TwipsPerPixel: 96 logical pixels to the inch, as pictures

#include <QSize>
#include <QString>
#include <array>
#include <functional>

// Window states as stored: 0 normal, 1 minimised, 2 maximised.
enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };

struct Placement {
    int top = 1;
    int left = 1;
    int width = 8370;
    int height = 8775;
    WindowState state = WindowState::Normal;
    bool operator==(const Placement &) const = default;
};

// The settings keys and their defaults, in reading order.
struct PlacementKey {
    const char *key;
    const char *fallback;
};
const std::array<PlacementKey, 5> &PlacementKeys();

// The smallest window: four input frames wide plus the frame's left position, 9000 twips high.
QSize MinimumWindowSize(int inputFrameWidth, int inputFrameLeft);

// Load: each key read with `read(key, default)`, then kept on a screen of `screen` twips: a top
// at or beyond the screen height puts the window's bottom at the screen's, a top below 1 becomes
// 1, and the same for left; a width at or beyond the screen's becomes the screen's less 100, a
// height at or beyond it the screen's less 200.
Placement
PlacementAtLoad(const std::function<QString(const char *key, const QString &fallback)> &read,
                QSize screen);

// Exit: the texts written for each key, in key order. Top and left become "1" when the window
// reaches past the screen's bottom or right edge or lies at a negative position; width and
// height are raised to the minimum.
std::array<QString, 5> PlacementToStore(const Placement &placement, QSize screen, QSize minimum);

// Twips to logical pixels and back.
constexpr int ToPixels(int twips) {
    return twips / int(TwipsPerPixel);
}
constexpr int ToTwips(int pixels) {
    return pixels * int(TwipsPerPixel);
}
