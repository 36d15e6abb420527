#include "platform/gl_context.h"

#include <GL/glx.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/window_native.h"

struct GlContext {
    GLXContext context;
    int format;
};

namespace {

const WglDriverOverride* g_override = nullptr;
thread_local HDC g_currentDc = nullptr;
thread_local HGLRC g_currentContext = nullptr;
std::map<CWnd*, HGLRC> g_lastContextOfWindow;  // interface thread only

std::vector<GLXFBConfig>& Configs()
{
    static std::vector<GLXFBConfig> configs;
    static bool listed = false;
    if (!listed) {
        listed = true;
        int count = 0;
        GLXFBConfig* list = glXGetFBConfigs(LayerDisplay(), LayerScreen(), &count);
        if (list) {
            configs.assign(list, list + count);
            XFree(list);
        }
    }
    return configs;
}

int Attribute(GLXFBConfig config, int name)
{
    int value = 0;
    glXGetFBConfigAttrib(LayerDisplay(), config, name, &value);
    return value;
}

int IndexOf(GLXFBConfig config)
{
    const auto& all = Configs();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i] == config) return static_cast<int>(i) + 1;
    return 0;
}

GLXFBConfig ConfigOf(int format)
{
    const auto& all = Configs();
    if (format < 1 || format > static_cast<int>(all.size())) return nullptr;
    return all[static_cast<size_t>(format) - 1];
}

// A format the program can use for a window: true colour, 24 bits deep (a
// 32-bit visual would let a compositor see through the alpha channel).
bool DrawsToPlainWindow(GLXFBConfig config)
{
    XVisualInfo* visual = glXGetVisualFromFBConfig(LayerDisplay(), config);
    if (!visual) return false;
    bool ok = visual->depth == 24 && visual->c_class == TrueColor;
    XFree(visual);
    return ok;
}

// glXChooseFBConfig with the wanted minimums; the first usable one in the
// server's order of preference, 0 when none.
int Choose(int depthBits, int sampleBuffers, int samples, std::vector<int>* all = nullptr)
{
    std::vector<int> attributes = {GLX_X_RENDERABLE, True,
                                   GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT,
                                   GLX_RENDER_TYPE, GLX_RGBA_BIT,
                                   GLX_X_VISUAL_TYPE, GLX_TRUE_COLOR,
                                   GLX_DOUBLEBUFFER, True,
                                   GLX_RED_SIZE, 8,
                                   GLX_GREEN_SIZE, 8,
                                   GLX_BLUE_SIZE, 8,
                                   GLX_DEPTH_SIZE, depthBits < 16 ? 16 : depthBits};
    if (sampleBuffers > 0) {
        attributes.insert(attributes.end(), {GLX_SAMPLE_BUFFERS, sampleBuffers, GLX_SAMPLES, samples});
    }
    attributes.push_back(None);
    int count = 0;
    GLXFBConfig* list = glXChooseFBConfig(LayerDisplay(), LayerScreen(), attributes.data(), &count);
    int chosen = 0;
    for (int i = 0; list && i < count; ++i) {
        if (!DrawsToPlainWindow(list[i])) continue;
        if (sampleBuffers == 0 && Attribute(list[i], GLX_SAMPLE_BUFFERS) != 0) continue;
        int index = IndexOf(list[i]);
        if (index == 0) continue;
        if (all) all->push_back(index);
        if (chosen == 0) chosen = index;
    }
    if (list) XFree(list);
    return chosen;
}

std::string WglExtensionString()
{
    std::string result = "WGL_ARB_extensions_string WGL_ARB_pixel_format ";
    const char* glx = glXQueryExtensionsString(LayerDisplay(), LayerScreen());
    std::string word;
    auto take = [&](const std::string& w) {
        if (w.rfind("GLX_", 0) == 0) result += "WGL_" + w.substr(4) + " ";
    };
    for (const char* p = glx ? glx : ""; *p; ++p) {
        if (*p == ' ') {
            take(word);
            word.clear();
        } else {
            word += *p;
        }
    }
    take(word);
    // GLX 1.4 has multisampling built in, without naming the extension.
    int major = 0, minor = 0;
    glXQueryVersion(LayerDisplay(), &major, &minor);
    const bool glx14 = major > 1 || (major == 1 && minor >= 4);
    if (glx14 && result.find("WGL_ARB_multisample ") == std::string::npos) result += "WGL_ARB_multisample ";
    return result;
}

const char* LayerGetExtensionsString(HDC)
{
    static const std::string text = WglExtensionString();
    return text.c_str();
}

