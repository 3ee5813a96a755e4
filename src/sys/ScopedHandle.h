#pragma once
#include <windows.h>

#include <utility>

// Move-only owner of one Windows handle, closed in its destructor.
// Traits give the invalid value and the close function of the kind of handle.
template <typename Traits>
class ScopedHandle {
public:
    using Type = typename Traits::Type;

    ScopedHandle() = default;
    explicit ScopedHandle(Type handle) : handle_(handle) {}
    ~ScopedHandle() { reset(); }
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept
    {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    Type get() const { return handle_; }
    Type* put()
    {
        reset();
        return &handle_;
    }
    bool valid() const { return handle_ != Traits::invalid(); }
    explicit operator bool() const { return valid(); }
    Type release() { return std::exchange(handle_, Traits::invalid()); }
    void reset(Type handle = Traits::invalid())
    {
        if (valid()) {
            Traits::close(handle_);
        }
        handle_ = handle;
    }

private:
    Type handle_ = Traits::invalid();
};

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type invalid() { return nullptr; }
    static void close(Type h) { CloseHandle(h); }
};
struct FileHandleTraits {
    using Type = HANDLE;
    static Type invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Type h) { CloseHandle(h); }
};
struct FindHandleTraits {
    using Type = HANDLE;
    static Type invalid() { return INVALID_HANDLE_VALUE; }
    static void close(Type h) { FindClose(h); }
};
struct LibraryTraits {
    using Type = HMODULE;
    static Type invalid() { return nullptr; }
    static void close(Type h) { FreeLibrary(h); }
};
struct RegKeyTraits {
    using Type = HKEY;
    static Type invalid() { return nullptr; }
    static void close(Type h) { RegCloseKey(h); }
};
struct SidTraits {
    using Type = PSID;
    static Type invalid() { return nullptr; }
    static void close(Type h) { FreeSid(h); }
};

using UniqueHandle = ScopedHandle<KernelHandleTraits>;   // processes, threads, events, tokens
using UniqueFile = ScopedHandle<FileHandleTraits>;       // files and find handles
using UniqueFind = ScopedHandle<FindHandleTraits>;
using UniqueLibrary = ScopedHandle<LibraryTraits>;
using UniqueKey = ScopedHandle<RegKeyTraits>;
using UniqueSid = ScopedHandle<SidTraits>;
