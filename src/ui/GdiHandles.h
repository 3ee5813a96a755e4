#pragma once
#include "sys/ScopedHandle.h"

#include <windows.h>

// Owners of the pictures and fonts the dialogs create.
struct IconTraits {
    using Type = HICON;
    static Type invalid() { return nullptr; }
    static void close(Type h) { DestroyIcon(h); }
};
struct BitmapTraits {
    using Type = HBITMAP;
    static Type invalid() { return nullptr; }
    static void close(Type h) { DeleteObject(h); }
};
struct FontTraits {
    using Type = HFONT;
    static Type invalid() { return nullptr; }
    static void close(Type h) { DeleteObject(h); }
};

using UniqueIcon = ScopedHandle<IconTraits>;
using UniqueBitmap = ScopedHandle<BitmapTraits>;
using UniqueFont = ScopedHandle<FontTraits>;
