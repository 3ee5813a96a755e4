#pragma once

// What the machine running the tests can be trusted with.
namespace testplatform {

// False where 32-bit Wine runs under qemu-i386 (hosts without ia32 emulation): qemu keeps one
// thread-area table for all threads of a process, so a 32-bit program whose threads run at the
// same time crashes at random there. The 64-bit test build covers concurrent behaviour instead.
bool concurrentThreadsReliable();

// True on the 64-bit Wine prefix (a 32-bit program then runs under WoW64).
bool onWin64Prefix();

}  // namespace testplatform

#define SKIP_UNLESS_CONCURRENT_THREADS_RELIABLE()                                                       \
    do {                                                                                                \
        if (!testplatform::concurrentThreadsReliable()) {                                               \
            GTEST_SKIP() << "32-bit Wine under qemu-i386 cannot run threads side by side on this host"; \
        }                                                                                               \
    } while (0)
