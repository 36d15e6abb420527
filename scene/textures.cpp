#include "scene/textures.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "platform/program_folder.h"
#include "rules/live_options.h"
#include "scene/board_geometry.h"
#include "scene/dib_image.h"
#include "scene/geo_model.h"
#include "scene/image_buffer.h"
#include "scene/mipmaps.h"
#include "scene/scene_host.h"

std::vector<GLuint> g_modelTex;
GLuint g_rankTex[12] = {0};
GLuint g_pathMarkerTex[3] = {0};
GLuint g_sceneTex = 0;
GLuint g_menuBackTex = 0;
GLuint g_menuEdgeTex = 0;
GLuint g_backgroundTex = 0;
GLuint g_computerLabelTex = 0;
GLuint g_gridOverlayTex = 0;
GLuint g_digitsTex = 0;

std::vector<unsigned char> g_pieceImage1;
std::vector<unsigned char> g_pieceImage2;
int g_imageWidth[2] = {0, 0};
int g_imageHeight[2] = {0, 0};

int g_menuBackdropWidth = 0;
int g_menuBackdropHeight = 0;

const int g_boardShadeSteps[3] = {70, 10, 50};
const int g_gridLineColour[3] = {80, 20, 20};

int g_unifiedTextureCount = 0;

double g_previewWindowS0[3] = {0.0, 0.0, 0.0};
double g_previewWindowS1[3] = {0.0, 0.0, 0.0};
double g_previewWindowT0[3] = {0.0, 0.0, 0.0};
double g_previewWindowT1[3] = {0.0, 0.0, 0.0};

