#pragma once

// The stored record of one illustration: status, calculator digit, the input texts end to end
// in slot order at their slot widths, and a trailer of the inputs that are not text fields.
// Positions are 1-based, as the record layout counts them.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

class Illustration;
class Prompter;

struct FieldPlace {
    int start = 0; // 1-based position of the first character
    int width = 0;
};

namespace IllustrationRecord {

constexpr int Length = 1000;
constexpr int BuiltLength = 975; // what BuildRecord fills before 976 and 977; the rest is spaces
constexpr int TextBlockEnd = 900;
constexpr int StatusPosition = 1;
constexpr int CalculatorPosition = 2;

// The trailer, positions 901 to 975.
constexpr FieldPlace PlanType0{901, 20};
constexpr FieldPlace PlanType1{921, 20};
constexpr int UseJointPosition = 941;
constexpr int BackgroundPosition = 942; // then grayscale, Roth, skip spouse, top view
constexpr FieldPlace Graph{947, 22};
constexpr FieldPlace GraphScroll{969, 2};
constexpr int EqualPaymentPosition = 971;
constexpr int RmdOncePosition = 972;
constexpr int SurvivingSpousePosition = 973;
constexpr FieldPlace State{974, 2};
// Added with current law; a blank in each is what every older record holds.
constexpr int RuleSetPosition = 976;          // "C" current law, blank 2002 regulations
constexpr int BeneficiaryClassPosition = 977; // the list index as a digit, blank the first
constexpr int SpouseElectionPosition = 978;   // "E" the spouse elected to be the owner

// The place of an input slot's text in the text block; std::nullopt for a tag that no input
// slot carries. "3-DatabaseIndex" is at 461, width 6.
std::optional<FieldPlace> place(const QString &tag);
// The place of "3-DatabaseIndex", the record's own number.
FieldPlace recordNumberPlace();

// The text of BuildRecord padded with spaces to 1000 characters, one byte each.
QByteArray encode(const QString &recordText);
// The characters of a stored record.
QString decode(const QByteArray &record);

// The text at a place with leading and trailing blanks removed; positions past the end of the
// record read as nothing.
QString fieldText(const QString &recordText, FieldPlace place);
QString fieldText(const char *record, qsizetype size, FieldPlace place);

// Leading and trailing blanks removed (blanks only, as the record pads with them).
QString trimBlanks(const QString &text);

// "3-DatabaseIndex" field holding `number`: decimal digits, blank-padded to the width.
void setRecordNumber(QByteArray &record, int number);
void setRecordNumber(char *record, int number);

} // namespace IllustrationRecord

// The position and width of an input slot inside the text block. A tag that no input slot
// carries shows tag + ": Invalid Tag in DataFindPointers" and leaves start and width unchanged.
bool DataFindPointers(int &start, int &width, const QString &tag, Prompter &prompter);

// The record text of an illustration: 975 characters, each one the record's code page holds,
// then positions 976 and 977 when either is not blank (current law, a later beneficiary class).
QString BuildRecord(const Illustration &illustration);

// The tag of the first field whose text is wider than its place in the record (which would cut
// it, a computed amount included); empty when every one fits.
QString FieldTooWide(const Illustration &illustration);

// The entries of the window's lists a loaded record is matched against.
struct RecordLists {
    QStringList planTypes0;
    QStringList planTypes1;
    QStringList states;
    QStringList graph;

    // The main window's lists; withRollover when the sibling program is installed.
    static RecordLists window(bool withRollover = false);
};

// Puts the values of one record into the illustration and sets its calculator. A record whose
// calculator digit is not 0 to 3 is not loaded (false, nothing changed). The caller shows the
// calculator's tab and sets the saved flag.
bool LoadRecord(const QString &recordText, Illustration &illustration, const RecordLists &lists);
