#pragma once
#include <string>

// Replaces every occurrence of `from` in `text` by `to`, left to right, never rescanning a
// replacement; returns the number of replacements.
size_t ReplaceAll(std::wstring& text, const std::wstring& from, const std::wstring& to);

// Fills the product and company names into a localised text: every "[ProductName]" becomes the
// product name, and only when the text holds none, every "(ProductName)" (the Arabic form);
// the same for the company. An empty name leaves its placeholders as they are.
std::wstring FillPlaceholders(std::wstring text, const std::wstring& productName,
                              const std::wstring& companyName);
