// Small things windows use: device contexts, brushes, system metrics and the
// pictures of the dialogs folder (read by the program's reader, handed to the
// toolkit as plain RGB images).
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "platform/process.h"
#include "platform/window.h"
#include "platform/window_native.h"

namespace {

std::string g_resourceFolder;

std::string ResourcePath(UINT id)
{
    std::string folder = g_resourceFolder.empty() ? GetProgramFolder() : g_resourceFolder;
    return folder + "/dialogs/" + std::to_string(id) + ".bmp";
}

bool ReadNothing(const char*, int*, int*, std::vector<unsigned char>*)
{
    return false;
}

// The reader's rows, bottom first, as the toolkit's image (top row first);
// null when the pixels do not match the size.
std::unique_ptr<Fl_RGB_Image> TopDownImage(int width, int height, const std::vector<unsigned char>& rgb)
{
    if (width <= 0 || height <= 0) return nullptr;
    const size_t row = static_cast<size_t>(width) * 3;
    if (rgb.size() % row != 0 || rgb.size() / row != static_cast<size_t>(height)) return nullptr;
    std::unique_ptr<uchar[]> pixels(new (std::nothrow) uchar[rgb.size()]);
    if (!pixels) return nullptr;
    for (int y = 0; y < height; ++y)
        std::memcpy(pixels.get() + static_cast<size_t>(y) * row,
                    rgb.data() + static_cast<size_t>(height - 1 - y) * row, row);
    auto image = std::make_unique<Fl_RGB_Image>(pixels.get(), width, height, 3);
    image->alloc_array = 1;  // the image owns and frees the pixels
    pixels.release();
    return image;
}

}  // namespace

PictureReader g_pictureReader = {ReadNothing};

namespace window_layer {

std::unique_ptr<Fl_RGB_Image> LoadPicture(UINT id)
{
    if (!g_pictureReader.read) return nullptr;
    try {
        const std::string path = ResourcePath(id);
        int width = 0, height = 0;
        std::vector<unsigned char> rgb;
        if (!g_pictureReader.read(path.c_str(), &width, &height, &rgb)) return nullptr;
        return TopDownImage(width, height, rgb);
    } catch (const std::exception&) {
        return nullptr;  // out of memory: no picture, like an unreadable file
    }
}

}  // namespace window_layer

int GetSystemMetrics(int index)
{
    return index == SM_CXICON || index == SM_CYICON ? 32 : 0;
}

COLORREF CDC::SetBkColor(COLORREF colour)
{
    COLORREF old = m_bkColour;
    m_bkColour = colour;
    return old;
}

COLORREF CDC::SetTextColor(COLORREF colour)
{
    COLORREF old = m_textColour;
    m_textColour = colour;
    return old;
}

BOOL CDC::DrawIcon(int, int, HICON)
{
    return TRUE;
}

CClientDC::CClientDC(CWnd* window)
{
    if (window && window->m_native) m_hDC = &window->m_native->dc;
}
CClientDC::~CClientDC() = default;

CPaintDC::CPaintDC(CWnd* window)
{
    if (window && window->m_native) m_hDC = &window->m_native->dc;
}
CPaintDC::~CPaintDC() = default;

HBRUSH CreateSolidBrush(COLORREF colour)
{
    return new BrushResource{colour};
}

COLORREF BrushColour(HBRUSH brush)
{
    return brush ? brush->colour : RGB(0, 0, 0);
}

BOOL DeleteObject(HBRUSH brush)
{
    delete brush;
    return brush ? TRUE : FALSE;
}

BOOL DeleteObject(HBITMAP bitmap)
{
    delete bitmap;
    return bitmap ? TRUE : FALSE;
}

HBITMAP LoadImageA(HINSTANCE, LPCSTR name, UINT type, int, int, UINT)
{
    if (type != IMAGE_BITMAP) return nullptr;
    const UINT id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(name));
    auto image = window_layer::LoadPicture(id);
    if (!image) return nullptr;
    auto* bitmap = new BitmapResource;
    bitmap->image = std::move(image);
    return bitmap;
}

void SetResourceFolder(const char* folder)
{
    g_resourceFolder = folder ? folder : "";
}
