// What the scene calls above itself: the overlay of the interface. The
// application fills the table at start-up; every entry does nothing until
// then (and in tests that draw the scene alone).
#pragma once

struct SceneHost {
    // Step 14 of the frame: the 2D overlay over the finished 3D scene; ends
    // with the perspective camera loaded.
    void (*drawOverlay)();
    // Builds every panel's caption textures in the given mode (the texture
    // loader calls it while the texture names are made).
    void (*rebuildPanelTextures)(int mode);
};

extern SceneHost g_sceneHost;

// Puts every entry back to its do-nothing default.
void ResetSceneHost();
