#include "illustrationjson.h"

#include "batcherror.h"
#include "controllists.h"
#include "fieldformat.h"
#include "illustration.h"
#include "jsonkeys.h"
#include "orderedjson.h"
#include "representativemodel.h"
#include "ruleset.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>
#include <cmath>

namespace {

QJsonObject parseObject(const QByteArray &json, const QString &what) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        throw badInput(what + QStringLiteral(": malformed JSON at offset ") +
                       QString::number(error.offset) + QStringLiteral(": ") + error.errorString());
    if (!document.isObject())
        throw badInput(what + QStringLiteral(": the top level must be a JSON object"));
    if (const auto repeated = FindRepeatedKey(json))
        throw badInput(what + QStringLiteral(": \"%1\" is given twice").arg(repeated->key) +
                       (repeated->object.isEmpty()
                            ? QString()
                            : QStringLiteral(" in \"%1\"").arg(repeated->object)));
    return document.object();
}

int wholeNumber(const QJsonValue &value, const QString &name, int minimum, int maximum) {
    const double number = value.toDouble(std::nan(""));
    if (!value.isDouble() || number != std::floor(number) || number < minimum || number > maximum)
        throw badInput(QStringLiteral("\"%1\" must be a whole number from %2 to %3")
                           .arg(name)
                           .arg(minimum)
                           .arg(maximum));
    return int(number);
}

bool boolean(const QJsonValue &value, const QString &name) {
    if (!value.isBool())
        throw badInput(QStringLiteral("\"%1\" must be true or false").arg(name));
    return value.toBool();
}

QString text(const QJsonValue &value, const QString &name) {
    if (!value.isString())
        throw badInput(QStringLiteral("\"%1\" must be a string").arg(name));
    return value.toString();
}

// The text of an entry that stands in a field `width` characters wide. The window's fields cut
// typing at their width and filter out control characters; a file is held to the same.
QString fieldText(const QJsonValue &value, const QString &name, int width) {
    const QString entry = text(value, name);
    if (entry.size() > width)
        throw badInput(QStringLiteral("\"%1\" holds %2 characters; its field holds at most %3")
                           .arg(name)
                           .arg(entry.size())
                           .arg(width));
    const auto control = std::find_if(entry.begin(), entry.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7F;
    });
    if (control != entry.end())
        throw badInput(QStringLiteral("\"%1\" holds the control character U+%2")
                           .arg(name)
                           .arg(control->unicode(), 4, 16, QLatin1Char('0')));
    return entry;
}

int inputSlot(const QString &tag) {
    for (const SlotDefinition &slot : SlotTable::inputSlots()) {
        if (*slot.tag != '\0' && tag == QLatin1String(slot.tag))
            return slot.index;
    }
    return -1;
}

// A list's entries as a file may give them: with "Rollover IRA", and with nothing selected where
// the list allows it (no state chosen, a stored graph text the list lacks).
QStringList choices(const ControlEntry &control) {
    QStringList entries = control.entries(true);
    if (control.noneAllowed)
        entries.prepend(QString());
    return entries;
}

void readControls(const QJsonObject &object, Illustration &illustration) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString name = it.key();
        const ControlEntry *control = FindControl(name);
        if (!control)
            throw badInput(QStringLiteral("unknown control \"%1\"").arg(name));
        if (control->control == Control::cmboRuleSet)
            throw badInput(QStringLiteral("the rule set is given as \"rules\", not as a control"));
        switch (control->kind) {
        case ControlKind::CheckBox:
            illustration.setChecked(control->control, boolean(it.value(), name));
            break;
        case ControlKind::Position:
            illustration.setPosition(control->control,
                                     wholeNumber(it.value(), name, 0, control->maximum));
            break;
        case ControlKind::List: {
            const QString value = text(it.value(), name);
            const QStringList entries = choices(*control);
            if (!entries.contains(value))
                throw badInput(QStringLiteral("\"%1\" cannot be \"%2\"; its list holds: %3")
                                   .arg(name, value, entries.join(QStringLiteral(", "))));
            illustration.setListEntry(control->control, value);
            break;
        }
        }
    }
}

} // namespace

