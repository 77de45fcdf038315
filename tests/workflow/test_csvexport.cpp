// Spreadsheet records: RFC 4180 quoting, and text that a spreadsheet would run as a formula.

#include "csvexport.h"

#include <gtest/gtest.h>

namespace {

TEST(CsvRecordTest, CellsAreQuotedOnlyWhereNeededAndNeverRunAsFormulas) {
    const struct {
        const char *name;
        QStringList cells;
        QList<bool> numeric;
        const char *record;
    } cases[] = {
        {"line break", {"a\nb"}, {}, "\"a\nb\"\r\n"},
        {"quote without a comma", {"O\"Neil"}, {}, "\"O\"\"Neil\"\r\n"},
        {"formula text", {"=HYPERLINK(1)", "@x", "+1"}, {}, "'=HYPERLINK(1),'@x,'+1\r\n"},
        {"negative number", {"-5", "-5"}, {true, false}, "-5,'-5\r\n"},
        {"empty cells", {"", "", ""}, {}, ",,\r\n"},
    };
    for (const auto &test : cases)
        EXPECT_EQ(CsvRecord(test.cells, test.numeric), QByteArray(test.record)) << test.name;
}

} // namespace
