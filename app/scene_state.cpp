#include "app/scene_state.h"

#include "render/axis_marker.h"
#include "render/crank_train.h"
#include "render/engine_block.h"
#include "render/gas_volume.h"
#include "render/valve.h"

SceneState scene;

SceneState::SceneState() = default;

SceneState::~SceneState() = default;
