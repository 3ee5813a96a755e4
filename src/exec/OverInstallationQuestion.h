#pragma once
#include <functional>

// Asked before an item removes an installed product during an installation: true to remove it.
using OverInstallationQuestion = std::function<bool()>;

// The question as the user sees it: the dialog manager asks it once per process and repeats the
// first answer afterwards.
bool AskOverInstallationQuestion();
