#include "interface/language.h"

#include <fstream>

#include "platform/program_folder.h"
#include "platform/files.h"

CString g_languageNames[LANGUAGE_LIST_MAX];
int g_languageCount = 1;

bool ReadMarkedLine(std::istream& in, CString& text)
{
    char marker;
    if (!(in >> marker)) return false;
    std::string line;
    if (!ReadLimitedLine(in, line, LANGUAGE_TEXT_MAX_CHARS)) line.clear();
    text = CString(line);
    return true;
}

void BuildLanguageList()
{
    g_languageCount = 1;
    for (int probe = 0; probe < LANGUAGE_LIST_MAX - 1; ++probe) {
        CString path;
        path.Format("%s/language/%i.la", g_appDir.GetString(), g_languageCount);
        if (!FileExists(path.str())) continue;  // the next probe asks for the same number
        std::ifstream in(path.GetString());
        CString name;
        if (ReadMarkedLine(in, name)) g_languageNames[g_languageCount] = name;
        ++g_languageCount;
    }
}

// Stands in until the language work reads the text table.
void LoadLanguage(int) {}
