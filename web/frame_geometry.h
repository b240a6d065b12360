#pragma once
// One frame's engine as the page draws it: the model's meshes placed by their matrices into the
// engine's frame, gathered by part group and material. Each polygon keeps its own vertices, so
// that it can be filled (as triangles) or outlined (its edges) as OpenGL's polygon modes do.

#include <cstdint>
#include <vector>

#include "controls/view_state.h"
#include "model/material.h"
#include "model/tessellation.h"
#include "web/matrix.h"

struct PageVertex {
    float position[3];                      // the engine's frame, model units
    float normal[3];                        // turned by the shape's matrix, not unit length
    float texCoord[2];
};

// A run of polygons with one material, in one group; drawn in the order the batches come.
struct Batch {
    ViewMode group = VIEW_ENGINE;           // VIEW_ENGINE: the gas, in no group
    Material material{};
    bool textured = false;                  // the aluminium texture, when textures are on
    std::vector<PageVertex> vertices;
    std::vector<std::uint32_t> polygonStarts;   // first vertex of each polygon, in order
};

// What OpenGL 1.1 carries from one vertex to the next: a mesh without normals or texture
// coordinates takes the last ones given.
struct CurrentVertexState {
    float normal[3] = {0.0f, 0.0f, 1.0f};
    float texCoord[2] = {0.0f, 0.0f};
};

// Adds a mesh's polygons, placed by matrix, to batch: a quad strip becomes its quads, a fan or a
// strip its triangles, with OpenGL's vertex order and facing. givesTexCoords: false for GLUT's
// solids, which send none.
void addMesh(Batch& batch, const Mesh& mesh, const Mat4& matrix, CurrentVertexState& current,
             bool givesTexCoords);

// Triangles of every polygon (fans from its first vertex), and its edges as line pairs.
std::vector<std::uint32_t> triangleIndices(const Batch& batch);
std::vector<std::uint32_t> edgeIndices(const Batch& batch);
// The edges of the polygons whose window-space winding is counter-clockwise (OpenGL's front
// faces) under the model-view-projection mvp.
std::vector<std::uint32_t> frontEdgeIndices(const Batch& batch, const Mat4& mvp);
