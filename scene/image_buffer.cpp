#include "scene/image_buffer.h"

std::vector<unsigned char> g_imageBuffer(IMAGE_BUFFER_START_BYTES, 0);
int g_textureCreatePass = 1;

unsigned char* ImageBufferFor(std::size_t bytes)
{
    if (g_imageBuffer.size() < bytes) g_imageBuffer.resize(bytes, 0);
    return g_imageBuffer.data();
}
