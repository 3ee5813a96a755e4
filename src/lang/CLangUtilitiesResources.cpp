// The resources of the language library: localised strings and dialog templates.
#include "lang/CLangUtilities.h"

#include "lang/Placeholders.h"
#include "lang/ResourceLookup.h"
#include "lang/StringBlock.h"
#include "log/CLog.h"
#include "log/Format.h"

std::wstring CLangUtilities::LoadStr(unsigned id)
{
    const wchar_t* const function = L"CLangUtilities::LoadStr";
    try {
        const LANGID language = getCurrentLanguageId();
        SETUP_LOG(function, Format(L"[1] stringID=%d, currLangID=%d", id, language));
        if (resourceHandle_ == nullptr) {
            SETUP_LOG(function, L"resourceHandle_ == NULL");
            return kFailedToLoad;
        }
        const ResourceLookup::Data block = ResourceLookup::find(
            resourceHandle_, RT_STRING, MAKEINTRESOURCEW(StringBlock::blockOf(id)), language);
        if (!block) {
            return kFailedToLoad;
        }
        const std::optional<std::wstring> text = StringBlock::entry(block.bytes, block.size, StringBlock::indexOf(id));
        if (!text) {
            return kFailedToLoad;
        }
        SETUP_LOG(function, Format(L"sizeof=%d, wcslen=%d", static_cast<int>(sizeof(wchar_t*)),
                                   static_cast<int>(text->size())));
        return FillPlaceholders(*text, productName_, companyName_);
    } catch (...) {
        SETUP_LOG(function, L"ERROR: Unknown exception caught!");
        return kFailedToLoad;
    }
}

const DLGTEMPLATE* CLangUtilities::LoadDialogTemplate(unsigned id)
{
    const wchar_t* const function = L"CLangUtilities::LoadDialogTemplate";
    LANGID language = getCurrentLanguageId();
    if (language == 0xFFFF || language == 0) {
        language = LANGIDFROMLCID(GetThreadLocale());
    }
    // Without the library the templates are looked for in the program itself.
    HMODULE module = resourceHandle_ != nullptr ? resourceHandle_ : GetModuleHandleW(nullptr);
    ResourceLookup::Data dialog = ResourceLookup::find(module, RT_DIALOG, MAKEINTRESOURCEW(id), language);
    if (!dialog) {
        // A language the library lacks still gets a dialog, in the language the system picks.
        SETUP_LOG(function, Format(L"WARNING: Dialog template %d not found for language %d.", id, language));
        dialog = ResourceLookup::findAnyLanguage(module, RT_DIALOG, MAKEINTRESOURCEW(id));
    }
    if (!dialog) {
        SETUP_LOG(function, Format(L"ERROR: Dialog template %d not found.", id));
        return nullptr;
    }
    SETUP_LOG(function, Format(L"Dialog template %d loaded for language %d.", id, language));
    return static_cast<const DLGTEMPLATE*>(dialog.bytes);
}
