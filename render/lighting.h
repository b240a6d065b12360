#pragma once
// The five lights: light 0 follows the viewer, light 1 is the spark, lights 2 to 4 are tinted
// spotlights fixed to the engine. Every parameter is sent again in every frame.

void placeViewerLight();                    // under the identity model-view: eye coordinates
void placeEngineLights();                   // under the camera and zoom: the engine's frame
