#include "tests/fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/program_folder.h"
#include "platform/message_box.h"
#include "scene/dib_image.h"
#include "tests/support/temp_folder.h"

namespace {

FuzzBoxes g_boxes;

int RecordBox(const char* text, const char* caption, UINT)
{
    ++g_boxes.count;
    g_boxes.text = text;
    g_boxes.caption = caption;
    return IDOK;
}

}  // namespace

std::string EnterProgramFolder(const char* target)
{
    static const TempFolder process("velmonar-fuzz");  // removed at exit
    FuzzCheck(!process.Path().empty(), "a private folder is made");
    // No box waits for a click.
    g_messageBoxHook = RecordBox;
    g_pictureMessageBox = [](void*, const char* text, const char* caption, UINT type) {
        return RecordBox(text, caption, type);
    };
    const std::string folder = process.Path() + "/" + target;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    g_appDir = folder.c_str();
    return folder;
}

std::string WriteFuzzInput(const std::string& name, const uint8_t* data, size_t size)
{
    const std::string path = g_appDir.str() + "/" + name;
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    FuzzCheck(!out.fail(), "the input file could be written");
    return path;
}

const FuzzBoxes& ShownBoxes()
{
    return g_boxes;
}

void ResetFuzzBoxes()
{
    g_boxes = FuzzBoxes();
}

void FuzzCheck(bool condition, const char* what)
{
    if (condition) return;
    std::fprintf(stderr, "velmonar fuzz: broken promise: %s\n", what);
    std::abort();
}
