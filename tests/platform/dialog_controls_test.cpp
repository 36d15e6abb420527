// Dialogs with controls: data exchange, bitmap buttons, the default button.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/window.h"
#include "platform/window_input.h"

namespace {

// A 24-bit bottom-up BMP of w x h pixels, all one colour.
void WriteBmp(const std::string& path, int w, int h)
{
    const int rowBytes = (w * 3 + 3) & ~3;
    const int dataBytes = rowBytes * h;
    std::vector<unsigned char> file(54 + static_cast<size_t>(dataBytes), 0);
    auto put32 = [&](size_t at, unsigned v) {
        for (int i = 0; i < 4; ++i) file[at + static_cast<size_t>(i)] = static_cast<unsigned char>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<unsigned>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<unsigned>(w));
    put32(22, static_cast<unsigned>(h));
    file[26] = 1;
    file[28] = 24;
    put32(34, static_cast<unsigned>(dataBytes));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            size_t at = 54 + static_cast<size_t>(y * rowBytes + x * 3);
            file[at] = 200;      // blue
            file[at + 1] = 40;   // green
            file[at + 2] = 10;   // red
        }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                 static_cast<std::streamsize>(file.size()));
}

std::string MakeResourceFolder()
{
    char pattern[] = "/tmp/velmonar-dialogs-XXXXXX";
    std::string folder = mkdtemp(pattern);
    mkdir((folder + "/dialogs").c_str(), 0755);
    WriteBmp(folder + "/dialogs/131.bmp", 48, 14);
    return folder;
}

CString g_enteredName;

DialogTemplate AccountTemplate(bool cancelIsDefault)
{
    return DialogTemplate{930, 0, 0, 180, 90, true,
                          {{CONTROL_STATIC, 1002, 8, 8, 160, 8, CONTROL_CENTRE, "Имя"},
                           {CONTROL_EDIT, 1005, 8, 24, 120, 12, 0, ""},
                           {CONTROL_EDIT, 1006, 8, 40, 120, 12, CONTROL_PASSWORD, ""},
                           {CONTROL_BUTTON, 1003, 8, 56, 60, 14, 0, "Close"},
                           {CONTROL_BUTTON, IDOK, 80, 56, 40, 14, cancelIsDefault ? 0u : CONTROL_DEFAULT, "OK"},
                           {CONTROL_BUTTON, IDCANCEL, 124, 56, 40, 14, cancelIsDefault ? CONTROL_DEFAULT : 0u,
                            "Cancel"}}};
}

class AccountDialog : public CDialog {
public:
    AccountDialog(bool cancelIsDefault, UINT bitmapId)
        : CDialog(AccountTemplate(cancelIsDefault)), m_bitmapId(bitmapId)
    {
    }
    CString m_label = "Ваше имя";
    CButton m_close;
    HBITMAP m_bitmap = nullptr;
    std::function<void(AccountDialog&)> onShown;
    bool canceled = false;

protected:
    UINT m_bitmapId;

    void DoDataExchange(CDataExchange* dx) override
    {
        CDialog::DoDataExchange(dx);
        DDX_Text(dx, 1002, m_label);
        DDX_Text(dx, 1005, g_enteredName);
        DDX_Control(dx, 1003, m_close);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_bitmap = LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCE(m_bitmapId), IMAGE_BITMAP, 0, 0,
                              LR_CREATEDIBSECTION | LR_DEFAULTSIZE);
        m_close.SetBitmap(m_bitmap);
        SetTimer(1, 20, nullptr);
        return TRUE;
    }
    void OnTimer(UINT_PTR) override
    {
        KillTimer(1);
        if (onShown) onShown(*this);
    }
    BOOL OnCommand(UINT id) override
    {
        if (id == 1003) {
            EndDialog(77);
            return TRUE;
        }
        return CDialog::OnCommand(id);
    }
    void OnCancel() override
    {
        canceled = true;
        CDialog::OnCancel();
    }
};

template <class W>
W* FindWidget(Fl_Window* window)
{
    for (int i = 0; window && i < window->children(); ++i)
        if (auto* w = dynamic_cast<W*>(window->child(i))) return w;
    return nullptr;
}

TEST(DialogControls, TextGoesToTheControlsAndBackAsWindows1251)
{
    SetResourceFolder(MakeResourceFolder().c_str());
    g_enteredName = "Пётр";
    AccountDialog dialog(false, 131);
    std::string shownName;
    dialog.onShown = [&](AccountDialog& d) {
        Fl_Window* window = Fl::first_window();
        ASSERT_NE(window, nullptr);
        Fl_Input* name = FindWidget<Fl_Input>(window);
        ASSERT_NE(name, nullptr);
        shownName = name->value();
        name->value(Cp1251ToUtf8("Иван").c_str());
        InputEvent enter;
        enter.kind = InputKind::Key;
        enter.key = InputKey::Enter;
        DispatchInput(d, enter);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shownName, Cp1251ToUtf8("Пётр"));  // UTF-8 on screen
    EXPECT_EQ(g_enteredName, CString("Иван"));  // Windows-1251 in the program
    EXPECT_EQ(dialog.m_label, CString("Ваше имя"));
}

TEST(DialogControls, ABitmapButtonShowsThePictureAndReportsItsClick)
{
    SetResourceFolder(MakeResourceFolder().c_str());
    AccountDialog dialog(false, 131);
    bool hadImage = false;
    dialog.onShown = [&](AccountDialog&) {
        Fl_Window* window = Fl::first_window();
        Fl_Button* close = FindWidget<Fl_Button>(window);
        ASSERT_NE(close, nullptr);
        hadImage = close->image() != nullptr && close->image()->w() == 48;
        close->do_callback();
    };
    EXPECT_EQ(dialog.DoModal(), 77);
    EXPECT_NE(dialog.m_bitmap, nullptr);
    EXPECT_TRUE(hadImage);
}

TEST(DialogControls, AMissingBitmapLeavesAPlainButton)
{
    SetResourceFolder(MakeResourceFolder().c_str());
    AccountDialog dialog(true, 999);
    std::string label;
    bool hadImage = true;
    dialog.onShown = [&](AccountDialog& d) {
        Fl_Button* close = FindWidget<Fl_Button>(Fl::first_window());
        ASSERT_NE(close, nullptr);
        hadImage = close->image() != nullptr;
        label = close->label() ? close->label() : "";
        // Enter presses the default button, here the cancel button.
        InputEvent enter;
        enter.kind = InputKind::Key;
        enter.key = InputKey::Enter;
        DispatchInput(d, enter);
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_bitmap, nullptr);
    EXPECT_FALSE(hadImage);
    EXPECT_EQ(label, "Close");
    EXPECT_TRUE(dialog.canceled);
}

TEST(DialogControls, GetDlgItemFindsOnlyExistingControls)
{
    class Probe : public CDialog {
    public:
        Probe() : CDialog(AccountTemplate(false)) {}
        bool found1005 = false, found102 = true;
        BOOL OnInitDialog() override
        {
            CDialog::OnInitDialog();
            found1005 = GetDlgItem(1005) != nullptr;
            found102 = GetDlgItem(102) != nullptr;
            EndDialog(IDOK);
            return TRUE;
        }
    } probe;
    probe.DoModal();
    EXPECT_TRUE(probe.found1005);
    EXPECT_FALSE(probe.found102);
}

}  // namespace
