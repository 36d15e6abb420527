// Runs every scene test inside the main dialog's initialisation, with the
// program's own GL context and the scene loaded from the program folder.
// Built with VELMONAR_PLAIN_FORMAT, on the format a driver without
// multisampling leaves (and fails when the context has samples after all).
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/scene/scene_probe.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();

#ifdef VELMONAR_PLAIN_FORMAT
    const WglDriverOverride noMultisample = {nullptr, nullptr};
    SetWglDriverOverride(&noMultisample);
#endif
    int result = 1;
    const INT_PTR ended = RunSceneWindow(1920, 1080, [&](SceneWindow& w) {
        g_sceneWindow = &w;
#ifdef VELMONAR_PLAIN_FORMAT
        GLint samples = 0;
        glGetIntegerv(GL_SAMPLES, &samples);
        if (samples != 0) {
            std::printf("the plain format has %d samples\n", samples);
            return;
        }
#endif
        g_sceneLoaded = LoadSceneState(VELMONAR_PROGRAM_DIR);
        result = RUN_ALL_TESTS();
    });
    return ended == -1 ? 1 : result;
}
