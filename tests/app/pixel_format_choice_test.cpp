// The multisample chain with the driver's answers replaced at the layer boundary.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "scene/PixselFormat.h"

namespace {

const char* g_extensions = nullptr;
std::set<int> g_grantedSamples;
std::vector<int> g_askedSamples;

const char* FakeExtensions(HDC)
{
    return g_extensions;
}

// Grants a format numbered 100 + samples when that sample count is offered.
BOOL FakeChoose(HDC, const int* attributes, const FLOAT*, UINT maxFormats, int* formats, UINT* count)
{
    int samples = 0, sampleBuffers = 0;
    for (const int* a = attributes; a[0] != 0; a += 2) {
        if (a[0] == WGL_SAMPLES_ARB) samples = a[1];
        if (a[0] == WGL_SAMPLE_BUFFERS_ARB) sampleBuffers = a[1];
    }
    EXPECT_EQ(sampleBuffers, 1);
    EXPECT_EQ(maxFormats, 1u);
    g_askedSamples.push_back(samples);
    if (!g_grantedSamples.count(samples)) {
        *count = 0;
        return FALSE;
    }
    formats[0] = 100 + samples;
    *count = 1;
    return TRUE;
}

class MultisampleChain : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_multisampleSupported = 0;
        g_multisampleFormat = 0;
        g_askedSamples.clear();
        g_extensions = "WGL_ARB_extensions_string WGL_ARB_pixel_format WGL_ARB_multisample ";
        SetWglDriverOverride(&m_driver);
    }
    void TearDown() override { SetWglDriverOverride(nullptr); }
    WglDriverOverride m_driver{FakeExtensions, FakeChoose};
};

// Four samples when offered, else two, else the plain format; nothing is
// asked without the extension or the chooser's entry point, and then an
// earlier choice's flag is cleared.
TEST_F(MultisampleChain, FourSamplesThenTwoThenThePlainFormat)
{
    struct Case {
        std::set<int> granted;
        bool extension, chooser;
        int format;  // 0: the plain one
        std::vector<int> asked;
    };
    const Case cases[] = {
        {{2, 4}, true, true, 104, {4}},   {{2}, true, true, 102, {4, 2}}, {{}, true, true, 0, {4, 2}},
        {{2, 4}, false, true, 0, {}},     {{2, 4}, true, false, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.format << " " << c.extension << c.chooser);
        g_grantedSamples = c.granted;
        g_extensions = c.extension ? "WGL_ARB_extensions_string WGL_ARB_pixel_format WGL_ARB_multisample "
                                   : "WGL_ARB_extensions_string WGL_ARB_pixel_format ";
        m_driver.choosePixelFormat = c.chooser ? FakeChoose : nullptr;
        g_multisampleSupported = c.extension && c.chooser ? 0 : 1;  // else left from an earlier choice
        g_askedSamples.clear();
        EXPECT_EQ(ChooseMultisampleFormat(nullptr), c.format != 0);
        EXPECT_EQ(g_multisampleSupported, c.format != 0 ? 1 : 0);
        if (c.format != 0) {
            EXPECT_EQ(g_multisampleFormat, c.format);
        }
        EXPECT_EQ(g_askedSamples, c.asked);
    }
}

TEST_F(MultisampleChain, ExtensionNamesAreWholeWords)
{
    EXPECT_TRUE(ExtensionListHasWord("a bc c", "c"));
    EXPECT_FALSE(ExtensionListHasWord("a bc cd", "c"));
    EXPECT_FALSE(ExtensionListHasWord(nullptr, "c"));
    EXPECT_FALSE(ExtensionListHasWord("a b", ""));
    // The driver's list as the chain asks it.
    const std::pair<const char*, bool> lists[] = {
        {"WGL_ARB_multisampleX WGL_B WGL_ARB_multisample", true},  // a later whole word, at the end
        {"WGL_ARB_multisample_more WGL_B", false}, {"WGL_ARB_multisample WGL_B", true},
        {"XWGL_ARB_multisample WGL_B", false},     {"", false},
    };
    for (const auto& list : lists) {
        g_extensions = list.first;
        EXPECT_EQ(IsWglExtensionSupported("WGL_ARB_multisample"), list.second) << list.first;
    }
}

TEST(PlainDescriptor, AsksForDoubleBufferedRgbWithDepth16)
{
    const PIXELFORMATDESCRIPTOR pfd = PlainPixelFormatDescriptor();
    EXPECT_EQ(pfd.nSize, 40);
    EXPECT_EQ(pfd.dwFlags, PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER);
    EXPECT_EQ(pfd.cDepthBits, 16);
    EXPECT_EQ(pfd.cRedBits, 8);
    EXPECT_EQ(pfd.cAccumBits, 32);
}

}  // namespace
