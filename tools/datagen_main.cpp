// velmonar_datagen <program folder> <DejaVu Sans> <DejaVu Sans Bold>
// Writes the models, pictures, sounds, font, dialog bitmaps and the updater
// stand-in into the program folder. The output depends only on the inputs.
#include <cstdio>
#include <string>
#include <sys/stat.h>

#include "tools/datagen.h"
#include "tools/gen_image.h"

namespace {

// The updater the program starts by name when a newer version is announced:
// it opens the product page in the browser and succeeds. It downloads and
// replaces nothing. The address is the product page of online/web.cpp.
bool WriteUpdater(const std::string& dir)
{
    const std::string path = dir + "/Update.exe";
    const std::string script =
        "#!/bin/sh\n"
        "# Started by Velmonar when a newer version is announced: shows where to get it.\n"
        "xdg-open 'https://velmonar.example/soft/Velmonar.php' > /dev/null 2>&1\n"
        "exit 0\n";
    return WriteBytes(path, script) && chmod(path.c_str(), 0755) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <program folder> <DejaVuSans.ttf> <DejaVuSans-Bold.ttf>\n", argv[0]);
        return 2;
    }
    GenContext ctx{argv[1], argv[2], argv[3]};
    if (!MakeDirs(ctx.programDir)) {
        std::fprintf(stderr, "cannot create %s\n", ctx.programDir.c_str());
        return 1;
    }
    const bool ok = GenerateModels(ctx) && GeneratePictures(ctx) && GenerateSounds(ctx) && GenerateFont(ctx) &&
                    GenerateDialogBitmaps(ctx) && WriteUpdater(ctx.programDir);
    return ok ? 0 : 1;
}
