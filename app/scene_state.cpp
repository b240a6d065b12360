#include "app/scene_state.h"

#include "interaction/camera.h"
#include "model/axis_marker.h"
#include "model/crank_train.h"
#include "model/engine_block.h"
#include "model/gas_volume.h"
#include "model/valve.h"

SceneState scene;

// The eye exists before the first frame: it is computed from the start camera here, during
// static initialisation, long before any window.
SceneSettings::SceneSettings() : eye(orbitEye(azimuth, elevation, distance)) {}

SceneState::SceneState() = default;

SceneState::~SceneState() = default;
