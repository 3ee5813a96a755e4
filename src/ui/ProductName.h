#pragma once
#include <string>

// The product name that captions the message boxes and the finish dialog and is filled into
// texts: the name the localisation object holds (the setting "app_name", "UNDEFINED" while none).
std::wstring ProductName();

// Replaces every "[ProductName]" in `text` by the product name, or, when there is none, every
// "(ProductName)" (the Arabic form).
std::wstring FillProductName(std::wstring text);