BOOL LayerChoosePixelFormat(HDC, const int* intAttributes, const FLOAT*, UINT maxFormats, int* formats,
                            UINT* formatCount)
{
    int depth = 16, sampleBuffers = 0, samples = 0;
    for (const int* a = intAttributes; a && a[0] != 0; a += 2) {
        switch (a[0]) {
        case WGL_DEPTH_BITS_ARB:
            depth = a[1];
            break;
        case WGL_SAMPLE_BUFFERS_ARB:
            sampleBuffers = a[1];
            break;
        case WGL_SAMPLES_ARB:
            samples = a[1];
            break;
        default:
            // Window, OpenGL and double buffering are always asked for; the
            // colour stays at 8 bits a channel whatever is asked; the
            // acceleration of a software renderer is not a reason to refuse.
            break;
        }
    }
    std::vector<int> found;
    Choose(depth, sampleBuffers, samples, &found);
    UINT n = 0;
    for (int index : found) {
        if (n >= maxFormats) break;
        if (formats) formats[n] = index;
        ++n;
    }
    if (formatCount) *formatCount = n;
    return n > 0 ? TRUE : FALSE;
}

const char* OverrideGetExtensions(HDC dc)
{
    return g_override && g_override->getExtensionsString ? g_override->getExtensionsString(dc) : nullptr;
}

}  // namespace

int ChoosePixelFormat(HDC, const PIXELFORMATDESCRIPTOR* wanted)
{
    return Choose(wanted ? wanted->cDepthBits : 16, 0, 0);
}

int DescribePixelFormat(HDC, int format, UINT bytes, PIXELFORMATDESCRIPTOR* out)
{
    GLXFBConfig config = ConfigOf(format);
    if (!config) return 0;
    if (out && bytes >= sizeof(PIXELFORMATDESCRIPTOR)) {
        std::memset(out, 0, sizeof *out);
        out->nSize = sizeof *out;
        out->nVersion = 1;
        out->dwFlags = PFD_SUPPORT_OPENGL;
        if (Attribute(config, GLX_DRAWABLE_TYPE) & GLX_WINDOW_BIT) out->dwFlags |= PFD_DRAW_TO_WINDOW;
        if (Attribute(config, GLX_DOUBLEBUFFER)) out->dwFlags |= PFD_DOUBLEBUFFER;
        out->iPixelType = PFD_TYPE_RGBA;
        out->cRedBits = static_cast<unsigned char>(Attribute(config, GLX_RED_SIZE));
        out->cGreenBits = static_cast<unsigned char>(Attribute(config, GLX_GREEN_SIZE));
        out->cBlueBits = static_cast<unsigned char>(Attribute(config, GLX_BLUE_SIZE));
        out->cAlphaBits = static_cast<unsigned char>(Attribute(config, GLX_ALPHA_SIZE));
        out->cColorBits = static_cast<unsigned char>(out->cRedBits + out->cGreenBits + out->cBlueBits);
        out->cRedShift = 16;
        out->cGreenShift = 8;
        out->cBlueShift = 0;
        out->cAccumRedBits = static_cast<unsigned char>(Attribute(config, GLX_ACCUM_RED_SIZE));
        out->cAccumGreenBits = static_cast<unsigned char>(Attribute(config, GLX_ACCUM_GREEN_SIZE));
        out->cAccumBlueBits = static_cast<unsigned char>(Attribute(config, GLX_ACCUM_BLUE_SIZE));
        out->cAccumAlphaBits = static_cast<unsigned char>(Attribute(config, GLX_ACCUM_ALPHA_SIZE));
        out->cAccumBits = static_cast<unsigned char>(out->cAccumRedBits + out->cAccumGreenBits +
                                                     out->cAccumBlueBits + out->cAccumAlphaBits);
        out->cDepthBits = static_cast<unsigned char>(Attribute(config, GLX_DEPTH_SIZE));
        out->cStencilBits = static_cast<unsigned char>(Attribute(config, GLX_STENCIL_SIZE));
        out->cAuxBuffers = static_cast<unsigned char>(Attribute(config, GLX_AUX_BUFFERS));
        out->iLayerType = PFD_MAIN_PLANE;
    }
    return static_cast<int>(Configs().size());
}

BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR*)
{
    if (!dc || !dc->window) return FALSE;
    const int current = NativePixelFormat(dc->window);
    if (current != 0) return current == format ? TRUE : FALSE;
    GLXFBConfig config = ConfigOf(format);
    if (!config) return FALSE;
    XVisualInfo* visual = glXGetVisualFromFBConfig(LayerDisplay(), config);
    if (!visual) return FALSE;
    bool made = NativeCreateWithVisual(dc->window, format, visual);
    XFree(visual);
    return made ? TRUE : FALSE;
}

