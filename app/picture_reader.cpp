#include "app/picture_reader.h"

#include <cstdlib>
#include <exception>
#include <vector>

#include "platform/strings.h"
#include "platform/window.h"
#include "scene/dib_image.h"

namespace {

bool ReadDialogPicture(const char* path, int* width, int* height, std::vector<unsigned char>* rgbBottomUp)
{
    if (!path || !width || !height || !rgbBottomUp) return false;
    CString failure;  // not shown: the button or the window goes without the picture
    AUX_RGBImageRec* image = ReadDibImage(path, &failure);
    if (!image) return false;
    bool read = false;
    try {
        const size_t bytes = static_cast<size_t>(image->sizeX) * static_cast<size_t>(image->sizeY) * 3;
        rgbBottomUp->assign(image->data, image->data + bytes);
        *width = image->sizeX;
        *height = image->sizeY;
        read = true;
    } catch (const std::exception&) {
        rgbBottomUp->clear();
    }
    std::free(image->data);
    std::free(image);
    return read;
}

}  // namespace

void InstallPictureReader()
{
    g_pictureReader.read = ReadDialogPicture;
}
