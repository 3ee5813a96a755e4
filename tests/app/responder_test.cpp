#include "support/ProcessRun.h"
#include "support/Responder.h"

#include <gtest/gtest.h>

namespace {

struct BoxCase {
    UINT type;
    int press;
    std::vector<std::wstring> buttons;
};

// The responder finds a message box of another process, reads it and answers it.
TEST(Responder, AnswersAMessageBoxOfAnotherProcess)
{
    const BoxCase cases[] = {
        {MB_YESNO | MB_ICONQUESTION, IDNO, {L"Yes", L"No"}},
        {MB_OKCANCEL | MB_ICONHAND, IDCANCEL, {L"OK", L"Cancel"}},
        {MB_OK, IDOK, {L"OK"}},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::wstring caption = L"Responder probe " + std::to_wstring(++n);
        ProcessRun box(L"msgbox.exe", std::to_wstring(c.type) + L" \"" + caption + L"\" \"Shall we go on?\"");
        ASSERT_TRUE(box.started());
        const WindowSnapshot shot = Responder::waitFor(caption, L"", 30000);
        ASSERT_NE(nullptr, shot.window) << "no box appeared";
        EXPECT_EQ(caption, shot.caption);
        EXPECT_EQ(L"Shall we go on?", shot.text);
        EXPECT_EQ(c.buttons, shot.buttons);
        EXPECT_EQ((c.type & MB_ICONMASK) != 0, shot.hasIcon);
        ASSERT_TRUE(Responder::press(shot.window, c.press));
        EXPECT_EQ(static_cast<DWORD>(c.press), box.wait());
    }
}

}  // namespace
