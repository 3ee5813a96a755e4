#include "ui/ModalAnswerer.h"

ModalAnswerer* ModalAnswerer::active_ = nullptr;

namespace {

BOOL CALLBACK firstDialog(HWND window, LPARAM found)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (IsWindowVisible(window) && std::wstring(name) == L"#32770") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

ModalAnswerer::ModalAnswerer(Action action) : action_(std::move(action))
{
    active_ = this;
    timer_ = SetTimer(nullptr, 0, 100, &ModalAnswerer::tick);
}

ModalAnswerer::~ModalAnswerer()
{
    if (timer_ != 0) {
        KillTimer(nullptr, timer_);
    }
    active_ = nullptr;
}

ModalAnswerer::Action ModalAnswerer::press(int buttonId)
{
    return [buttonId](HWND window) { return Responder::press(window, buttonId); };
}

ModalAnswerer::Action ModalAnswerer::steps(std::vector<std::function<void(HWND window)>> steps)
{
    size_t next = 0;
    return [steps = std::move(steps), next](HWND window) mutable {
        steps[next++](window);
        return next == steps.size();
    };
}

void CALLBACK ModalAnswerer::tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (active_ != nullptr) {
        active_->onTick();
    }
}

void ModalAnswerer::onTick()
{
    if (done_) {
        return;
    }
    HWND window = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), firstDialog, reinterpret_cast<LPARAM>(&window));
    if (window == nullptr) {
        return;
    }
    if (seen_.window != window) {
        seen_ = Responder::snapshot(window);
    }
    done_ = action_(window);
}
