#include "batchrun.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

class RmdBatchTest : public ::testing::Test {
protected:
    QString write(const QString &name, const QByteArray &content) {
        const QString path = dir.filePath(name);
        WriteWholeFile(path, content);
        return path;
    }

    BatchRun calc(const QByteArray &illustration, const QStringList &more = {}) {
        return RunBatch(Words("calc --today 12/06/2026 --input")
                        << write(QStringLiteral("ill.json"), illustration) << more);
    }

    QTemporaryDir dir;
};

const QByteArray ValidRmd = R"({"calculator":0,"fields":{"8-PartFirst":"Joe","8-PartLast":"Sample",
    "7-PartDOB":"10/01/1943","3-Year0":"2014","6-AcctValue0":"$26,500"}})";

TEST_F(RmdBatchTest, SampleIllustrationWithRepresentative) {
    const BatchRun run =
        RunBatch(Words("calc --input SAMPLES/rmd.json --rep SAMPLES/rep.json --today 12/06/2026"));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.text("status"), QStringLiteral("ok"));
    const QJsonValue fields = run.at("fields");
    // Pub 590 Table II, ages 72 and 60: 27.0; 250,000 / 27.0 = 9,259.26.
    // The representative's line is the merge goldens' test, the amount kept for the record the
    // save test's.
    EXPECT_EQ(entry(fields, "R-RMD"), QStringLiteral("$9,260"));
    EXPECT_EQ(entry(run.at("notices")[0], "caption"), QStringLiteral("Calculation Details:"));

    // Report fields in slot order, "R-PlanType" once.
    EXPECT_LT(run.out.indexOf("\"R-Plan70\""), run.out.indexOf("\"R-RBD\""));
    EXPECT_LT(run.out.indexOf("\"R-RetDate\""), run.out.indexOf("\"Age of Beneficiary on RBD\""));
    EXPECT_EQ(run.out.count("\"R-PlanType\""), 1);
    EXPECT_LT(run.out.indexOf("\"fields\""), run.out.indexOf("\"inputs\""));
}

// A new illustration's values are the record's test; here those that follow --today, and the
// saved flag that keeps an illustration's own date.
TEST_F(RmdBatchTest, TodayAndTheSavedFlagDecideTheDates) {
    const BatchRun run = calc(ValidRmd);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(entry(run.at("inputs"), "3-Year1"), QStringLiteral("2026"));
    EXPECT_EQ(entry(run.at("inputs"), "6-IllustrationDate"), QStringLiteral("12/06/2026"));
    EXPECT_TRUE(run.at("notices").toArray().isEmpty());
    const QByteArray dated = R"({"fields":{"8-PartFirst":"Joe","8-PartLast":"Sample",
        "7-PartDOB":"10/01/1943","3-Year0":"2014","6-AcctValue0":"26500",
        "6-IllustrationDate":"03/04/2015"},"saved":)";
    EXPECT_EQ(entry(calc(dated + "true}").at("inputs"), "6-IllustrationDate"),
              QStringLiteral("03/04/2015"));
    EXPECT_EQ(entry(calc(dated + "false}").at("inputs"), "6-IllustrationDate"),
              QStringLiteral("12/06/2026"));
}

// Every command that takes an illustration refuses an invalid one alike and writes nothing.
TEST_F(RmdBatchTest, ValidationFailureExitsWithTwo) {
    const QByteArray invalid = R"({"fields":{"8-PartFirst":"Joe","8-PartLast":"Sample",
        "7-PartDOB":"10/01/1943","3-Year0":"2030","6-AcctValue0":"26500"}})";
    const QString input = write(QStringLiteral("ill.json"), invalid);
    for (const char *line :
         {"calc", "save --data-folder DIR", "report --pdf DIR/out.pdf", "merge"}) {
        const BatchRun run =
            RunBatch(Words(line).replaceInStrings(QStringLiteral("DIR"), dir.path())
                     << Words("--today 12/06/2026 --input") << input);
        EXPECT_EQ(run.exitCode, 2) << line;
        EXPECT_EQ(run.text("status"), QStringLiteral("invalid")) << line;
        EXPECT_EQ(run.text("tag"), QStringLiteral("3-Year0")) << line;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("ill.json")})
            << line;
    }
    const BatchRun run = calc(invalid);
    EXPECT_EQ(run.text("title"), QStringLiteral("Invalid Entry."));
    EXPECT_EQ(run.text("replacement"), QStringLiteral("2027"));
    // The message itself is the calculator's test.
    EXPECT_TRUE(run.text("message").startsWith(u"This calculator is based on IRS regulations"));
}

