#include "app/scene_state.h"

#include "interaction/camera.h"
#include "render/axis_marker.h"
#include "render/crank_train.h"
#include "render/engine_block.h"
#include "render/gas_volume.h"
#include "render/valve.h"

SceneState scene;

// The eye exists before the first frame: it is computed from the start camera here, during
// static initialisation, long before any window.
SceneSettings::SceneSettings() : eye(orbitEye(azimuth, elevation, distance)) {}

SceneState::SceneState() = default;

SceneState::~SceneState() = default;
