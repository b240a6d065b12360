#include "controls/view_state.h"

#include "controls/orbit.h"

// The eye exists before the first frame: it is computed from the start camera here, during
// static initialisation, long before any window.
SceneSettings::SceneSettings() : eye(orbitEye(azimuth, elevation, distance)) {}
