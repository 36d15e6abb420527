// Small things windows use: device contexts, brushes, system metrics and the
// pictures of the dialogs folder.
#include <FL/Fl_BMP_Image.H>
#include <unistd.h>

#include <string>

#include "platform/process.h"
#include "platform/window_native.h"

namespace {

std::string g_resourceFolder;

std::string ResourcePath(UINT id)
{
    std::string folder = g_resourceFolder.empty() ? GetProgramFolder() : g_resourceFolder;
    return folder + "/dialogs/" + std::to_string(id) + ".bmp";
}

}  // namespace

namespace window_layer {

std::unique_ptr<Fl_RGB_Image> LoadBmp(UINT id)
{
    const std::string path = ResourcePath(id);
    if (access(path.c_str(), R_OK) != 0) return nullptr;
    std::unique_ptr<Fl_RGB_Image> image(new Fl_BMP_Image(path.c_str()));
    if (image->w() <= 0 || image->h() <= 0 || image->d() == 0 || image->count() == 0) return nullptr;
    return image;
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

HBITMAP LoadImageA(HINSTANCE, LPCSTR name, UINT type, int, int, UINT)
{
    if (type != IMAGE_BITMAP) return nullptr;
    const UINT id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(name));
    auto image = window_layer::LoadBmp(id);
    if (!image) return nullptr;
    auto* bitmap = new BitmapResource;
    bitmap->image = std::move(image);
    return bitmap;
}

void SetResourceFolder(const char* folder)
{
    g_resourceFolder = folder ? folder : "";
}
