#include "support/TestPlatform.h"

#include <cstdlib>
#include <string>

namespace testplatform {

bool concurrentThreadsReliable()
{
    const char* qemu = std::getenv("SETUP_TEST_QEMU");
    return sizeof(void*) == 8 || qemu == nullptr || std::string(qemu) != "1";
}

bool onWin64Prefix()
{
    const char* prefix = std::getenv("SETUP_TEST_PREFIX");
    return prefix != nullptr && std::string(prefix) == "win64";
}

}  // namespace testplatform