namespace {

const char* const kPathMarkerFile[3] = {"path_st.res", "path_fin.res", "path_ser.res"};
const char* const kMenuBackdropFile = "ekr_men.res";
const char* const kBackgroundFile = "Fon.res";
const char* const kComputerLabelFile = "Yarlik_Komp.res";
const char* const kDigitsFile = "Number.res";
constexpr int SCENE_TEX_SIZE = 512;
constexpr int GRID_LINES = 11;

// Loaded pictures are released as soon as their texture is made.
struct FreeImage {
    void operator()(AUX_RGBImageRec* image) const
    {
        if (!image) return;
        std::free(image->data);
        std::free(image);
    }
};
using Image = std::unique_ptr<AUX_RGBImageRec, FreeImage>;

// Null (after the reader's message) when the file cannot be read as a picture.
Image LoadPicture(const CString& path)
{
    Image image(auxDIBImageLoadA(path.GetString()));
    if (image && (image->sizeX <= 0 || image->sizeY <= 0 || !image->data)) image.reset();
    return image;
}

Image LoadResource(const char* name)
{
    return LoadPicture(g_appDir + "/resources/" + name);
}

size_t Pixels(const AUX_RGBImageRec& image)
{
    return static_cast<size_t>(image.sizeX) * static_cast<size_t>(image.sizeY);
}

void SetLinearFilters()
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

GLuint NewBoundTexture()
{
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    return name;
}

// A new texture name holding the pixels as mipmaps (components 3 or 4). The
// filters come first: with them the upload knows the base level is all that
// is ever read.
GLuint MakeTexture(int width, int height, int components, const unsigned char* pixels)
{
    const GLuint name = NewBoundTexture();
    SetLinearFilters();
    UploadMipmaps(components, width, height, pixels);
    return name;
}

bool IsBlueKey(const unsigned char* p)
{
    return p[0] < 30 && p[1] < 30 && p[2] > 100;
}

bool IsNotBlue(const unsigned char* p)
{
    return p[0] > 30 || p[1] > 30 || p[2] < 100;
}

unsigned char Clamp(int v)
{
    return static_cast<unsigned char>(std::min(255, std::max(0, v)));
}

bool InBand(int v, double start, double end)
{
    return start <= v && v < end;
}

// Keeps a piece image of unified texture 4 (side 1) or 5 (side 2).
void KeepPieceImage(const AUX_RGBImageRec& image, int side)
{
    std::vector<unsigned char>& kept = side == 1 ? g_pieceImage1 : g_pieceImage2;
    kept.assign(image.data, image.data + Pixels(image) * 3);
    g_imageWidth[side - 1] = image.sizeX;
    g_imageHeight[side - 1] = image.sizeY;
}

bool LoadModelTextures(const std::vector<const char*>& names, std::vector<unsigned char>& gridLayer,
                       int& boardWidth, int& boardHeight)
{
    for (int i = 0; i + 1 < static_cast<int>(names.size()); ++i) {
        Image image = LoadPicture(names[static_cast<size_t>(i) + 1]);
        if (!image) return false;
        const int w = image->sizeX, h = image->sizeY;
        GLuint& name = g_modelTex[static_cast<size_t>(i) + 1];
        if (i == 0) {
            gridLayer.assign(Pixels(*image) * 4, 0);
            ProcessBoardImage(image->data, w, h, g_gridLineStart, g_gridLineEnd, gridLayer.data());
            name = MakeTexture(w, h, 3, image->data);
            boardWidth = w;
            boardHeight = h;
        } else if (i == 3 || i == 4) {
            const int side = i - 2;
            KeepPieceImage(*image, side);
            name = NewBoundTexture();
            SetLinearFilters();
            BuildPieceTextures(side);
        } else {
            name = MakeTexture(w, h, 3, image->data);
        }
    }
    return true;
}

bool LoadRankFaces()
{
    for (int n = 0; n < 12; ++n) {
        CString file;
        file.Format("%i.res", n);
        Image image = LoadResource(file);
        if (!image) return false;
        g_rankTex[n] = MakeTexture(image->sizeX, image->sizeY, 3, image->data);
    }
    return true;
}

// A picture with pure white keyed out, as an RGBA texture.
bool LoadWhiteKeyed(const char* file, bool clearWhite, GLuint& name)
{
    Image image = LoadResource(file);
    if (!image) return false;
    std::vector<unsigned char> rgba(Pixels(*image) * 4);
    WhiteKeyedRgba(image->data, static_cast<int>(Pixels(*image)), clearWhite, rgba.data());
    name = MakeTexture(image->sizeX, image->sizeY, 4, rgba.data());
    return true;
}

bool LoadMenuBackdrop()
{
    Image image = LoadResource(kMenuBackdropFile);
    if (!image) return false;
    const int w = image->sizeX, h = image->sizeY;
    g_menuBackdropWidth = w;
    g_menuBackdropHeight = h;
    unsigned char panel[3];
    for (int c = 0; c < 3; ++c) panel[c] = static_cast<unsigned char>(g_panelColour[c] * 255.0);
    std::vector<unsigned char> rgba(Pixels(*image) * 4), edge(Pixels(*image) * 4);
    BuildMenuBackdrop(image->data, w, h, panel, rgba.data(), edge.data());
    g_menuBackTex = MakeTexture(w, h, 4, rgba.data());
    g_menuEdgeTex = MakeTexture(w, h, 4, edge.data());
    return true;
}

bool LoadDigits()
{
    Image image = LoadResource(kDigitsFile);
    if (!image) return false;
    // The work image grows when the picture is larger than it.
    unsigned char* rgba = ImageBufferFor(Pixels(*image) * 4);
    WhiteKeyedRgba(image->data, static_cast<int>(Pixels(*image)), false, rgba);
    g_digitsTex = MakeTexture(image->sizeX, image->sizeY, 4, rgba);
    return true;
}

}  // namespace

