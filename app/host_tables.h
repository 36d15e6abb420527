// Wires the lower layers' calls up into the game flow, the renderer, the
// sound and the interface, and the platform's reading of dialog pictures:
// fills RulesHost, SceneHost and the platform's PictureReader.
#pragma once

// Called once, first thing of the application object's InitInstance (and by
// tests that run the real program's pieces together).
void InstallHostTables();
