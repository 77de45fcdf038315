#include "windowplacement.h"

#include "numbertext.h"

namespace {

const std::array<PlacementKey, 5> Keys{{
    {"Top", "1"},
    {"Left", "1"},
    {"Width", "8370"},
    {"Height", "8775"},
    {"WindowState", "0"},
}};

int number(const QString &text) {
    return int(NumberText::Val(text));
}

// A position at or beyond the screen's far edge brings the window's far edge to it; one below 1
// becomes 1.
int keptOn(int position, int size, int screen) {
    if (position >= screen)
        position = screen - size;
    return position < 1 ? 1 : position;
}

} // namespace

const std::array<PlacementKey, 5> &PlacementKeys() {
    return Keys;
}

QSize MinimumWindowSize(int inputFrameWidth, int inputFrameLeft) {
    return {4 * inputFrameWidth + inputFrameLeft, 9000};
}

Placement
PlacementAtLoad(const std::function<QString(const char *key, const QString &fallback)> &read,
                QSize screen) {
    std::array<int, 5> values{};
    for (std::size_t index = 0; index < Keys.size(); ++index)
        values[index] = number(read(Keys[index].key, QLatin1String(Keys[index].fallback)));
    Placement placement;
    placement.width = values[2] >= screen.width() ? screen.width() - 100 : values[2];
    placement.height = values[3] >= screen.height() ? screen.height() - 200 : values[3];
    placement.top = keptOn(values[0], placement.height, screen.height());
    placement.left = keptOn(values[1], placement.width, screen.width());
    const int state = values[4];
    placement.state = state >= 0 && state <= 2 ? WindowState(state) : WindowState::Normal;
    return placement;
}

std::array<QString, 5> PlacementToStore(const Placement &placement, QSize screen, QSize minimum) {
    const auto position = [](int at, int size, int screenSize) {
        return at < 0 || at + size > screenSize ? QStringLiteral("1") : QString::number(at);
    };
    return {position(placement.top, placement.height, screen.height()),
            position(placement.left, placement.width, screen.width()),
            QString::number(std::max(placement.width, minimum.width())),
            QString::number(std::max(placement.height, minimum.height())),
            QString::number(int(placement.state))};
}
