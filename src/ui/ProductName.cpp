#include "ui/ProductName.h"

#include "lang/CLangUtilities.h"
#include "lang/Placeholders.h"
#include "setupfile/CFileParser.h"

#include <type_traits>
#include <utility>

namespace {

template <typename T, typename = void>
struct HasNameGetter : std::false_type {};
template <typename T>
struct HasNameGetter<T, std::void_t<decltype(std::declval<T&>().getProductName())>> : std::true_type {};

// The name the sequencer gave the localisation object. Until that object tells it, the same
// value is taken where the sequencer takes it: the setting "app_name", or "UNDEFINED" when empty.
template <typename Lang>
std::wstring nameOf(Lang& lang)
{
    if constexpr (HasNameGetter<Lang>::value) {
        return std::wstring(lang.getProductName());
    } else {
        (void)lang;
        const std::wstring setting = CFileParser::getInstance().GetSetting(L"app_name");
        return setting.empty() ? std::wstring(L"UNDEFINED") : setting;
    }
}

}  // namespace

std::wstring ProductName()
{
    return nameOf(CLangUtilities::getInstance());
}

std::wstring FillProductName(std::wstring text)
{
    const std::wstring name = ProductName();
    if (ReplaceAll(text, L"[ProductName]", name) == 0) {
        ReplaceAll(text, L"(ProductName)", name);
    }
    return text;
}
