// Places of every overlay element, computed from the client size.
#pragma once

// Lays out the fixed elements and every panel for the current client size.
void LayoutAll();
