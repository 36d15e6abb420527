// Language files: the list of languages found in "/language/".
#pragma once

#include <istream>

#include "platform/strings.h"

constexpr int LANGUAGE_LIST_MAX = 20;        // names at 1..19
constexpr int LANGUAGE_TEXT_MAX_CHARS = 99;  // visible length of one text line

extern CString g_languageNames[LANGUAGE_LIST_MAX];
extern int g_languageCount;  // languages found plus 1

// Reads one text line of a language file: skips blanks and line ends, drops
// the marker character, keeps the rest of the line (at most 99 characters).
bool ReadMarkedLine(std::istream& in, CString& text);

// Probes "/language/1.la", "/language/2.la" ... (numbers without gaps, at most
// 19) and takes the first text line of each as the language's name.
void BuildLanguageList();

// Reads the interface texts of language file number ("/language/<number>.la").
void LoadLanguage(int number);
