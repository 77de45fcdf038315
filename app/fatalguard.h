#pragma once

// Unexpected failures at the window's event boundaries. Every slot and event handler of the
// shell runs through RunGuarded (or a Guarded slot): a FatalError, or any other exception, is
// handed to the fatal handler, which shows the system's message and ends the program; nothing
// crosses into Qt's event loop. The window's load and TabViews show their own non-fatal form
// instead and carry on.

#include "fatalerror.h"

#include <QString>
#include <functional>
#include <type_traits>
#include <utility>

class Prompter;
struct Notice;

class FatalHandler {
public:
    virtual ~FatalHandler() = default;
    virtual void fatal(const FatalError &error) = 0;
};

// Shows "Fatal Error in " + routine with the system's text (unless its own message was shown
// already), then ends the program with status 1 through `end`.
class EndingFatalHandler final : public FatalHandler {
public:
    EndingFatalHandler(Prompter &prompter, std::function<void(int status)> end)
        : m_prompter(prompter), m_end(std::move(end)) {}
    void fatal(const FatalError &error) override;
    // Whether a fatal error has ended the program.
    bool ended() const { return m_ended; }

private:
    Prompter &m_prompter;
    std::function<void(int)> m_end;
    bool m_ended = false;
};

// Any exception as the fatal error of `routine`.
FatalError AsFatalError(const QString &routine, std::exception_ptr failure);

// Runs `work`; a failure goes to the handler.
void RunGuarded(FatalHandler &handler, const QString &routine, const std::function<void()> &work);

// A slot that runs `work` guarded; `work` takes the signal's arguments, or none.
template <typename Work> auto Guarded(FatalHandler &handler, const char *routine, Work work) {
    return [&handler, routine, work = std::move(work)](auto &&...arguments) mutable {
        RunGuarded(handler, QLatin1String(routine), [&] {
            if constexpr (std::is_invocable_v<Work &, decltype(arguments)...>)
                work(std::forward<decltype(arguments)>(arguments)...);
            else
                work();
        });
    };
}

// Runs `work`; a failure is shown as `notice(number, description)` says, and the caller goes
// on (the window's load steps, TabViews).
void RunShowingErrors(Prompter &prompter, const std::function<Notice(int, const QString &)> &notice,
                      const std::function<void()> &work);
