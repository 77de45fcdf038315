#include "fatalguard.h"

#include "errornumber.h"
#include "prompter.h"
#include "shelltexts.h"

#include <new>

void EndingFatalHandler::fatal(const FatalError &error) {
    if (m_ended)
        return;
    m_ended = true;
    if (!error.alreadyShown())
        m_prompter.notice(error.caption(), error.message(error.routine()), MessageIcon::Stop);
    m_end(1);
}

FatalError AsFatalError(const QString &routine, std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const FatalError &error) {
        return error;
    } catch (const std::bad_alloc &) {
        return FatalError(routine, ErrorNumber::OutOfMemory, QStringLiteral("Out of memory"));
    } catch (const std::exception &error) {
        return FatalError(routine, ErrorNumber::InvalidProcedureCall,
                          QString::fromLocal8Bit(error.what()));
    } catch (...) {
        return FatalError(routine, ErrorNumber::InvalidProcedureCall,
                          QStringLiteral("Unknown failure"));
    }
}

void RunGuarded(FatalHandler &handler, const QString &routine, const std::function<void()> &work) {
    try {
        work();
    } catch (...) {
        handler.fatal(AsFatalError(routine, std::current_exception()));
    }
}

void RunShowingErrors(Prompter &prompter, const std::function<Notice(int, const QString &)> &notice,
                      const std::function<void()> &work) {
    try {
        work();
    } catch (...) {
        const FatalError error = AsFatalError(QString(), std::current_exception());
        const Notice shown = notice(error.number(), error.description());
        prompter.notice(shown.caption, shown.text, MessageIcon::Exclamation);
    }
}
