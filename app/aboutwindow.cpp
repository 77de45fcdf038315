#include "aboutwindow.h"

#include "fatalguard.h"
#include "installation.h"
#include "prompter.h"
#include "shellrules.h"
#include "shelltexts.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

namespace {

QLabel *label(const QString &text, QWidget *parent) {
    auto *result = new QLabel(text, parent);
    result->setAccessibleName(text);
    result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return result;
}

QPushButton *button(const QString &caption, QWidget *parent) {
    auto *result = new QPushButton(caption, parent);
    result->setAccessibleName(AccessibleName(caption));
    return result;
}

} // namespace

AboutWindow::AboutWindow(Prompter &prompter, FatalHandler &fatal,
                         std::function<bool(const QString &)> startProgram, QWidget *parent)
    : QDialog(parent), m_prompter(prompter), m_startProgram(std::move(startProgram)) {
    setWindowTitle(ShellText::AboutCaption());
    setAccessibleName(windowTitle());

    auto *icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
    icon->setAccessibleName(Installation::FileDescription());

    auto *title = label(Installation::FileDescription(), this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title->setFont(bold);
    auto *version = label(ShellText::VersionText(CurrentVersion()), this);
    auto *legal = label(ShellText::LegalNotice(), this);
    legal->setWordWrap(true);

    auto *ok = button(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto *systemInfo = button(QStringLiteral("&System Info..."), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(systemInfo, &QPushButton::clicked, this,
            Guarded(fatal, "cmdSysInfo_Click", [this] { showSystemInfo(); }));

    auto *texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addSpacing(version->sizeHint().height());
    texts->addWidget(legal);
    texts->addStretch(1);

    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(systemInfo);
    buttons->addStretch(1);
    top->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(ok->sizeHint().width() * 6);

    setTabOrder(ok, systemInfo);
}

void AboutWindow::showSystemInfo() {
    const QString program =
        SystemMonitor([](const QString &name) { return QStandardPaths::findExecutable(name); });
    if (program.isEmpty() || !m_startProgram(program)) {
        const Notice unavailable = ShellText::SystemInfoUnavailable();
        m_prompter.notice(unavailable.caption, unavailable.text, MessageIcon::Information);
    }
}