TEST_F(RmdBatchTest, BadInputIsOneLineAndExitOne) {
    const struct {
        const char *name;
        QByteArray illustration;
        const char *extra;
        const char *named = ""; // the error names this
    } cases[] = {
        {"malformed JSON", "{\"fields\":{", ""},
        {"not an object", "[1,2]", ""},
        {"unknown tag", R"({"fields":{"8-Nickname":"Jo"}})", ""},
        {"report tag as input", R"({"fields":{"R-RMD":"$5"}})", ""},
        {"field not a string", R"({"fields":{"3-Year0":2020}})", ""},
        {"unknown control", R"({"controls":{"chkNothing":true}})", ""},
        {"check box not a boolean", R"({"controls":{"chkRoth":1}})", ""},
        {"option out of range", R"({"controls":{"optUseJoint":2}})", ""},
        {"option not whole", R"({"controls":{"optUseJoint":0.5}})", ""},
        {"plan type not in the list", R"({"controls":{"cmboPlanType0":"Keogh"}})", ""},
        {"state not in the list", R"({"controls":{"cmboState":"ZZ"}})", ""},
        {"unknown entry", R"({"calculater":0})", ""},
        {"calculator out of range", R"({"calculator":4})", ""},
        {"calculator as text", R"({"calculator":"0"})", ""},
        {"detailed not a boolean", R"({"detailed":"yes"})", ""},
        {"today malformed", ValidRmd, "--today 2026-12-06"},
        {"unknown option", ValidRmd, "--verbose"},
        {"stray word", ValidRmd, "extra"},
        {"missing representative file", ValidRmd, "--rep /nonexistent/rep.json"},
        {"text wider than its field",
         R"({"fields":{"8-PartFirst":"Abcdefghijklmnopqrstuvwxyzabcde"}})", "", "8-PartFirst"},
        {"year with a point", R"({"fields":{"3-Year0":"2020.7"}})", "", "3-Year0"},
        {"whole number in exponent form", R"({"fields":{"2-StretchPLEO":"1e"}})", "",
         "2-StretchPLEO"},
        {"control character", R"({"fields":{"8-PlanName0":"IRA\u0007"}})", "", "8-PlanName0"},
        {"delete character", R"({"fields":{"7-PartDOB":"1/1/1950\u007f"}})", "", "7-PartDOB"},
        {"key given twice", R"({"calculator":0,"calculator":1})", "", "calculator"},
        {"field given twice", R"({"fields":{"3-Year0":"2014","3-Year\u0030":"2015"}})", "",
         "3-Year0"},
        {"control given twice", R"({"controls":{"chkRoth":true,"chkRoth":false}})", "", "chkRoth"},
        {"option given twice", ValidRmd, "--today 12/07/2026", "--today"},
        {"unknown rule set", R"({"rules":"2024"})", "", "rules"},
        {"rule set as a control", R"({"controls":{"cmboRuleSet":"Current law"}})", "", "rules"},
        {"beneficiary class not in the list", R"({"controls":{"cmboBeneClass":"Friend"}})", "",
         "cmboBeneClass"},
    };
    for (const auto &c : cases) {
        ExpectRefused(calc(c.illustration, Words(c.extra)), c.named, c.name);
    }
}

