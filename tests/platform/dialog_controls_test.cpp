// Dialogs with controls: data exchange, bitmap buttons, the default button.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "platform/window.h"
#include "platform/window_input.h"
#include "tests/support/temp_folder.h"

namespace {

// Stands in for the program's picture reader: records the paths asked for and,
// when the file exists, gives a 48 x 14 picture whose rows (bottom first) hold
// their row number in red and the column in green.
std::vector<std::string> g_picturesAsked;

bool FakeReader(const char* path, int* width, int* height, std::vector<unsigned char>* rgbBottomUp)
{
    g_picturesAsked.push_back(path);
    if (!std::ifstream(path)) return false;
    *width = 48;
    *height = 14;
    rgbBottomUp->clear();
    for (int row = 0; row < 14; ++row)
        for (int x = 0; x < 48; ++x) rgbBottomUp->insert(rgbBottomUp->end(), {static_cast<unsigned char>(row),
                                                                               static_cast<unsigned char>(x), 7});
    return true;
}

// A dialogs folder with picture 131, read through the fake reader; both go
// with the test.
class DialogControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        mkdir((m_folder + "/dialogs").c_str(), 0755);
        std::ofstream(m_folder + "/dialogs/131.bmp") << "picture";
        SetResourceFolder(m_folder.c_str());
        g_pictureReader.read = FakeReader;
        g_picturesAsked.clear();
    }
    void TearDown() override
    {
        g_pictureReader = m_savedReader;
        SetResourceFolder(nullptr);
    }
    TempFolder m_temp{"velmonar-dialogs"};
    std::string m_folder = m_temp.Path();
    PictureReader m_savedReader = g_pictureReader;
};

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
    bool foundEdit = false, foundMissing = true;  // GetDlgItem's answers during the initialisation

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
        foundEdit = GetDlgItem(1005) != nullptr;
        foundMissing = GetDlgItem(102) != nullptr;
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

void PressEnter(CWnd& window)
{
    InputEvent enter;
    enter.kind = InputKind::Key;
    enter.key = InputKey::Enter;
    DispatchInput(window, enter);
}

template <class W>
W* FindWidget(Fl_Window* window)
{
    for (int i = 0; window && i < window->children(); ++i)
        if (auto* w = dynamic_cast<W*>(window->child(i))) return w;
    return nullptr;
}

TEST_F(DialogControls, TextGoesToTheControlsAndBackAsWindows1251AndOnlyExistingControlsAreFound)
{
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
        PressEnter(d);
    };
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shownName, Cp1251ToUtf8("Пётр"));  // UTF-8 on screen
    EXPECT_EQ(g_enteredName, CString("Иван"));  // Windows-1251 in the program
    EXPECT_EQ(dialog.m_label, CString("Ваше имя"));
    EXPECT_TRUE(dialog.foundEdit);  // only the controls that exist
    EXPECT_FALSE(dialog.foundMissing);
}

TEST_F(DialogControls, ABitmapButtonShowsThePictureAndReportsItsClick)
{
    AccountDialog dialog(false, 131);
    bool hadImage = false;
    int topRowRed = -1, bottomRowRed = -1, lastColumnGreen = -1;
    dialog.onShown = [&](AccountDialog&) {
        Fl_Window* window = Fl::first_window();
        Fl_Button* close = FindWidget<Fl_Button>(window);
        ASSERT_NE(close, nullptr);
        auto* image = dynamic_cast<Fl_RGB_Image*>(close->image());
        hadImage = image != nullptr && image->w() == 48 && image->h() == 14 && image->d() == 3;
        if (hadImage) {
            const auto* pixels = reinterpret_cast<const unsigned char*>(image->data()[0]);
            topRowRed = pixels[0];
            lastColumnGreen = pixels[47 * 3 + 1];
            bottomRowRed = pixels[13 * 48 * 3];
        }
        close->do_callback();
    };
    EXPECT_EQ(dialog.DoModal(), 77);
    EXPECT_NE(dialog.m_bitmap, nullptr);
    EXPECT_TRUE(hadImage);
    // The reader's last row is the toolkit's first: the picture stands upright.
    EXPECT_EQ(topRowRed, 13);
    EXPECT_EQ(bottomRowRed, 0);
    EXPECT_EQ(lastColumnGreen, 47);
    EXPECT_EQ(g_picturesAsked, std::vector<std::string>{m_folder + "/dialogs/131.bmp"});
}

// Whatever the reader does, a picture it does not deliver whole is no picture:
// nothing is thrown, the button and the window go without.
TEST_F(DialogControls, APictureTheReaderDoesNotDeliverWholeIsNoPicture)
{
    auto load = [] {
        return LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCE(131), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    };
    CWinApp app;
    ASSERT_NE(load(), nullptr);
    ASSERT_NE(app.LoadIcon(131), nullptr);
    EXPECT_EQ(g_picturesAsked.size(), 2u);

    g_pictureReader = m_savedReader;  // the default table reads nothing
    EXPECT_EQ(load(), nullptr);
    EXPECT_EQ(app.LoadIcon(131), nullptr);

    g_pictureReader.read = [](const char*, int* w, int* h, std::vector<unsigned char>* rgb) {
        *w = 48;
        *h = 14;
        rgb->assign(48 * 13 * 3, 0);  // one row short
        return true;
    };
    EXPECT_EQ(load(), nullptr);
    EXPECT_EQ(app.LoadIcon(131), nullptr);

    g_pictureReader.read = [](const char*, int* w, int* h, std::vector<unsigned char>* rgb) {
        *w = -48;
        *h = -14;
        rgb->assign(48 * 14 * 3, 0);
        return true;
    };
    EXPECT_EQ(load(), nullptr);

    g_pictureReader.read = [](const char*, int*, int*, std::vector<unsigned char>*) -> bool {
        throw std::bad_alloc();
    };
    EXPECT_EQ(load(), nullptr);
    EXPECT_EQ(app.LoadIcon(131), nullptr);

    g_pictureReader.read = nullptr;
    EXPECT_EQ(load(), nullptr);
}

TEST_F(DialogControls, AMissingBitmapLeavesAPlainButton)
{
    AccountDialog dialog(true, 999);
    std::string label;
    bool hadImage = true;
    dialog.onShown = [&](AccountDialog& d) {
        Fl_Button* close = FindWidget<Fl_Button>(Fl::first_window());
        ASSERT_NE(close, nullptr);
        hadImage = close->image() != nullptr;
        label = close->label() ? close->label() : "";
        PressEnter(d);  // the default button, here the cancel button
    };
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_bitmap, nullptr);
    EXPECT_FALSE(hadImage);
    EXPECT_EQ(label, "Close");
    EXPECT_TRUE(dialog.canceled);
    EXPECT_EQ(g_picturesAsked, std::vector<std::string>{m_folder + "/dialogs/999.bmp"});
}

}  // namespace
