#include "startup.h"

namespace {

// What one keyword hides: menu items (with their separators, where a separator goes with them)
// and the start-up option of a calculator.
struct Feature {
    const char *keyword;
    std::array<MenuItem, 2> items;
    int itemCount;
    bool withSeparator;
    std::optional<Calculator> option;
};

using I = MenuItem;
const std::array<Feature, 8> Features{{
    // Year-end reports are PDF files too.
    {"PDF", {I::mnuFileExportPDF, I::mnuFileYearEnd}, 2, true, std::nullopt},
    {"InternetUpdate", {I::mnuHelpUpdate}, 1, false, std::nullopt},
    {"InternetBackup",
     {I::mnuOptionsInternetBackup, I::mnuOptionsInternetRestore},
     2,
     true,
     std::nullopt},
    {"FloppyBackup", {I::mnuOptionsBackup, I::mnuOptionsRestore}, 2, true, std::nullopt},
    {"RMD", {I::mnuFileNew}, 1, false, Calculator::Rmd},
    {"RMBD", {I::mnuFileNewRBD}, 1, false, Calculator::Rmbd},
    {"Equal", {I::mnuFileNewEqual}, 1, false, Calculator::Sepp},
    {"Stretch", {I::mnuFileNewStretch}, 1, false, Calculator::Stretch},
}};

void apply(StartupChoice &choice, const Feature &feature) {
    for (int index = 0; index < feature.itemCount; ++index) {
        const MenuItem item = feature.items[std::size_t(index)];
        if (feature.withSeparator)
            choice.menus.hideWithSeparator(item);
        else
            choice.menus[item].visible = false;
    }
    if (!feature.option)
        return;
    const Calculator hidden = *feature.option;
    // Hiding the selected option moves the selection to the next calculator; the last option is
    // never moved off.
    if (choice.selected == hidden && hidden != Calculator::Stretch)
        choice.selected = *CalculatorFromNumber(CalculatorNumber(hidden) + 1);
    choice.options[std::size_t(CalculatorNumber(hidden))].visible = false;
}

} // namespace

MenuState StartupChoice::initialMenus() {
    MenuState menus;
    menus[MenuItem::mnuHelpUpdate].visible = false;
    return menus;
}

void ApplyFeatureList(StartupChoice &choice, const QStringList &lines) {
    for (const QString &line : lines) {
        const QString keyword = line.trimmed();
        for (const Feature &feature : Features) {
            if (keyword == QLatin1String(feature.keyword))
                apply(choice, feature);
        }
    }
}

void ApplyOutdatedSystem(StartupChoice &choice, SystemVersion version) {
    if (!version.outdated() || !choice.menus[MenuItem::mnuFileNewStretch].visible)
        return;
    choice.menus[MenuItem::mnuFileNewStretch].enabled = false;
    CalculatorOption &stretch = choice.options[std::size_t(CalculatorNumber(Calculator::Stretch))];
    stretch.enabled = false;
    stretch.toolTip = QStringLiteral("Requires Windows 98 or Higher");
}

QString CommandLineText(const QStringList &arguments) {
    return arguments.mid(1).join(QLatin1Char(' '));
}

std::optional<Calculator> CalculatorSwitch(const QString &commandLine) {
    const QString text = commandLine.trimmed();
    if (text.size() != 2 || text.at(0) != QLatin1Char('/'))
        return std::nullopt;
    const QChar digit = text.at(1);
    if (digit < QLatin1Char('0') || digit > QLatin1Char('9'))
        return std::nullopt;
    return CalculatorFromNumber(digit.digitValue());
}
