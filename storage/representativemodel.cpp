#include "representativemodel.h"

#include "clock.h"
#include "controllists.h"
#include "prompter.h"
#include "representativerecord.h"

#include <QFileInfo>
#include <QSettings>

namespace {

constexpr int SettingsValueLength = 64;
constexpr int LastCheckedEntry = 11; // the state is not part of the required check

bool fileExists(const QString &path) {
    const QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}

// QSettings reads an unquoted value with commas as a list; the profile functions it stands in
// for return the line as written.
QString settingsText(const QVariant &value) {
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

} // namespace

const std::array<RepresentativeEntry, 14> &RepresentativeEntries() {
    static const std::array<RepresentativeEntry, 14> entries{{
        {"&First Name*", 20},
        {"&Initial", 1},
        {"&Last*", 30},
        {"Rep. &Number", 20},
        {"&Agency Name", 30},
        {"&Work Phone", 30},
        {"&Mobile Phone", 30},
        {"Fa&x Number", 30},
        {"&Email Address", 60},
        {"&Street / PO Box*", 60},
        {"&City*", 30},
        {"&Zip*", 11},
        {"", 20}, // the hidden time stamp
        {"S&tate*", 2},
    }};
    return entries;
}

QString StateLookup(const QString &code) {
    const qsizetype index = ControlLists::stateCodes().indexOf(code.toUpper());
    return index < 0 ? QStringLiteral("99") : QString::number(index);
}

QString StateCode(int index) {
    const QStringList &codes = ControlLists::stateCodes();
    return index >= 0 && index < codes.size() ? codes.at(index) : QStringLiteral("XX");
}

QChar StateKey(QChar typed) {
    return typed > QLatin1Char('Z') && typed.isLower() ? typed.toUpper() : typed;
}

bool CheckStateEntry(const QString &text, Prompter &prompter) {
    if (StateLookup(text) != QLatin1String("99"))
        return true;
    prompter.notice(QStringLiteral("Entry Error"), QStringLiteral("Invalid State Code."),
                    MessageIcon::Exclamation);
    return false;
}

RepresentativeDetails RepresentativeDefaults(const QString &settingsFile) {
    RepresentativeDetails details;
    if (!QFileInfo(settingsFile).isFile())
        return details;
    QSettings settings(settingsFile, QSettings::IniFormat);
    settings.beginGroup(QStringLiteral("Agent Information"));
    for (const RepresentativeKey &key : representativeKeys()) {
        const QString value = settingsText(settings.value(QLatin1String(key.key)))
                                  .left(SettingsValueLength)
                                  .trimmed();
        details.*key.member = value;
    }
    // The lookup turns the code to upper case; a code the list lacks leaves the state empty.
    details.state = StateCode(StateLookup(details.state).toInt());
    if (details.state == QLatin1String("XX"))
        details.state.clear();
    return details;
}

Result<RepresentativeDetails> LoadRepresentative(const QString &representativeFile,
                                                 const QStringList &settingsFiles) {
    if (fileExists(representativeFile))
        return ReadRepFile(representativeFile);
    for (const QString &settings : settingsFiles) {
        if (QFileInfo(settings).isFile())
            return {RepresentativeDefaults(settings), std::nullopt};
    }
    return {{}, std::nullopt};
}

std::optional<int> MissingRequiredEntry(const RepresentativeDetails &details) {
    const auto keys = representativeKeys();
    for (int index = 0; index <= LastCheckedEntry; ++index) {
        const bool required = QLatin1String(RepresentativeEntries()[std::size_t(index)].caption)
                                  .contains(QLatin1Char('*'));
        if (required && (details.*keys[std::size_t(index)].member).trimmed().isEmpty())
            return index;
    }
    return std::nullopt;
}

bool RequiredCheck(const RepresentativeDetails &details, Prompter &prompter) {
    if (!MissingRequiredEntry(details))
        return true;
    prompter.notice(QStringLiteral("Missing Required Information"),
                    QStringLiteral("Please fill in all required fields."),
                    MessageIcon::Exclamation);
    return false;
}

RepresentativeSave ConfirmRepresentative(RepresentativeDetails &details,
                                         const QString &representativeFile, const Clock &clock,
                                         Prompter &prompter, StorageError *error) {
    if (!RequiredCheck(details, prompter))
        return RepresentativeSave::Incomplete;
    details.runDate = clock.now().toString(QStringLiteral("MM/dd/yyyy HH:mm:ss"));
    if (Status failure = RepWriteFlat(representativeFile, details)) {
        if (error)
            *error = *failure;
        return RepresentativeSave::Failed;
    }
    return RepresentativeSave::Saved;
}

bool CancelRepresentative(const RepresentativeDetails &details) {
    return MissingRequiredEntry(details).has_value();
}
