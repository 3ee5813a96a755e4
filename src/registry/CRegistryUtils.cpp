#include "registry/CRegistryUtils.h"

#include "log/CLog.h"

#include <memory>

namespace {

std::unique_ptr<CRegistryUtils>& holder()
{
    static std::unique_ptr<CRegistryUtils> instance;
    return instance;
}

}  // namespace

CRegistryUtils& CRegistryUtils::getInstance()
{
    if (!holder()) {
        holder().reset(new CRegistryUtils());
    }
    return *holder();
}

void CRegistryUtils::destroyInstance()
{
    holder().reset();
}

CRegistryUtils::CRegistryUtils()
{
    SETUP_LOG(L"CRegistryUtils::CRegistryUtils", L"Created");
}

CRegistryUtils::~CRegistryUtils()
{
    SETUP_LOG(L"CRegistryUtils::~CRegistryUtils", L"Destroyed");
}
