#include "interface/list_panels.h"

// Stands in until the list panels work lays out the language list.
void LayoutLanguageListPanel() {}
