#include "ui/PictureLibrary.h"

#include "lang/ProgramFolder.h"

PictureLibrary::PictureLibrary() : PictureLibrary(L"Pictavo.dll") {}

PictureLibrary::PictureLibrary(const std::wstring& fileName)
    : library_(ProgramFolder::loadLibrary(fileName)), loadError_(library_.valid() ? 0 : GetLastError())
{
}

UniqueIcon PictureLibrary::icon(unsigned id) const
{
    if (!library_) {
        return UniqueIcon();
    }
    return UniqueIcon(static_cast<HICON>(
        LoadImageW(library_.get(), MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
}

UniqueBitmap PictureLibrary::bitmap(unsigned id) const
{
    if (!library_) {
        return UniqueBitmap();
    }
    return UniqueBitmap(static_cast<HBITMAP>(
        LoadImageW(library_.get(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}
