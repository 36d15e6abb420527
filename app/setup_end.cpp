#include "app/setup_end.h"

// Stands in for the end-of-setup flow until the game-flow work builds it.
void FinishSetup() {}
