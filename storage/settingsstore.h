#pragma once

// The per-user program settings: application "rmdcalc", one section per user (SettingsSection),
// text values, switches stored as "True" and "False". The QSettings behind it is handed in, so
// tests and tools can use an INI file of their own.

#include "ruleset.h"

#include <QSettings>
#include <memory>

namespace SettingsKey {
// The main window's placement.
constexpr const char *Top = "Top";
constexpr const char *Left = "Left";
constexpr const char *Width = "Width";
constexpr const char *Height = "Height";
constexpr const char *WindowState = "WindowState";
// The Report menu's page switches.
constexpr const char *ReportCover = "ReportCover";
constexpr const char *ReportWenmark = "ReportWenmark";
constexpr const char *ReportTaxes = "ReportTaxes";
constexpr const char *ReportLedger = "ReportLedger";
constexpr const char *ReportGraph = "ReportGraph";
// Where backups go on this desktop: the removable-media and synchronised folders.
constexpr const char *BackupFolder = "BackupFolder";
constexpr const char *SyncFolder = "SyncFolder";
// The rule set new illustrations take: "2002" or "current".
constexpr const char *RuleSet = "RuleSet";
} // namespace SettingsKey

class SettingsStore {
public:
    // `settings` is the store; `section` the user's section (SettingsSection).
    SettingsStore(std::unique_ptr<QSettings> settings, const QString &section);

    // The system's per-user store of the program ("Brantex", "rmdcalc").
    static SettingsStore forUser(const QString &section);
    // An INI file, for tests and tools.
    static SettingsStore inIniFile(const QString &path, const QString &section);

    QString text(const char *key, const QString &fallback = QString()) const;
    void setText(const char *key, const QString &value);

    // "True" is true and "False" false; anything else, or no value, is the fallback.
    bool flag(const char *key, bool fallback) const;
    void setFlag(const char *key, bool on);

    // The setting "RuleSet"; current law when it is unset or holds anything else.
    RuleSet newIllustrationRules() const;
    void setNewIllustrationRules(RuleSet rules);

    // Writes pending changes; false when the store cannot be written.
    bool sync();
    // Where the store keeps its values: a file, or the registry path on Windows.
    QString location() const { return m_settings->fileName(); }

private:
    QString keyPath(const char *key) const;

    std::unique_ptr<QSettings> m_settings;
    QString m_section;
};
