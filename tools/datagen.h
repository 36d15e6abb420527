// The data generator: writes every binary data file of the program folder.
// Each part returns false (after a message on stderr) when it cannot write.
#pragma once

#include <string>

struct GenContext {
    std::string programDir;   // the program folder
    std::string fontRegular;  // DejaVu Sans
    std::string fontBold;     // DejaVu Sans Bold
};

bool GenerateModels(const GenContext& ctx);
bool GeneratePictures(const GenContext& ctx);
bool GenerateSounds(const GenContext& ctx);
bool GenerateFont(const GenContext& ctx);
bool GenerateDialogBitmaps(const GenContext& ctx);
