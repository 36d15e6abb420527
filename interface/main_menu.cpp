#include "interface/main_menu.h"

// Stands in for the main menu until the interface work builds it.
void LayoutMainMenu() {}
