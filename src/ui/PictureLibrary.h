#pragma once
#include "ui/GdiHandles.h"

#include <string>

// The pictures of Pictavo.dll, loaded from beside the program while a dialog initialises. The
// library is released at the end of the object's life; the icon and bitmap taken from it are
// copies that stay usable after that.
class PictureLibrary {
public:
    static constexpr unsigned kDialogIcon = 107;
    static constexpr unsigned kFinishPicture = 1008;
    static constexpr unsigned kFinishPictureRightToLeft = 112;

    // Loads the library; `loadError` keeps GetLastError() when it could not be loaded.
    PictureLibrary();
    // A library of another file name (tests use a missing one).
    explicit PictureLibrary(const std::wstring& fileName);

    bool loaded() const { return library_.valid(); }
    DWORD loadError() const { return loadError_; }

    // An icon of the library in its default (large) size; null when it is missing.
    UniqueIcon icon(unsigned id) const;
    // A bitmap of the library as a device-independent copy; null when it is missing.
    UniqueBitmap bitmap(unsigned id) const;

private:
    UniqueLibrary library_;
    DWORD loadError_ = 0;
};
