// File > Year-End Reports in the window: the choice of year and folder, the run, and the
// summary whose button opens the output folder.

#include "reportwindow.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace {

class YearEndTest : public ReportWindowTest {};

TEST_F(YearEndTest, ChosenYearAndFolderGiveTheReportsAndTheSummaryOpensTheFolder) {
    MainWindow &window = open("rmd");
    window.illustration().setSaved(false);
    choose(MenuItem::mnuFileSave);

    const QString out = QDir(dir.path()).filePath(QStringLiteral("year end"));
    int shownYear = 0;
    QString summary;
    modals.handler = [&](QDialog *dialog) {
        modalsShown << dialog->objectName();
        if (dialog->objectName() == QLatin1String("frmYearEnd")) {
            shownYear = dialog->findChild<QSpinBox *>(QStringLiteral("spinYear"))->value();
            dialog->findChild<QLineEdit *>(QStringLiteral("txtFolder"))->setText(out);
            Click(dialog, "cmdOK");
        } else if (dialog->objectName() == QLatin1String("frmYearEndSummary")) {
            summary = dialog->findChild<QLabel *>(QStringLiteral("lblSummary"))->text();
            Click(dialog, "cmdOpenFolder");
            Click(dialog, "cmdClose");
        }
    };
    choose(MenuItem::mnuFileYearEnd);

    EXPECT_EQ(shownYear, clock.today().year() + 1) << "the coming year is offered";
    EXPECT_TRUE(summary.contains(QStringLiteral("1 of 1 reports written")))
        << summary.toStdString();
    EXPECT_EQ(QDir(out).entryList({QStringLiteral("*.pdf")}),
              QStringList{QStringLiteral("MargaretASampleRMD.pdf")});
    EXPECT_TRUE(QFileInfo::exists(
        QDir(out).filePath(QStringLiteral("Year-End Summary %1.csv").arg(shownYear))));
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(out)});
    EXPECT_TRUE(fatal.errors.empty());
}

} // namespace