// An inherited IRA under the 10-year rule: the owner, born 1940, died past the required
// beginning date in 2021, so 2025 takes an annual distribution, 53.4 - 3 years; the 2002
// regulations stretch it over 51.4 - 3.
TEST_F(RmdBatchTest, CurrentLawBesideThe2002Regulations) {
    const QByteArray inherited =
        R"({"calculator":1,"rules":"current","fields":{"8-BeneFirst":"Sally",
        "8-BeneLast":"Sample","7-BeneDOB":"01/01/1990","7-DD1":"03/01/2021",
        "7-OriginalDOB":"01/01/1940","3-Year1":"2025","6-AcctValue1":"$100,000"}})";
    const BatchRun run = calc(inherited, {QStringLiteral("--compare-rules")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // Current law's amount is the calculator's test; the final year only rmdbatch prints.
    EXPECT_EQ(entry(run.at("fields"), "R-FinalYear"), u"2031");
    const QJsonValue other = run.at("other");
    EXPECT_EQ(entry(other, "R-RMD"), u"$2,067");
    EXPECT_FALSE(other.toObject().contains(u"R-FinalYear"));

    // Current law needs the owner's date of birth for every beneficiary.
    QByteArray withoutOwner = inherited;
    withoutOwner.replace("01/01/1940", "");
    const BatchRun invalid = calc(withoutOwner);
    EXPECT_EQ(invalid.exitCode, 2);
    EXPECT_EQ(invalid.text("tag"), u"7-OriginalDOB");
}

// The sample Stretch illustration: Robert 74 at the end of 2024 with 15 years, Mary with 25,
// Jack, $500,000 at 6%, Illinois.
TEST_F(RmdBatchTest, StretchSample) {
    const BatchRun run = RunBatch(
        Words("calc --input SAMPLES/stretch.json --rep SAMPLES/rep.json --today 12/06/2026"));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.at("calculator").toInt(), 3);
    EXPECT_EQ(run.at("PLE").toInt(), 15);
    EXPECT_EQ(run.at("SLE").toInt(), 25);
    EXPECT_EQ(run.at("LAST").toInt(), run.at("BLAST").toInt());

    // phase -> column -> year; the planholder's first year as the ledger shows it.
    const QJsonArray projection = run.at("projection").toArray();
    ASSERT_EQ(projection.size(), 4);
    ASSERT_EQ(projection.at(0).toArray().size(), 6);
    ASSERT_EQ(projection.at(0)[0].toArray().size(), 121);
    EXPECT_EQ(projection.at(0)[5][0].toInt(), 508992);

    // The values and the conditions of every page are the merge goldens' test (the same sample
    // on the same day); here how they are printed.
    EXPECT_EQ(entry(run.at("variables"), "R-PHName"), QStringLiteral("Robert J Sample"));
    // Defined in their order (the report fields before them share some names).
    const qsizetype from = run.out.indexOf("\"variables\"");
    ASSERT_GT(from, 0);
    const auto at = [&](const char *name) { return run.out.indexOf(name, from); };
    EXPECT_LT(at("\"R-PHName\""), at("\"R-PHDOB\""));
    EXPECT_LT(at("\"R-LumpTDist\""), at("\"FSF\""));
    EXPECT_LT(at("\"FSF\""), at("\"R-FiveTDist\""));
    EXPECT_LT(at("\"R-AName\""), at("\"R-IllustrationDate\""));

    const QJsonObject tables = run.at("tables").toObject();
    EXPECT_EQ(tables.keys(), Words("ALLYEARS1 BENE PLANHOLDER1 SPOUSE"));
    EXPECT_EQ(tables[QLatin1String("PLANHOLDER1")][0].toString(),
              QStringLiteral("2024~ 74~21,008~21,008~508,992"));
    EXPECT_TRUE(tables[QLatin1String("PLANHOLDER1")][10].toString().isEmpty());
}

TEST_F(RmdBatchTest, StretchPagesOption) {
    const auto conditions = [](const char *pages) {
        const BatchRun run =
            RunBatch(Words("calc --input SAMPLES/stretch.json --today 12/06/2026 --pages")
                     << QLatin1String(pages));
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.at("conditions").toVariant().toStringList().join(QLatin1Char(' '));
    };
    EXPECT_EQ(conditions("none"), QStringLiteral("HasSpouse"));
    EXPECT_EQ(conditions("taxes,graph"), QStringLiteral("TaxPage Graph0 TPage HasSpouse"));
    EXPECT_EQ(conditions("cover,wenmark"), QStringLiteral("CoverPage WenmarkPage HasSpouse"));
    for (const char *bad : {"", "cover,poster", "all", "none,cover"})
        ExpectRefused(
            calc(R"({"calculator":3})", {QStringLiteral("--pages"), QString::fromLatin1(bad)}),
            "--pages", bad);
}

TEST_F(RmdBatchTest, RepresentativeFileIsStrictToo) {
    const struct {
        QByteArray representative;
        const char *named;
    } cases[] = {
        {R"({"First":"Pat","Nickname":"P"})", "Nickname"},
        {R"({"First":"Pat","First":"Lee"})", "First"},
        {R"({"Initial":"QR"})", "Initial"},
        {R"({"City":"Spring\nfield"})", "City"},
    };
    for (const auto &c : cases) {
        const QString rep = write(QStringLiteral("rep.json"), c.representative);
        ExpectRefused(calc(ValidRmd, {QStringLiteral("--rep"), rep}), c.named, c.named);
    }
}

