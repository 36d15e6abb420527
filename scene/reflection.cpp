#include "scene/reflection.h"

// Stand in for the mirror image until the reflection work builds it.
void RenderReflectionTexture() {}
void DrawReflection() {}
