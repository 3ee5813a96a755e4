#include "registry/CRegistryUtils.h"

#include "registry/RegistryLog.h"

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
    REG_LOG(L"CRegistryUtils::CRegistryUtils", L"Created");
}

CRegistryUtils::~CRegistryUtils()
{
    REG_LOG(L"CRegistryUtils::~CRegistryUtils", L"Destroyed");
}
