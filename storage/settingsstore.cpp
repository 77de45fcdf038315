#include "settingsstore.h"

SettingsStore::SettingsStore(std::unique_ptr<QSettings> settings, const QString &section)
    : m_settings(std::move(settings)), m_section(section) {}

SettingsStore SettingsStore::forUser(const QString &section) {
    return SettingsStore(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                     QStringLiteral("Brantex"),
                                                     QStringLiteral("rmdcalc")),
                         section);
}

SettingsStore SettingsStore::inIniFile(const QString &path, const QString &section) {
    return SettingsStore(std::make_unique<QSettings>(path, QSettings::IniFormat), section);
}

QString SettingsStore::keyPath(const char *key) const {
    return m_section + QLatin1Char('/') + QLatin1String(key);
}

QString SettingsStore::text(const char *key, const QString &fallback) const {
    return m_settings->value(keyPath(key), fallback).toString();
}

void SettingsStore::setText(const char *key, const QString &value) {
    m_settings->setValue(keyPath(key), value);
}

RuleSet SettingsStore::newIllustrationRules() const {
    return RuleSetOfBatchName(text(SettingsKey::RuleSet)).value_or(DefaultRuleSet);
}

void SettingsStore::setNewIllustrationRules(RuleSet rules) {
    setText(SettingsKey::RuleSet, RuleSetBatchName(rules));
}

bool SettingsStore::flag(const char *key, bool fallback) const {
    const QString value = text(key);
    if (value == QLatin1String("True"))
        return true;
    if (value == QLatin1String("False"))
        return false;
    return fallback;
}

void SettingsStore::setFlag(const char *key, bool on) {
    setText(key, on ? QStringLiteral("True") : QStringLiteral("False"));
}

bool SettingsStore::sync() {
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}