int UnifyTextureNames(std::vector<const char*>& names)
{
    names.assign(1, nullptr);  // entry 0 stays empty
    // Entry of every name met so far: one look-up per polygon, however many
    // names the models hold.
    std::unordered_map<std::string_view, int> entryOf;
    for (ModelRecord& m : g_models) {
        const size_t count = std::min({static_cast<size_t>(std::max(m.vertexCount, 0)), m.polyStart.size(),
                                       m.texSlot.size()});
        for (size_t v = 0; v < count; ++v) {
            if (m.polyStart[v] != 1 || m.texSlot[v] == 0) continue;
            const int slot = m.texSlot[v];
            if (slot < 1 || slot > static_cast<int>(m.textureNames.size()) ||
                m.textureNames[static_cast<size_t>(slot) - 1].IsEmpty()) {
                m.texSlot[v] = 0;
                continue;
            }
            const char* name = m.textureNames[static_cast<size_t>(slot) - 1].GetString();
            const auto found = entryOf.emplace(name, static_cast<int>(names.size()));
            if (found.second) names.push_back(name);
            m.texSlot[v] = found.first->second;
        }
    }
    return static_cast<int>(names.size()) - 1;
}

void WhiteKeyedRgba(const unsigned char* rgb, int pixels, bool clearWhite, unsigned char* rgba)
{
    for (int i = 0; i < pixels; ++i) {
        const unsigned char* s = rgb + 3 * static_cast<size_t>(i);
        unsigned char* d = rgba + 4 * static_cast<size_t>(i);
        const bool white = s[0] == 255 && s[1] == 255 && s[2] == 255;
        for (int c = 0; c < 3; ++c) d[c] = (white && clearWhite) ? 0 : s[c];
        d[3] = white ? 0 : 255;
    }
}

void ProcessBoardImage(unsigned char* rgb, int width, int height, const double* bandStart,
                       const double* bandEnd, unsigned char* rgba)
{
    auto at = [&](int x, int y) { return rgb + 3 * (static_cast<size_t>(y) * width + x); };
    auto setColour = [](unsigned char* p, int r, int g, int b) {
        p[0] = Clamp(r);
        p[1] = Clamp(g);
        p[2] = Clamp(b);
    };

    // Edge pass: a dark line below-left and a light line above-right of the
    // blue lines. Only pixels that are not blue change, and they stay not
    // blue, so which pixels change does not depend on the order; a pixel
    // reached from both sides ends dark (its upper-right blue neighbour comes
    // last by column as by row), so rows may go first, as memory lies.
    for (int y = 11; y < height - 10; ++y) {
        for (int x = 11; x < width - 10; ++x) {
            if (!IsBlueKey(at(x, y))) continue;
            if (IsNotBlue(at(x - 1, y - 1))) setColour(at(x - 1, y - 1), 0, 0, 0);
            if (IsBlueKey(at(x, y)) && IsNotBlue(at(x + 1, y + 1))) setColour(at(x + 1, y + 1), 255, 255, 255);
        }
    }

    // The grid layer: blue lines and their black and white edges.
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
        const unsigned char* p = rgb + 3 * i;
        const bool black = p[0] == 0 && p[1] == 0 && p[2] == 0;
        const bool white = p[0] == 255 && p[1] == 255 && p[2] == 255;
        std::memcpy(rgba + 4 * i, p, 3);
        rgba[4 * i + 3] = (IsBlueKey(p) || black || white) ? 170 : 0;
    }

    // Band shading: per line a darker first column, a lighter last one and a
    // darker inside; crossings are treated once per band, in the bands'
    // order. Each pixel is worked on by itself, so only the pixels in some
    // band are visited, row by row, with the bands of their column and row.
    std::vector<unsigned> columnBands(static_cast<size_t>(width), 0), rowBands(static_cast<size_t>(height), 0);
    for (int k = 0; k < GRID_LINES; ++k) {
        for (int x = 0; x < width; ++x)
            if (InBand(x, bandStart[k], bandEnd[k])) columnBands[static_cast<size_t>(x)] |= 1u << k;
        for (int y = 0; y < height; ++y)
            if (InBand(y, bandStart[k], bandEnd[k])) rowBands[static_cast<size_t>(y)] |= 1u << k;
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned bands = columnBands[static_cast<size_t>(x)] | rowBands[static_cast<size_t>(y)];
            if (bands == 0) continue;
            unsigned char* p = at(x, y);
            unsigned char* a = rgba + 4 * (static_cast<size_t>(y) * width + x);
            for (int k = 0; k < GRID_LINES; ++k) {
                if ((bands & (1u << k)) == 0) continue;
                const int first = static_cast<int>(bandStart[k]) + 1;
                const int last = static_cast<int>(bandEnd[k]);
                const bool blue = IsBlueKey(p);
                if (x == first || y == first) {
                    if (blue) setColour(p, 38, 38, 100);
                    else setColour(p, p[0] - g_boardShadeSteps[0], p[1] - g_boardShadeSteps[0], p[2] - g_boardShadeSteps[0]);
                } else if (x == last || y == last) {
                    if (blue) setColour(p, 70, 70, 100);
                    else setColour(p, p[0] + g_boardShadeSteps[1], p[1] + g_boardShadeSteps[1], p[2] + g_boardShadeSteps[1]);
                } else {
                    if (blue) setColour(p, 58, 58, 100);
                    else setColour(p, p[0] - g_boardShadeSteps[2], p[1] - g_boardShadeSteps[2], p[2] - g_boardShadeSteps[2]);
                }
                std::memcpy(a, p, 3);
                a[3] = blue ? 200 : 100;
            }
        }
    }

    // The border lines (bands 0 and 10) in their own colour, opaque.
    const unsigned outer = 1u | 1u << (GRID_LINES - 1);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (((columnBands[static_cast<size_t>(x)] | rowBands[static_cast<size_t>(y)]) & outer) == 0) continue;
            unsigned char* p = at(x, y);
            unsigned char* a = rgba + 4 * (static_cast<size_t>(y) * width + x);
            setColour(p, g_gridLineColour[0], g_gridLineColour[1], g_gridLineColour[2]);
            std::memcpy(a, p, 3);
            a[3] = 255;
        }
    }
}

