// The load list and the language list panels.
#pragma once

// Places the language list's rows for the current client size.
void LayoutLanguageListPanel();
