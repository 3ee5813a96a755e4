#pragma once
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

namespace sequencer {

// Index (0-based) of the item to run for the stored "InternalState" n in a section of count
// items: 0 and 1 mean the first item; count means past the last item.
std::size_t positionFromInternalState(int internalState, std::size_t count);

// "True" and "Auto" exactly (case-sensitive) clear the restart suppression before an item is judged.
bool rebootOptionClearsSuppression(const std::wstring& strReboot);

// An item's restart option, upper-cased, asks for a restart ("TRUE" or "AUTO").
bool rebootOptionAsksRestart(const std::wstring& strReboot);

// What ValidateExecution does with an item's exit code.
enum class Validation {
    Finish,                  // Finished(strReboot, true)
    FinishAfterFailure,      // Finished(strReboot, false)
    FinishRebootRequired,    // PendingReboot raised, Finished("True", true)
    StopSuppressed,          // restart prompts suppressed: nothing more
    RebootOrExit,            // PerformRebootIfSet(strReboot); a decline ends the process with 1
    RebootIgnoringResult,    // PerformRebootIfSet(strReboot); its result is not used
    PendingRebootAsk,        // PendingReboot raised, PerformRebootIfSet("True"), result not used
    PendingRebootLater,      // PendingReboot raised, the restart is left for the end of the sequence
    Cancelled,               // application key and run value removed, exit code 1
    RollBack,                // switch to [UnInstall] from its first item
    RebootInitiated,         // the item restarts Windows itself: exit code 0
};

Validation decideValidation(DWORD dwResult, const std::wstring& strReboot, bool bFinished, bool suppressed);

// The machine-wide Path with the shared folder appended (one ";" between), or nothing when the
// folder is empty or already in it (compared without regard to letter case).
std::optional<std::wstring> appendSharedFolder(const std::wstring& path, const std::wstring& sharedFolder);

// Whether an item is skipped for its bitness, and which message applies.
enum class BitnessSkip { None, Skip64OnX86, Skip32OnX64 };
BitnessSkip bitnessSkip(const std::wstring& s64Bit, const std::wstring& s32Bit, bool is64);

// The language code of a first argument "-l1033", "/L1031" ...; nothing when the argument is no
// language switch or has fewer than three characters after it.
std::optional<int> languageFromArgument(const std::wstring& argument);

}  // namespace sequencer