BatchRunOptions ReadIllustrationJson(const QByteArray &json, Illustration &illustration,
                                     const QDate &today, int newRecordNumber) {
    const QJsonObject root = parseObject(json, QStringLiteral("illustration"));
    BatchRunOptions options;
    illustration.resetToNew(newRecordNumber, today, ControlLists::planTypes(0).constFirst());
    bool saved = true;

    for (auto it = root.begin(); it != root.end(); ++it) {
        const QString key = it.key();
        if (key == QLatin1String("calculator")) {
            illustration.setCalculator(
                *CalculatorFromNumber(wholeNumber(it.value(), key, 0, CalculatorCount - 1)));
        } else if (key == QLatin1String("detailed")) {
            options.detailedMode = boolean(it.value(), key);
        } else if (key == QLatin1String("saved")) {
            saved = boolean(it.value(), key);
        } else if (key == QLatin1String("rules")) {
            const QString name = text(it.value(), key);
            const auto rules = RuleSetOfBatchName(name);
            if (!rules)
                throw badInput(
                    QStringLiteral("\"rules\" cannot be \"%1\"; it is \"2002\" or \"current\"")
                        .arg(name));
            illustration.setListEntry(Control::cmboRuleSet, RuleSetCaption(*rules));
        } else if (key == QLatin1String("fingerprint")) {
            illustration.setRecordFingerprint(text(it.value(), key));
        } else if (key == QLatin1String("controls")) {
            if (!it.value().isObject())
                throw badInput(QStringLiteral("\"controls\" must be an object"));
            readControls(it.value().toObject(), illustration);
        } else if (key == QLatin1String("fields")) {
            if (!it.value().isObject())
                throw badInput(QStringLiteral("\"fields\" must be an object"));
            const QJsonObject fields = it.value().toObject();
            for (auto field = fields.begin(); field != fields.end(); ++field) {
                const int slot = inputSlot(field.key());
                if (slot < 0)
                    throw badInput(QStringLiteral("unknown input tag \"%1\"").arg(field.key()));
                const QString value =
                    fieldText(field.value(), field.key(), SlotTable::slot(slot)->width);
                if (!FieldFormat::acceptsText(SlotTable::kindDigit(field.key()), value))
                    throw badInput(QStringLiteral("\"%1\" takes digits only, not \"%2\"")
                                       .arg(field.key(), value));
                illustration.fields().setText(slot, value);
            }
        } else {
            throw badInput(QStringLiteral("unknown entry \"%1\"").arg(key));
        }
    }
    illustration.setSaved(saved);
    return options;
}

QString WriteIllustrationJson(const Illustration &illustration, bool detailedMode) {
    OrderedJson fields;
    for (const SlotDefinition &slot : SlotTable::inputSlots()) {
        if (*slot.tag != '\0')
            fields.add(QLatin1String(slot.tag), illustration.fields().text(slot.index));
    }
    OrderedJson controls;
    const IllustrationControls &values = illustration.controls();
    // The rule set goes out as "rules"; it, the beneficiary class and the spouse's election are
    // written only when they differ from what a file without them means, so older files read
    // back unchanged.
    const RuleSet rules = RuleSetOfCaption(values.cmboRuleSet);
    for (const ControlEntry &control : ControlTable()) {
        const QString name = QLatin1String(control.name);
        if (control.control == Control::cmboRuleSet ||
            (control.control == Control::cmboBeneClass &&
             values.cmboBeneClass == ControlLists::beneficiaryClasses().constFirst()) ||
            (control.control == Control::chkSpouseElection && !values.chkSpouseElection))
            continue;
        if (control.flag)
            controls.add(name, values.*(control.flag));
        else if (control.position)
            controls.add(name, values.*(control.position));
        else
            controls.add(name, values.*(control.text));
    }
    OrderedJson json;
    json.add(QStringLiteral("calculator"), CalculatorNumber(illustration.calculator()))
        .add(QStringLiteral("fields"), fields)
        .add(QStringLiteral("controls"), controls)
        .add(QStringLiteral("detailed"), detailedMode)
        .add(QStringLiteral("saved"), illustration.isSaved());
    if (rules != RuleSet::Regulations2002)
        json.add(QStringLiteral("rules"), RuleSetBatchName(rules));
    if (!illustration.recordFingerprint().isEmpty())
        json.add(QStringLiteral("fingerprint"), illustration.recordFingerprint());
    return json.text();
}

OrderedJson WriteRepresentativeJson(const RepresentativeDetails &details) {
    OrderedJson json;
    for (const RepresentativeKey &key : representativeKeys())
        json.add(QLatin1String(key.key), details.*(key.member));
    return json;
}

RepresentativeDetails ReadRepresentativeJson(const QByteArray &json) {
    const QJsonObject root = parseObject(json, QStringLiteral("representative"));
    RepresentativeDetails details;
    for (auto it = root.begin(); it != root.end(); ++it) {
        const auto keys = representativeKeys();
        const auto key = std::find_if(keys.begin(), keys.end(), [&](const RepresentativeKey &k) {
            return it.key() == QLatin1String(k.key);
        });
        if (key == keys.end())
            throw badInput(QStringLiteral("unknown representative key \"%1\"").arg(it.key()));
        const int width = RepresentativeEntries()[std::size_t(key - keys.begin())].width;
        details.*(key->member) = fieldText(it.value(), it.key(), width);
    }
    return details;
}

QByteArray ReadInputFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw badInput(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return file.readAll();
}
