// Language files: the list of languages found in "/language/", the
// interface texts of one language and its help text.
#pragma once

#include <GL/gl.h>

#include <istream>
#include <vector>

#include "platform/strings.h"

constexpr int LANGUAGE_LIST_MAX = 20;        // names at 1..19
constexpr int LANGUAGE_TEXT_MAX_CHARS = 99;  // visible length of one text line
constexpr int UI_TEXT_GROUP_SIZE = 25;       // texts per group
constexpr int UI_TEXT_GROUPS = 25;           // room for groups 0..24
constexpr int UI_TEXT_COUNT = UI_TEXT_GROUP_SIZE * UI_TEXT_GROUPS;
constexpr int UI_TEXT_LAST_GROUP = 18;       // reading stops after a block of this group or more
constexpr int HELP_LINE_MAX_CHARS = 1023;
constexpr int HELP_EMPTY_LINE_HEIGHT = 30;   // an empty help line is a gap this high

extern CString g_languageNames[LANGUAGE_LIST_MAX];
extern int g_languageCount;  // languages found plus 1

// The interface texts: group x 25 + item.
extern CString g_uiText[UI_TEXT_COUNT];
// The caption of the caption bar's menu button.
extern CString g_languageCaption;

// Reads one text line of a language file: skips blanks and line ends, drops
// the marker character, keeps the rest of the line (at most 99 characters).
bool ReadMarkedLine(std::istream& in, CString& text);

// Probes "/language/1.la", "/language/2.la" ... (numbers without gaps, at most
// 19) and takes the first text line of each as the language's name.
void BuildLanguageList();

// Reads a language file's texts: the name line (dropped), the menu button's
// caption into g_languageCaption, then blocks of a heading, "group count" and
// count texts into g_uiText, up to the first block of group 18 or more. Texts
// outside groups 0..24 or past item 24 are read and dropped; a header that is
// not two numbers ends the reading with what was read kept.
void ReadLanguage(std::istream& in);

// Reads the interface texts of language file number ("/language/<number>.la")
// over those of the other shipped language (file 1, or file 2 for number 1):
// a text the chosen file leaves empty, the menu button's caption included, is
// the other language's, so that a damaged file still leaves every panel
// usable. A chosen file without any interface text counts as missing; when
// neither file gives one, nothing changes.
void LoadLanguage(int number);

// ---- the help text ----
extern std::vector<CString> g_helpLines;  // every blank widened to three
extern GLuint g_helpPageTexture;
extern GLuint g_textWindowFrameTexture;   // 770 x (client height - 30)
extern GLuint g_textScrollTrackTexture;   // 20 x (client height - 30)
extern GLuint g_textCloseTexture;
extern GLuint g_textCloseHotTexture;

// Reads the lines of a help file (each cut to 1023 bytes, its blanks widened
// to three) into lines, replacing what they held.
void ReadHelpText(std::istream& in, std::vector<CString>& lines);

// The colour of the page under its lines.
constexpr unsigned char HELP_PAGE_GREY = 20;
constexpr unsigned char HELP_PAGE_ALPHA = 245;

// The help page as an RGBA picture, row 0 at the bottom.
struct HelpPage {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;
};
// The largest help page: the window's 770-pixel width times a height no
// help text needs (the shipped pages are under 2600 pixels high).
constexpr long long HELP_PAGE_AREA_MAX = 770LL * 8192;
// Lays lines out into one page: each non-empty line drawn in relief from
// y = 5 up, an empty one a 30-pixel gap; the lines beyond HELP_PAGE_AREA_MAX
// are cut off. Lines that measure nothing at all give a blank page
// 770 x (clientHeight - 30), which does not scroll.
HelpPage RenderHelpPage(const std::vector<CString>& lines, int clientHeight);

// Draws the text window's frame into a width x height RGBA image:
// transparent, with grey lines at x 1, x w-1, y 0, y h-2 under panel-coloured
// lines at x 0, x w-2, y 1, y h-1.
void DrawTextWindowFrame(unsigned char* image, int width, int height);

// Reads the help file of the current language ("1" while g_language is 0),
// builds the page, the window's frame, track and close-button textures, and
// sets the text window's geometry with the scroll position back at 0. A
// missing help file changes nothing.
void LoadHelpText();
