#include "illustrationrecord.h"

#include "controllists.h"
#include "fieldformat.h"
#include "illustration.h"
#include "numbertext.h"
#include "prompter.h"
#include "ruleset.h"
#include "slottable.h"
#include "windows1252.h"

namespace IllustrationRecord {

namespace {

const char *const OriginalDobTag = "7-OriginalDOB";

QString slotTag(const SlotDefinition &slot) {
    return QLatin1String(slot.tag);
}

// Characters start..start+width-1 (1-based) of a text, as far as the text reaches.
QString positions(const QString &text, int start, int width) {
    if (start < 1 || start > text.size())
        return QString();
    return text.mid(start - 1, width);
}

QChar flag(bool on) {
    return on ? QLatin1Char('1') : QLatin1Char('0');
}

bool isOne(const QString &text, int position) {
    return positions(text, position, 1) == QLatin1String("1");
}

// A list's text padded or cut to its width.
QString fixedWidth(const QString &text, int width) {
    return Windows1252::representable(text).left(width).leftJustified(width, QLatin1Char(' '));
}

// The entry a list shows for a stored text: the first entry when the text is empty, the equal
// entry, else the last entry (the search walks the whole list and stops on the last).
QString listEntry(const QStringList &entries, const QString &stored) {
    if (entries.isEmpty())
        return stored;
    if (stored.isEmpty())
        return entries.constFirst();
    return entries.contains(stored) ? stored : entries.constLast();
}

} // namespace

std::optional<FieldPlace> place(const QString &tag) {
    int position = 3;
    for (const SlotDefinition &slot : SlotTable::inputSlots()) {
        if (*slot.tag == '\0')
            break;
        if (slotTag(slot) == tag)
            return FieldPlace{position, slot.width};
        position += slot.width;
    }
    return std::nullopt;
}

QByteArray encode(const QString &recordText) {
    QByteArray bytes = Windows1252::encode(recordText.left(Length));
    bytes.append(Length - bytes.size(), ' ');
    return bytes;
}

QString decode(const QByteArray &record) {
    return Windows1252::decode(record);
}

QString trimBlanks(const QString &text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QString fieldText(const QString &recordText, FieldPlace place) {
    return trimBlanks(positions(recordText, place.start, place.width));
}

QString fieldText(const char *record, qsizetype size, FieldPlace place) {
    qsizetype first = place.start - 1;
    qsizetype last = std::min<qsizetype>(first + place.width, size);
    while (first < last && record[first] == ' ')
        ++first;
    while (last > first && record[last - 1] == ' ')
        --last;
    if (first >= last)
        return QString();
    return Windows1252::decode(record + first, last - first);
}

FieldPlace recordNumberPlace() {
    static const FieldPlace index = *place(SlotTable::RecordNumberTag);
    return index;
}

void setRecordNumber(char *record, int number) {
    const FieldPlace index = recordNumberPlace();
    const QByteArray digits = QByteArray::number(number).leftJustified(index.width, ' ', true);
    std::copy(digits.begin(), digits.end(), record + index.start - 1);
}

void setRecordNumber(QByteArray &record, int number) {
    setRecordNumber(record.data(), number);
}

} // namespace IllustrationRecord

using namespace IllustrationRecord;

bool DataFindPointers(int &start, int &width, const QString &tag, Prompter &prompter) {
    const std::optional<FieldPlace> found = place(tag);
    if (!found) {
        prompter.notice(QString(), tag + QStringLiteral(": Invalid Tag in DataFindPointers"),
                        MessageIcon::None);
        return false;
    }
    start = found->start;
    width = found->width;
    return true;
}

QString FieldTooWide(const Illustration &illustration) {
    for (const SlotDefinition &slot : SlotTable::inputSlots()) {
        if (*slot.tag == '\0')
            break;
        if (illustration.fields().text(slot.index).size() > slot.width)
            return slotTag(slot);
    }
    return QString();
}

QString BuildRecord(const Illustration &illustration) {
    const Calculator calculator = illustration.calculator();
    QString record = QStringLiteral("1") + QChar(u'0' + CalculatorNumber(calculator));
    record.reserve(Length);

    const FieldStore &fields = illustration.fields();
    for (const SlotDefinition &slot : SlotTable::inputSlots()) {
        if (*slot.tag == '\0')
            break;
        const QString text = Windows1252::representable(fields.text(slot.index)).left(slot.width);
        // An RMBD illustration keeps the original planholder's date of birth at the start of
        // the text block, over the planholder's first name, as stored records always have.
        if (calculator == Calculator::Rmbd && slotTag(slot) == QLatin1String(OriginalDobTag)) {
            record.replace(2, text.size(), text);
            continue;
        }
        record += text.leftJustified(slot.width, QLatin1Char(' '));
    }
    record = record.left(TextBlockEnd).leftJustified(TextBlockEnd, QLatin1Char(' '));

    const IllustrationControls &controls = illustration.controls();
    record += fixedWidth(controls.cmboPlanType0, PlanType0.width);
    record += fixedWidth(controls.cmboPlanType1, PlanType1.width);
    record += flag(controls.optUseJoint == 0);
    record += flag(controls.chkBackground);
    record += flag(controls.chkGrayScale);
    record += flag(controls.chkRoth);
    record += flag(controls.chkSkipSpouse);
    record += flag(controls.chkTopView);
    record += fixedWidth(controls.lstGraph, Graph.width);
    // The scroll position's digits followed by "00", first two characters: 10 to 99 are kept
    // as they are, a one-digit value v reads back as 10 v.
    record += (QString::number(controls.hScrollGraph) + QStringLiteral("00")).left(2);
    record += QChar(u'0' + std::clamp(controls.optEqualPmt, 0, 9));
    record += flag(controls.chkRMDOnce);
    record += flag(controls.chkSurvivingSpouse);
    record += fixedWidth(controls.cmboState, State.width);
    const qsizetype beneficiaryClass =
        ControlLists::beneficiaryClasses().indexOf(controls.cmboBeneClass);
    QString added{RuleSetRecordCode(RuleSetOfCaption(controls.cmboRuleSet))};
    added += beneficiaryClass > 0 ? QChar(char16_t(u'0' + beneficiaryClass)) : QChar(u' ');
    added += controls.chkSpouseElection ? QChar(u'E') : QChar(u' ');
    // A 2002 illustration of the first class stays the record older versions wrote.
    if (!added.trimmed().isEmpty())
        record += added;
    return record;
}

RecordLists RecordLists::window(bool withRollover) {
    return {ControlLists::planTypes(0, withRollover), ControlLists::planTypes(1, withRollover),
            ControlLists::stateCodes(), ControlLists::graphEntries()};
}

bool LoadRecord(const QString &recordText, Illustration &illustration, const RecordLists &lists) {
    const QString digit = positions(recordText, CalculatorPosition, 1);
    if (digit.size() != 1 || digit.at(0) < QLatin1Char('0') || digit.at(0) > QLatin1Char('3'))
        return false;
    const Calculator calculator = *CalculatorFromNumber(digit.at(0).digitValue());
    illustration.setCalculator(calculator);

    FieldStore &fields = illustration.fields();
    int position = 3;
    for (const SlotDefinition &slot : SlotTable::inputSlots()) {
        if (*slot.tag == '\0')
            break;
        const QString tag = slotTag(slot);
        const int inside = std::min(slot.width, TextBlockEnd - position + 1);
        QString text = trimBlanks(positions(recordText, position, inside));
        if (calculator == Calculator::Rmbd && tag == QLatin1String(OriginalDobTag))
            text = trimBlanks(positions(recordText, 3, 18));
        if (SlotTable::kindDigit(tag) == 1)
            text = FieldFormat::focusOut(1, CleanNumber(text));
        fields.setText(slot.index, text);
        position += slot.width;
    }

    const auto planType = [&](FieldPlace at, const QStringList &entries) {
        QString stored = fieldText(recordText, at);
        if (stored == QLatin1String("Rollover IRA"))
            stored = QStringLiteral("IRA");
        else if (stored == QLatin1String("SEP"))
            stored = QStringLiteral("SEP-IRA");
        return listEntry(entries, stored);
    };
    illustration.setListEntry(Control::cmboPlanType0, planType(PlanType0, lists.planTypes0));
    illustration.setListEntry(Control::cmboPlanType1, planType(PlanType1, lists.planTypes1));
    illustration.setPosition(Control::optUseJoint, isOne(recordText, UseJointPosition) ? 0 : 1);
    const Control checkBoxes[] = {Control::chkBackground, Control::chkGrayScale, Control::chkRoth,
                                  Control::chkSkipSpouse, Control::chkTopView};
    int at = BackgroundPosition;
    for (const Control box : checkBoxes)
        illustration.setChecked(box, isOne(recordText, at++));

    QString graph = fieldText(recordText, Graph);
    if (graph.isEmpty())
        graph = QStringLiteral("All Years");
    illustration.setListEntry(Control::lstGraph, lists.graph.contains(graph) ? graph : QString());

    const int scroll = int(NumberText::Val(positions(recordText, GraphScroll.start, 2)));
    illustration.setPosition(Control::hScrollGraph, scroll == 0 ? 99 : scroll);

    // A value outside the seven options (a damaged trailer) leaves the selection as it was.
    const int option = int(NumberText::Val(positions(recordText, EqualPaymentPosition, 1)));
    if (option >= 0 && option <= 6)
        illustration.setPosition(Control::optEqualPmt, option);

    illustration.setChecked(Control::chkRMDOnce, isOne(recordText, RmdOncePosition));
    illustration.setChecked(Control::chkSurvivingSpouse,
                            isOne(recordText, SurvivingSpousePosition));
    // A stored state that is empty stays unchosen: taking the list's first entry ("AL") would
    // put a state the user never chose into the tax comparison and change the record on the
    // next save.
    const QString state = fieldText(recordText, State);
    illustration.setListEntry(Control::cmboState,
                              state.isEmpty() ? QString() : listEntry(lists.states, state));

    const QString added = positions(recordText, RuleSetPosition, 3).leftJustified(3);
    illustration.setListEntry(Control::cmboRuleSet,
                              RuleSetCaption(RuleSetOfRecordCode(added.at(0))));
    // A digit beyond the list (a damaged trailer) takes the first class, as a blank does.
    const QStringList &classes = ControlLists::beneficiaryClasses();
    const int beneficiaryClass = added.at(1).digitValue();
    illustration.setListEntry(Control::cmboBeneClass,
                              classes.value(beneficiaryClass, classes.constFirst()));
    illustration.setChecked(Control::chkSpouseElection, added.at(2) == u'E');
    return true;
}
