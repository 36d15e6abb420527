// A picture file (".res", and the same reader for every bitmap) through
// auxDIBImageLoadA: a picture of sane size whose every byte can be read, or
// no picture and exactly one of the reader's messages.
#include "scene/dib_image.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/scene_files.h"

namespace {

bool KnownRefusal(const std::string& text)
{
    return text == "Unknown DIB file format." || text == "Image file conversion error." ||
           text == "Out of memory." || text.rfind("Picture too large (more than 4096 x 4096 pixels): ", 0) == 0;
}

}  // namespace

int FuzzPicture(const uint8_t* data, size_t size)
{
    EnterProgramFolder("picture");
    const std::string path = WriteFuzzInput("resources/fuzz.res", data, size);
    ResetFuzzBoxes();
    const Picture image(auxDIBImageLoadA(path.c_str()));
    const FuzzBoxes& boxes = ShownBoxes();
    if (!image) {
        FuzzCheck(boxes.count == 1 && boxes.caption == "Error", "a refusal shows one box captioned Error");
        FuzzCheck(KnownRefusal(boxes.text), "a refusal shows one of the reader's messages");
        return 0;
    }
    FuzzCheck(boxes.count == 0, "a picture read shows no box");
    FuzzCheck(image->sizeX >= 1 && image->sizeX <= 16384 && image->sizeY >= 1 && image->sizeY <= 16384,
              "sides between 1 and 16384");
    const size_t pixels = static_cast<size_t>(image->sizeX) * static_cast<size_t>(image->sizeY);
    FuzzCheck(pixels <= 4096u * 4096u, "at most 4096 x 4096 pixels");
    FuzzCheck(image->data != nullptr, "pixel data present");
    // Every byte the callers will read: the sanitizer sees a block too short.
    unsigned sum = 0;
    for (size_t i = 0; i < pixels * 3; ++i) sum += image->data[i];
    volatile unsigned sink = sum;
    (void)sink;
    return 0;
}
