// The dialog pictures read by the program's own bitmap reader: a good file
// comes through, damaged ones give no picture, no message and no crash.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/picture_reader.h"
#include "platform/window.h"
#include "scene/dib_image.h"
#include "tests/support/temp_folder.h"

namespace {

int g_boxesShown = 0;

int CountBox(void*, const char*, const char*, UINT)
{
    ++g_boxesShown;
    return 1;
}

void Put32(std::vector<unsigned char>& file, size_t at, unsigned value)
{
    for (int i = 0; i < 4; ++i) file[at + static_cast<size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}

// A 24-bit bottom-up BMP; the pixels of file row r (the bottom row first) are
// blue 1, green 2, red 10 + r.
std::vector<unsigned char> Bmp24(int w, int h)
{
    const int rowBytes = (w * 3 + 3) & ~3;
    std::vector<unsigned char> file(54 + static_cast<size_t>(rowBytes * h), 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<unsigned>(file.size()));
    Put32(file, 10, 54);
    Put32(file, 14, 40);
    Put32(file, 18, static_cast<unsigned>(w));
    Put32(file, 22, static_cast<unsigned>(h));
    file[26] = 1;
    file[28] = 24;
    for (int row = 0; row < h; ++row)
        for (int x = 0; x < w; ++x) {
            const size_t at = 54 + static_cast<size_t>(row * rowBytes + x * 3);
            file[at] = 1;
            file[at + 1] = 2;
            file[at + 2] = static_cast<unsigned char>(10 + row);
        }
    return file;
}

// A temporary dialogs folder, the program's reader installed, message boxes
// counted instead of shown; everything is put back afterwards.
class DialogPictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        mkdir((m_folder.Path() + "/dialogs").c_str(), 0755);
        SetResourceFolder(m_folder.Path().c_str());
        InstallPictureReader();
        g_pictureMessageBox = CountBox;
        g_boxesShown = 0;
    }
    void TearDown() override
    {
        g_pictureReader = m_savedReader;
        g_pictureMessageBox = m_savedBox;
        SetResourceFolder(nullptr);
    }
    std::string Write(UINT id, const std::vector<unsigned char>& bytes)
    {
        const std::string path = m_folder.Path() + "/dialogs/" + std::to_string(id) + ".bmp";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    static HBITMAP Load(UINT id)
    {
        return LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCE(id), IMAGE_BITMAP, 0, 0,
                          LR_CREATEDIBSECTION | LR_DEFAULTSIZE);
    }

    TempFolder m_folder{"velmonar-pictures"};
    PictureReader m_savedReader = g_pictureReader;
    int (*m_savedBox)(void*, const char*, const char*, UINT) = g_pictureMessageBox;
};

TEST_F(DialogPictures, AGoodFileComesThroughAsRgbBottomRowFirstAndDamagedOnesGiveNoPictureAndNoMessage)
{
    const std::string path = Write(140, Bmp24(5, 3));
    int w = 0, h = 0;
    std::vector<unsigned char> rgb;
    ASSERT_NE(g_pictureReader.read, nullptr);
    ASSERT_TRUE(g_pictureReader.read(path.c_str(), &w, &h, &rgb));
    EXPECT_EQ(w, 5);
    EXPECT_EQ(h, 3);
    ASSERT_EQ(rgb.size(), 5u * 3u * 3u);
    EXPECT_EQ(rgb[0], 10);  // bottom row first, red first
    EXPECT_EQ(rgb[1], 2);
    EXPECT_EQ(rgb[2], 1);
    EXPECT_EQ(rgb[2 * 5 * 3], 12);  // the top row last

    CWinApp app;
    EXPECT_NE(Load(140), nullptr);
    EXPECT_NE(app.LoadIcon(140), nullptr);

    // Damaged files give no picture.
    std::vector<unsigned char> truncated = Bmp24(48, 14);
    truncated.resize(truncated.size() / 2);
    Write(141, truncated);

    std::vector<unsigned char> huge = Bmp24(2, 2);  // claims 100000 x 100000
    Put32(huge, 18, 100000);
    Put32(huge, 22, 100000);
    Write(142, huge);

    std::vector<unsigned char> badHeaderSize = Bmp24(48, 14);
    Put32(badHeaderSize, 14, 0x7FFFFFF0u);
    Write(143, badHeaderSize);

    for (UINT id : {141u, 142u, 143u, 999u}) {  // 999: no file at all
        SCOPED_TRACE(id);
        EXPECT_EQ(Load(id), nullptr);
        EXPECT_EQ(app.LoadIcon(id), nullptr);
    }
    EXPECT_EQ(g_boxesShown, 0);
}

}  // namespace