void BuildMenuBackdrop(const unsigned char* rgb, int width, int height, const unsigned char panel[3],
                       unsigned char* rgba, unsigned char* edgeLayer)
{
    const size_t pixels = static_cast<size_t>(width) * height;
    for (size_t i = 0; i < pixels; ++i) {
        const unsigned char* s = rgb + 3 * i;
        unsigned char* d = rgba + 4 * i;
        const bool keyed = s[0] == 255;
        for (int c = 0; c < 3; ++c) d[c] = keyed ? panel[c] : s[c];
        d[3] = keyed ? 0 : 255;
    }
    auto px = [&](int x, int y) { return rgba + 4 * (static_cast<size_t>(y) * width + x); };
    auto set = [](unsigned char* p, unsigned char v, unsigned char alpha) {
        p[0] = p[1] = p[2] = v;
        p[3] = alpha;
    };
    for (int x = 11; x < width - 10; ++x) {
        for (int y = 11; y < height - 10; ++y) {
            if (px(x - 1, y - 1)[3] == 0 && px(x, y)[3] == 255) {
                set(px(x - 1, y - 1), 0, 253);
                set(px(x - 2, y - 2), 0, 254);
            }
            if (px(x + 1, y + 1)[3] == 0 && px(x, y)[3] == 255) set(px(x + 1, y + 1), 255, 254);
        }
    }
    std::memcpy(edgeLayer, rgba, pixels * 4);
    for (size_t i = 0; i < pixels; ++i) {
        unsigned char& alpha = edgeLayer[4 * i + 3];
        alpha = alpha == 254 ? 255 : alpha == 253 ? 35 : 0;
    }
}

