#include "scene/mirror_inputs.h"

#include <GL/gl.h>

#include <cstring>
#include <type_traits>

#include "rules/board.h"
#include "rules/live_options.h"
#include "scene/board_drawing.h"
#include "scene/board_geometry.h"
#include "scene/frame_state.h"
#include "scene/geo_model.h"
#include "scene/mipmaps.h"
#include "scene/textures.h"

#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif

template <typename T>
void MirrorInputs::Add(const T& value)
{
    static_assert(std::is_trivially_copyable<T>::value, "inputs are taken as their bytes");
    const size_t at = m_bytes.size();
    m_bytes.resize(at + sizeof value);
    std::memcpy(m_bytes.data() + at, &value, sizeof value);
}

template <typename T>
void MirrorInputs::AddVector(const std::vector<T>& values)
{
    Add(values.size());
    if (values.empty()) return;
    const size_t at = m_bytes.size();
    m_bytes.resize(at + values.size() * sizeof(T));
    std::memcpy(m_bytes.data() + at, values.data(), values.size() * sizeof(T));
}

MirrorInputs MirrorInputs::Current()
{
    MirrorInputs in;
    in.m_bytes.reserve(16384);

    // Where and how the pass draws.
    GLfloat modelview[16], projection[16];
    GLint viewport[4], matrixMode = 0;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    in.Add(modelview);
    in.Add(projection);
    in.Add(viewport);
    in.Add(matrixMode);
    in.Add(glIsEnabled(GL_MULTISAMPLE));
    in.Add(g_reflectionAlpha);

    // The textures: their names, and any picture uploaded since.
    in.Add(TextureUploadCount());
    in.Add(g_sceneTex);
    in.AddVector(g_modelTex);
    in.Add(g_rankTex);

    // The pieces, where they stand, and how each is drawn.
    in.Add(g_cellOwner);
    in.Add(g_cellRank);
    in.Add(g_squareX);
    in.Add(g_squareZ);
    in.Add(g_setupPhase);
    in.Add(g_revealRow);
    in.Add(g_hoverRow);
    in.Add(g_selectedRow);
    in.Add(g_pieceAnimState);
    in.Add(g_animFromRow);
    in.Add(g_animToRow);
    in.Add(g_dropRow);
    in.Add(g_dropCol);
    in.Add(g_battlePlayerRow);
    in.Add(g_battleOpponentRow);
    in.Add(g_showBattlePlayer);
    in.Add(g_showBattleOpponent);
    in.Add(g_animOffset);
    in.Add(g_hoverScale);
    in.Add(g_selectScale);
    in.Add(g_polygonOffset);

    // The two piece models (sizes and colours change with the options).
    for (int n : {MODEL_PIECE_FACE, MODEL_PIECE_BACK}) {
        const ModelRecord& m = g_models[n];
        in.Add(m.vertexCount);
        in.AddVector(m.texSlot);
        in.AddVector(m.polyStart);
        for (const std::vector<double>* v : {&m.normalX, &m.normalY, &m.normalZ, &m.posX, &m.posY, &m.posZ,
                                             &m.colourR, &m.colourG, &m.colourB, &m.texS, &m.texT})
            in.AddVector(*v);
    }
    return in;
}