// Each calculator's sample with an amount field at its widest (eleven nines) computes sound
// amounts; a larger or negative value, which only a file can give, is refused on its field.
TEST_F(RmdBatchTest, WidestAmountsComputeAndLargerOnesAreRefused) {
    const struct {
        const char *sample, *tag, *value;
        int exitCode;
        const char *section = "", *key = "", *amount = ""; // an amount the run gives
    } cases[] = {
        // Joint table 27.0: 99,999,999,999 / 27.0 = 3,703,703,703.7.
        {"rmd.json", "6-AcctValue0", "99999999999", 0, "fields", "R-RMD", "$3,703,703,704"},
        {"rmd.json", "6-AcctValue0", "3e20", 2},
        // Single life 31.4: 3,184,713,375.8.
        {"rmbd.json", "6-AcctValue1", "99999999999", 0, "fields", "R-RMD", "$3,184,713,376"},
        {"rmbd.json", "6-AcctValue1", "1e400", 2},
        {"sepp.json", "6-EqualAcctValue1", "99999999999", 0, "fields", "R-PlanValue",
         "$99,999,999,999"},
        {"sepp.json", "6-EqualAcctValue2", "1e39", 2},
        {"stretch.json", "6-StretchAcctValue", "99999999999", 0, "variables", "R-AccountValue",
         "$99,999,999,999"},
        {"stretch.json", "6-StretchAcctValue", "1e400", 2},
        {"stretch.json", "6-StretchAcctCont", "-9999", 2},
    };
    // A negative, infinite or undefined amount anywhere in the output.
    const QRegularExpression unsound(QStringLiteral(R"(\$-|\binf\b|\bnan\b)"),
                                     QRegularExpression::CaseInsensitiveOption);
    for (const auto &c : cases) {
        const BatchRun run = calc(SampleWith(c.sample, c.tag, QLatin1String(c.value)));
        const std::string name = std::string(c.sample) + " " + c.value;
        ASSERT_EQ(run.exitCode, c.exitCode)
            << name << ": " << run.out.toStdString() << run.err.toStdString();
        if (c.exitCode == 2) {
            EXPECT_EQ(run.text("tag"), QLatin1String(c.tag)) << name;
            continue;
        }
        EXPECT_EQ(entry(run.at(c.section), c.key), QLatin1String(c.amount)) << name;
        EXPECT_FALSE(QString::fromUtf8(run.out).contains(unsound)) << name;
    }
}

TEST(RmdBatchUsageTest, NoInputOrUnknownCommand) {
    for (const char *line : {"", "calc", "frobnicate", "calc --input /nonexistent/ill.json"})
        EXPECT_EQ(RunBatch(Words(line)).exitCode, 1) << line;
}

TEST(RmdBatchUsageTest, HelpAndVersionOnStandardOutput) {
    const struct {
        const char *line, *begins;
    } cases[] = {
        {"--help", "usage: rmdbatch calc"},        {"-h", "usage: rmdbatch calc"},
        {"help", "usage: rmdbatch calc"},          {"calc --help", "usage: rmdbatch calc --input"},
        {"db --help", "usage: rmdbatch db"},       {"rep -h", "usage: rmdbatch rep"},
        {"load --help", "usage: rmdbatch load"},   {"--version", "rmdbatch "},
        {"merge --help", "usage: rmdbatch merge"}, {"report --help", "usage: rmdbatch report"},
        {"demo --help", "usage: rmdbatch demo"},   {"save --help", "usage: rmdbatch save"},
    };
    for (const auto &c : cases) {
        const BatchRun run = RunBatch(Words(c.line));
        EXPECT_EQ(run.exitCode, 0) << c.line;
        EXPECT_TRUE(run.out.startsWith(c.begins)) << c.line << ": " << run.out.toStdString();
        EXPECT_TRUE(run.err.isEmpty()) << c.line << ": " << run.err.toStdString();
    }
    // Whatever the release, one line of three numbers.
    EXPECT_TRUE(QRegularExpression(QStringLiteral(R"(^rmdbatch \d+\.\d+\.\d+\n$)"))
                    .match(QString::fromUtf8(RunBatch(Words("--version")).out))
                    .hasMatch());
}

} // namespace
