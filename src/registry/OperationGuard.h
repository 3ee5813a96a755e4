#pragma once
#include "registry/RegistryLog.h"

#include <utility>

// The protected region of a CRegistryUtils operation: runs its body and turns whatever the body
// raises into one log line and the operation's failure result.
namespace RegistryGuard {

enum class Failure { open, set, remove, other };

// The kind of the exception being handled (call only inside a catch block).
Failure classifyCurrentException();

// A handler's log line and the result it returns; a null line means "not handled here".
template <typename R>
struct Handler {
    const wchar_t* line;
    R result;
};

// The handlers of one operation. A failure without its own handler goes to `other`.
template <typename R>
struct FailurePlan {
    Handler<R> other;
    Handler<R> open;
    Handler<R> set;
    Handler<R> remove;

    const Handler<R>& pick(Failure failure) const
    {
        const Handler<R>* chosen = &other;
        switch (failure) {
        case Failure::open: chosen = &open; break;
        case Failure::set: chosen = &set; break;
        case Failure::remove: chosen = &remove; break;
        case Failure::other: break;
        }
        return chosen->line != nullptr ? *chosen : other;
    }
};

extern const wchar_t* const kUnknownLine;       // "ERROR: Unknown exception caught!"
extern const wchar_t* const kOpenLine;          // "reg_open_key_failure exception caught"
extern const wchar_t* const kSetLine;           // "reg_set_value_failure exception caught"
extern const wchar_t* const kRemoveLine;        // "ERROR: Failed to remove specified key!"

// Only a catch-all.
template <typename R>
FailurePlan<R> UnknownOnly(R result, const wchar_t* line = kUnknownLine)
{
    return FailurePlan<R>{Handler<R>{line, result}, Handler<R>{nullptr, result}, Handler<R>{nullptr, result},
                          Handler<R>{nullptr, result}};
}

// The open and set handlers with their standard lines, and a catch-all.
template <typename R>
FailurePlan<R> Standard(R result, const wchar_t* unknownLine = kUnknownLine)
{
    FailurePlan<R> plan = UnknownOnly(result, unknownLine);
    plan.open = Handler<R>{kOpenLine, result};
    plan.set = Handler<R>{kSetLine, result};
    return plan;
}

// A refused deletion and a catch-all, both returning false.
inline FailurePlan<bool> Deleting(const wchar_t* removeLine = kRemoveLine, const wchar_t* unknownLine = kUnknownLine)
{
    FailurePlan<bool> plan = UnknownOnly(false, unknownLine);
    plan.remove = Handler<bool>{removeLine, false};
    return plan;
}

// Runs `body`; on any exception logs the chosen handler's line (function `function`, line `line`)
// and returns its result.
template <typename R, typename Body>
R Run(const wchar_t* function, int line, const FailurePlan<R>& plan, Body&& body)
{
    try {
        return body();
    } catch (...) {
        const Handler<R>& handler = plan.pick(classifyCurrentException());
        try {
            RegistryLog(function, line, handler.line);
        } catch (...) {
            // Out of memory while logging: the result still goes back.
        }
        return handler.result;
    }
}

}  // namespace RegistryGuard