int GetPixelFormat(HDC dc)
{
    return dc ? NativePixelFormat(dc->window) : 0;
}

int PixelFormatSamples(int format)
{
    GLXFBConfig config = ConfigOf(format);
    if (!config || !Attribute(config, GLX_SAMPLE_BUFFERS)) return 0;
    return Attribute(config, GLX_SAMPLES);
}

HGLRC wglCreateContext(HDC dc)
{
    if (!dc) return nullptr;
    GLXFBConfig config = ConfigOf(NativePixelFormat(dc->window));
    if (!config) return nullptr;
    GLXContext context = glXCreateNewContext(LayerDisplay(), config, GLX_RGBA_TYPE, nullptr, True);
    if (!context) return nullptr;
    return new GlContext{context, NativePixelFormat(dc->window)};
}

BOOL wglMakeCurrent(HDC dc, HGLRC context)
{
    Display* display = LayerDisplay();
    if (!context) {
        glXMakeContextCurrent(display, None, None, nullptr);
        g_currentDc = nullptr;
        g_currentContext = nullptr;
        return TRUE;
    }
    if (!dc) return FALSE;
    Window drawable = NativeDrawable(dc->window);
    if (drawable == 0 || NativePixelFormat(dc->window) != context->format) return FALSE;
    if (!glXMakeContextCurrent(display, drawable, drawable, context->context)) return FALSE;
    g_currentDc = dc;
    g_currentContext = context;
    g_lastContextOfWindow[dc->window] = context;
    return TRUE;
}

BOOL wglDeleteContext(HGLRC context)
{
    if (!context) return FALSE;
    if (g_currentContext == context) wglMakeCurrent(nullptr, nullptr);
    for (auto it = g_lastContextOfWindow.begin(); it != g_lastContextOfWindow.end();) {
        if (it->second == context) it = g_lastContextOfWindow.erase(it);
        else ++it;
    }
    glXDestroyContext(LayerDisplay(), context->context);
    delete context;
    return TRUE;
}

HDC wglGetCurrentDC()
{
    return g_currentDc;
}

HGLRC wglGetCurrentContext()
{
    return g_currentContext;
}

PROC wglGetProcAddress(LPCSTR name)
{
    if (!name) return nullptr;
    if (std::strcmp(name, "wglGetExtensionsStringARB") == 0) {
        if (g_override)
            return g_override->getExtensionsString ? reinterpret_cast<PROC>(&OverrideGetExtensions) : nullptr;
        return reinterpret_cast<PROC>(&LayerGetExtensionsString);
    }
    if (std::strcmp(name, "wglChoosePixelFormatARB") == 0) {
        if (g_override) return reinterpret_cast<PROC>(g_override->choosePixelFormat);
        return reinterpret_cast<PROC>(&LayerChoosePixelFormat);
    }
    // GLX hands out a stub for any name; only GL entry points are real ones.
    if (std::strncmp(name, "gl", 2) != 0) return nullptr;
    return glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name));
}

BOOL SwapBuffers(HDC dc)
{
    if (!dc) return FALSE;
    Window drawable = NativeDrawable(dc->window);
    if (drawable == 0) return FALSE;
    glXSwapBuffers(LayerDisplay(), drawable);
    return TRUE;
}

void SetWglDriverOverride(const WglDriverOverride* driver)
{
    g_override = driver;
}

void GlMakeWindowContextCurrent(CWnd* window)
{
    auto it = g_lastContextOfWindow.find(window);
    if (it == g_lastContextOfWindow.end() || g_currentContext == it->second) return;
    if (g_currentDc && g_currentDc->window == window && g_currentContext == it->second) return;
    CClientDC dc(window);
    wglMakeCurrent(dc.m_hDC, it->second);
}

void GlForgetWindow(CWnd* window)
{
    if (g_currentDc && g_currentDc->window == window) wglMakeCurrent(nullptr, nullptr);
    g_lastContextOfWindow.erase(window);
}

void GlWindowResized(CWnd* window)
{
    // Mesa's software path reads a window's size only after a swap: rebind
    // and swap once so the next frame is drawn at the new size (what the
    // window shows in between is undefined on every system anyway).
    if (!g_currentDc || g_currentDc->window != window || !g_currentContext) return;
    Display* display = LayerDisplay();
    Window drawable = NativeDrawable(window);
    glXWaitX();
    glXMakeContextCurrent(display, None, None, nullptr);
    glXMakeContextCurrent(display, drawable, drawable, g_currentContext->context);
    glXSwapBuffers(display, drawable);
}