unsigned char RecolourPieceByte(unsigned char v, int brightness)
{
    if (v == 255) return 255;
    const int offset = v > 240 ? 10 : v > 220 ? 20 : v > 200 ? 30 : v > 180 ? 40 : v > 160 ? 50 : 60;
    return Clamp(v + brightness - offset);
}

void SetPreviewWindows()
{
    const double t0[3] = {0.335, 0.53, 0.435};
    const double t1[3] = {0.435, 0.63, 0.535};
    for (int w = 0; w < 3; ++w) {
        g_previewWindowS0[w] = 0.67;
        g_previewWindowS1[w] = 0.81;
        g_previewWindowT0[w] = t0[w];
        g_previewWindowT1[w] = t1[w];
    }
}

bool LoadTextures()
{
    std::vector<const char*> names;
    g_textureCreatePass = 1;  // every name is made anew
    g_unifiedTextureCount = UnifyTextureNames(names);
    if (g_unifiedTextureCount < MIN_UNIFIED_TEXTURES) return false;
    g_modelTex.assign(static_cast<size_t>(std::max(g_geoTextureTotal, g_unifiedTextureCount)) + 1, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);

    std::vector<unsigned char> gridLayer;
    int boardWidth = 0, boardHeight = 0;
    if (!LoadModelTextures(names, gridLayer, boardWidth, boardHeight)) return false;
    if (!LoadRankFaces()) return false;
    for (int i = 0; i < 3; ++i)
        if (!LoadWhiteKeyed(kPathMarkerFile[i], false, g_pathMarkerTex[i])) return false;

    // Filled by the reflection pass; starts black.
    const std::vector<unsigned char> black(SCENE_TEX_SIZE * SCENE_TEX_SIZE * 3, 0);
    g_sceneTex = MakeTexture(SCENE_TEX_SIZE, SCENE_TEX_SIZE, 3, black.data());

    if (!LoadMenuBackdrop()) return false;
    {
        Image background = LoadResource(kBackgroundFile);
        if (!background) return false;
        g_backgroundTex = MakeTexture(background->sizeX, background->sizeY, 3, background->data);
    }
    if (!LoadWhiteKeyed(kComputerLabelFile, true, g_computerLabelTex)) return false;
    SetPreviewWindows();
    g_sceneHost.rebuildPanelTextures(2);
    g_gridOverlayTex = MakeTexture(boardWidth, boardHeight, 4, gridLayer.data());
    if (!LoadDigits()) return false;
    g_textureCreatePass = 0;
    return true;
}

void ApplySideTint(int side)
{
    if (side != 1 && side != 2) return;
    ModelRecord& m = g_models[side];
    const std::vector<double>& shade = g_vertexShade[side];
    const size_t count = std::min(static_cast<size_t>(m.vertexCount), shade.size());
    for (size_t i = 0; i < count; ++i) {
        m.colourR[i] = std::max(0.0, g_tintR[side] - shade[i]);
        m.colourG[i] = std::max(0.0, g_tintG[side] - shade[i]);
        m.colourB[i] = std::max(0.0, g_tintB[side] - shade[i]);
    }
}

void BuildPieceTextures(int which)
{
    for (int side = 1; side <= 2; ++side) {
        if (which != 0 && which != side) continue;
        const std::vector<unsigned char>& kept = side == 1 ? g_pieceImage1 : g_pieceImage2;
        const size_t entry = static_cast<size_t>(side) + 3;  // unified textures 4 and 5
        if (kept.empty() || entry >= g_modelTex.size() || g_modelTex[entry] == 0) continue;
        unsigned char* out = ImageBufferFor(kept.size());
        for (size_t i = 0; i < kept.size(); ++i) out[i] = RecolourPieceByte(kept[i], g_pieceBrightness);
        glBindTexture(GL_TEXTURE_2D, g_modelTex[entry]);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        UploadMipmaps(3, g_imageWidth[side - 1], g_imageHeight[side - 1], out);
    }
}
