#include "shellrules.h"

#include "illustration.h"
#include "numbertext.h"
#include "rmbdcalculator.h"
#include "rmdcalculator.h"

bool RepresentativeMissing(const QString &firstName) {
    return firstName.trimmed().isEmpty();
}

bool IllustrationOnScreen(const QString &databaseIndex) {
    return NumberText::Val(databaseIndex) >= 1;
}

void RefreshPlanNotes(Illustration &illustration) {
    RefreshRetirementDate(illustration);
    RefreshSpouseDate(illustration);
    RefreshRothPlanType(illustration);
}

QString SystemMonitor(const std::function<QString(const QString &program)> &find) {
    for (const char *program : {"gnome-system-monitor", "ksysguard", "plasma-systemmonitor"}) {
        const QString path = find(QLatin1String(program));
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

QString AccessibleName(const QString &caption) {
    QString name = caption;
    name.remove(QLatin1Char('&'));
    name.remove(QLatin1Char('*'));
    return name.trimmed();
}
