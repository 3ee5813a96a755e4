#include "support/MsiPackage.h"
#include "support/RegTestKeys.h"
#include "support/TestFiles.h"
#include <gtest/gtest.h>
TEST(ZZMsi, Probe)
{
    testfiles::ScratchDir dir(L"msi");
    MsiPackageSpec spec;
    spec.productCode = L"{6A1C2E3D-0000-4000-8000-00000000A001}";
    spec.upgradeCode = L"{6A1C2E3D-0000-4000-8000-00000000B001}";
    spec.version = L"1.2.3";
    DWORD t0 = GetTickCount();
    MsiPackage pkg(spec, dir / L"p.msi");
    printf("built=%d in %lu ms out=%s\n", pkg.built(), GetTickCount() - t0, pkg.buildOutput().c_str());
    t0 = GetTickCount();
    DWORD r = pkg.install(L"C:\\RegTestProduct");
    printf("install=%lu in %lu ms\n", r, GetTickCount() - t0);
    for (REGSAM v : {0ul, (unsigned long)KEY_WOW64_64KEY}) {
        auto names = regtest::valueNames(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + spec.productCode, v);
        printf("view %lu:", v); for (auto& n : names) printf(" %ls", n.c_str()); printf("\n");
    }
    printf("loc=[%ls]\n", regtest::readString(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + spec.productCode, L"InstallLocation").c_str());
    t0 = GetTickCount();
    r = pkg.uninstall();
    printf("uninstall=%lu in %lu ms\n", r, GetTickCount() - t0);
}
