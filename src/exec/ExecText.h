#pragma once
#include <string>

// Text helpers of the item executer.
namespace ExecText {

// Upper case as Windows compares file names and switch values (not locale-dependent).
std::wstring upper(std::wstring text);
// "TRUE" or "FALSE".
const wchar_t* boolText(bool value);

}  // namespace ExecText
