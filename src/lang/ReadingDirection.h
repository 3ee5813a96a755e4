#pragma once
#include <windows.h>

#include <optional>

// Reading direction of a language and the message-box flags that go with it.
namespace ReadingDirection {

// MB_RIGHT | MB_RTLREADING: right-aligned text in right-to-left reading order.
constexpr DWORD kRightToLeftFlags = MB_RIGHT | MB_RTLREADING;

// The locale whose data tells a language's direction: a bare primary language (below 0x7F)
// stands for its default sublanguage.
LCID localeFor(unsigned languageId);

// Bit 123 of the Unicode subset bitfield (bit 27 of its fourth word) marks right-to-left scripts.
bool isRightToLeft(const LOCALESIGNATURE& signature);

// The message-box flags for a language of the given direction.
inline DWORD bidiFlags(bool rightToLeft) { return rightToLeft ? kRightToLeftFlags : 0; }

// The direction the system's locale data gives the language; nothing when it has no signature.
std::optional<bool> languageIsRightToLeft(unsigned languageId);

// The message-box flags for a language: `previous` when the system cannot tell its direction.
DWORD bidiStateFor(unsigned languageId, DWORD previous);

}  // namespace ReadingDirection
