// A picture the scene's reader returned, released as its callers release it.
#pragma once

#include <cstdlib>
#include <memory>

#include "scene/dib_image.h"

struct PictureFreer {
    void operator()(AUX_RGBImageRec* r) const
    {
        if (r) std::free(r->data);
        std::free(r);
    }
};
using Picture = std::unique_ptr<AUX_RGBImageRec, PictureFreer>;
