#include "tablook.h"

#include <QApplication>
#include <QWidget>

namespace {

constexpr const char *AppliedRole = "rmdColourRole";

QColor colourOf(const QPalette &palette, QPalette::ColorRole target, ColourRole role) {
    // A text field's "window background" is the theme's entry background; grey is the face of
    // the read-only report fields for a background and the disabled text for a caption.
    if (role == ColourRole::Grey)
        return target == QPalette::Base ? palette.color(QPalette::Active, QPalette::Button)
                                        : palette.color(QPalette::Disabled, QPalette::WindowText);
    return palette.color(QPalette::Active, target);
}

} // namespace

void ShowColour(QWidget *widget, QPalette::ColorRole target, ColourRole role, bool force) {
    const QVariant applied = widget->property(AppliedRole);
    if (!force && applied.isValid() && applied.toInt() == int(role))
        return;
    widget->setProperty(AppliedRole, int(role));
    if (role == ColourRole::Normal) {
        widget->setPalette(QPalette());
        return;
    }
    QPalette palette;
    palette.setColor(target, colourOf(QApplication::palette(widget), target, role));
    widget->setPalette(palette);
}
