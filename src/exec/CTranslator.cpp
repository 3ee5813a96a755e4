#include "exec/CTranslator.h"

#include "log/CLog.h"
#include "log/Format.h"

#include <msi.h>

#include <memory>

CTranslator& CTranslator::getInstance()
{
    static std::unique_ptr<CTranslator> instance(new CTranslator());
    return *instance;
}

UINT CTranslator::TranslateUpgrade2ProductCode(const std::wstring& upgradeCode, std::wstring& productCode)
{
    const wchar_t* const fn = L"CTranslator::TranslateUpgrade2ProductCode";
    if (upgradeCode.empty()) {
        SETUP_LOG(fn, L"ERROR: Upgrade code is empty!");
        return ERROR_INVALID_PARAMETER;
    }
    SETUP_LOG(fn, Format(L"Translating upgrade code to product code (Upgrade code: %s).", upgradeCode.c_str()));
    wchar_t product[39] = {};
    const UINT status = MsiEnumRelatedProductsW(upgradeCode.c_str(), 0, 0, product);
    if (status != ERROR_SUCCESS) {
        SETUP_LOG(fn, Format(L"Retrieval of product code failed, error code:%u", status));
        return status;
    }
    SETUP_LOG(fn, L"Found a product code!");
    productCode = product;
    SETUP_LOG(fn, L"Upgrade code translated into product code: " + productCode);
    return ERROR_SUCCESS;
}
