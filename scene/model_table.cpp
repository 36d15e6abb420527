#include "scene/model_table.h"

ModelRecord g_models[g_modelCount];
