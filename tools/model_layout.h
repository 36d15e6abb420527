// Sizes shared by the model and picture generators, in world units (after
// the program has read and scaled the models).
#pragma once

// Board: 10 x 10 squares of SQUARE_SIZE with a border of BOARD_BORDER, depth
// stretched by BOARD_DEPTH_SCALE when the program loads it.
constexpr double SQUARE_SIZE = 44.0;
constexpr double BOARD_BORDER = 4.0;
constexpr double BOARD_WIDTH = 10 * SQUARE_SIZE + 2 * BOARD_BORDER;  // 448
constexpr double BOARD_DEPTH_SCALE = 1.3;
constexpr double BOARD_THICKNESS = 8.0;

// Pieces (drawn at the default piece scale): a chamfered upright block.
constexpr double PIECE_FILE_SCALE = 2.05;
constexpr double PIECE_HALF_WIDTH = 17.5;
constexpr double PIECE_HALF_DEPTH = 6.0;
constexpr double PIECE_SHOULDER = 41.5;
constexpr double PIECE_HEIGHT = 44.0;
constexpr double FACE_HALF_WIDTH = 16.0;
constexpr double FACE_BOTTOM = 1.5;
constexpr double FACE_HEIGHT = 40.0;
constexpr double FACE_Z = PIECE_HALF_DEPTH + 0.25;

// Texture names of the models, in the order the program numbers them.
constexpr const char* BOARD_TEXTURE = "Doska.res";
constexpr const char* PIECE_TEXTURE_1 = "Fishka_i.res";
constexpr const char* PIECE_TEXTURE_2 = "Fishka_k.res";
constexpr const char* SHADOW_TEXTURE_1 = "Ten_i.res";
constexpr const char* SHADOW_TEXTURE_2 = "Ten_k.res";

// Shadow texture layout (s, t as the models use them, t = 0 at the bottom row):
// the upper part holds uniform grey stripes for the shading of the piece's
// sides, the lower part the cast shadow on the ground.
constexpr int SHADOW_STRIPES = 8;
constexpr double SHADOW_STRIPE_T0 = 0.56;
constexpr double SHADOW_STRIPE_T1 = 1.0;
constexpr double GROUND_T0 = 0.02;
constexpr double GROUND_T1 = 0.52;
// Ground quad of the cast shadow (world x, z around the piece's square centre).
constexpr double GROUND_X0 = -24.0;
constexpr double GROUND_X1 = 70.0;
constexpr double GROUND_Z0 = -28.0;  // far edge
constexpr double GROUND_Z1 = 12.0;   // near edge
