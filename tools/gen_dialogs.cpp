// Button faces of the account and notice dialogs, and the program icon, as
// 24-bit BMP files in dialogs/ of the program folder: dialogs/<id>.bmp. The
// window layer loads them from there in place of bitmap resources.
//
// Ids and words (Russian for the first id of a pair, English for the second):
//   131 notice close "OK" (both languages)
//   135/136 log-in OK "Войти"/"Log in"      137/138 register "Регистрация"/"Register"
//   139/140 log-in close "Закрыть"/"Close"  141/142 log out "Выйти из системы"/"Log out"
//   143/144 name close "Закрыть"/"Close"    145/146 save "Сохранить"/"Save"
//   147/148 registration close "Закрыть"/"Close"
//   128 the program icon (64 x 64)
// Sizes: the button in dialog units (x 1.5 and x 1.625 pixels for the
// dialogs' 8-point font) less 2 pixels of button border on each side.
#include <cmath>
#include <string>

#include "tools/datagen.h"
#include "tools/gen_image.h"

namespace {

struct Button {
    int id;
    int widthDlu;
    const char32_t* word;
};

const Button BUTTONS[] = {
    {131, 242, U"OK"},
    {135, 164, U"Войти"}, {136, 164, U"Log in"},
    {137, 73, U"Регистрация"}, {138, 73, U"Register"},
    {139, 74, U"Закрыть"}, {140, 74, U"Close"},
    {141, 141, U"Выйти из системы"}, {142, 141, U"Log out"},
    {143, 141, U"Закрыть"}, {144, 141, U"Close"},
    {145, 80, U"Сохранить"}, {146, 80, U"Save"},
    {147, 77, U"Закрыть"}, {148, 77, U"Close"},
};

// Black face with a soft sheen and a thin grey frame, the word centred in white.
Image ButtonFace(const Button& b, const TextRenderer& text)
{
    const int w = static_cast<int>(std::lround(b.widthDlu * 1.5)) - 4;
    const int h = static_cast<int>(std::lround(14 * 1.625)) - 4;
    Image img(w, h, {0, 0, 0});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.Set(x, y, Mix({46, 46, 48}, {6, 6, 8}, y / double(h - 1)));
    for (int x = 0; x < w; ++x) {
        img.Set(x, 0, {110, 110, 114});
        img.Set(x, h - 1, {70, 70, 74});
    }
    for (int y = 0; y < h; ++y) {
        img.Set(0, y, {110, 110, 114});
        img.Set(w - 1, y, {70, 70, 74});
    }
    const std::u32string word(b.word);
    int tw, ascent, descent, left;
    const int size = 13;
    text.Measure(word, size, tw, ascent, descent, left);
    // Centre on the height of capitals so that words with and without descenders line up.
    int capW, capAscent, capDescent, capLeft;
    text.Measure(U"H", size, capW, capAscent, capDescent, capLeft);
    text.Draw(img, word, size, (w - tw) / 2.0, (h - capAscent) / 2.0 - (ascent - capAscent), {240, 240, 240});
    return img;
}

Image ProgramIcon()
{
    Image img(64, 64, {0, 0, 0});
    FillRoundRect(img, 1, 1, 63, 63, 10, {24, 70, 54});
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const Rgb c = img.Get(x, y);
            if (c.g > 20) img.Set(x, y, Scale(c, 1.15 - y / 200.0));
        }
    // A piece, three-quarter view, with a star on its face.
    FillPolygon(img, {{40, 14}, {46, 11}, {46, 52}, {40, 55}}, {120, 70, 30});
    FillPolygon(img, {{18, 14}, {24, 11}, {46, 11}, {40, 14}}, {232, 170, 100});
    FillRoundRect(img, 18, 14, 40, 55, 1.5, {200, 128, 56});
    FillRoundRect(img, 20.5, 17, 37.5, 52, 1.5, {240, 232, 210});
    std::vector<Pt> star;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? 3.4 : 7.5;
        star.push_back({29 + std::cos(a) * r, 31 + std::sin(a) * r});
    }
    FillPolygon(img, star, {170, 36, 28});
    return img;
}

}  // namespace

bool GenerateDialogBitmaps(const GenContext& ctx)
{
    const std::string dir = ctx.programDir + "/dialogs";
    if (!MakeDirs(dir)) return false;
    TextRenderer text(ctx.fontRegular);
    if (!text.Ok()) return false;
    for (const Button& b : BUTTONS)
        if (!WriteBmp(ButtonFace(b, text), dir + "/" + std::to_string(b.id) + ".bmp")) return false;
    return WriteBmp(ProgramIcon(), dir + "/128.bmp");
}
