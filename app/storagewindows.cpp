#include "storagewindows.h"

#include "datalocations.h"
#include "representativemodel.h"
#include "representativerecord.h"
#include "representativewindow.h"
#include "savedillustrationswindow.h"
#include "shellcontext.h"

#include <QDir>
#include <QPointer>

WindowHooks StorageWindowHooks(MainWindow &window, ShellContext &context, FatalHandler &fatal) {
    auto dataWindow = std::make_shared<QPointer<SavedIllustrationsWindow>>();
    WindowHooks hooks;
    hooks.representativeWindow = [&window, &context, &fatal](const RepresentativeDetails &now) {
        Prompter &prompter = window.illustration().prompter();
        const QString file =
            QDir(context.dataFolder).filePath(QLatin1String(RepresentativeRecord::FileName));
        Result<RepresentativeDetails> loaded = LoadRepresentative(
            file, DistributorSettingsFiles(context.dataFolder, context.programFolder));
        // An unreadable file is shown; the window then edits the details the program holds.
        if (!loaded.ok())
            prompter.notice(QStringLiteral("Financial Representative Information"),
                            ErrorOccurredText(*loaded.error), MessageIcon::Stop);
        RepresentativeWindow editor(loaded.ok() ? loaded.value : now, file, *context.clock,
                                    prompter, fatal, &window);
        editor.exec();
        return editor.outcome();
    };
    hooks.savedIllustrationsWindow = [&window, &context, &fatal, dataWindow] {
        SavedIllustrationsWindow list(context.database(), window.illustration(), window.lists(),
                                      {[&window] { window.showLoadedIllustration(); },
                                       [&window] { window.startNewIllustration(); }},
                                      fatal, &window);
        *dataWindow = &list;
        list.exec();
    };
    hooks.savedIllustrationsVisible = [dataWindow] {
        return !dataWindow->isNull() && (*dataWindow)->isVisible();
    };
    return hooks;
}
