#include "web/renderer.h"

#include "controls/orbit.h"
#include "model/cycle.h"
#include "model/engine_block.h"
#include "model/lights.h"
#include "model/ppm_reader.h"

namespace {

constexpr int kPickRegion = 3;              // pixels on each side, as the desktop's pick matrix
// The groups' precedence in a pick: the desktop's hit records follow its drawing order, so the
// valves win over the crank train, which wins over the block, whatever their depths.
constexpr ViewMode kPickOrder[] = {VIEW_BLOCK, VIEW_CRANK, VIEW_VALVES};   // lowest first

enum class Faces { filled, frontLinesBackFilled, allLines };

GLuint loadTexture()
{
    const PpmFile image = readPpmFile(kTextureFileName);
    if (image.status != PpmFileStatus::read) return 0;
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);              // rows of width x 3 bytes, unpadded
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, image.width, image.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                 image.pixels.get());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glGenerateMipmap(GL_TEXTURE_2D);
    return name;
}

void upload(Renderer& r, const Batch& b, const std::vector<std::uint32_t>& indices)
{
    glBindBuffer(GL_ARRAY_BUFFER, r.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(b.vertices.size() * sizeof(PageVertex)),
                 b.vertices.data(), GL_STREAM_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, r.indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(std::uint32_t)),
                 indices.data(), GL_STREAM_DRAW);
}

void drawIndexed(Renderer& r, const Batch& b, GLenum mode, const std::vector<std::uint32_t>& indices)
{
    if (indices.empty()) return;
    upload(r, b, indices);
    glDrawElements(mode, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, nullptr);
}

// The polygon mode the desktop's highlightGroup gives a group, and the both-faces mode it leaves.
Faces facesOf(Renderer& r, const ViewState& state, ViewMode group)
{
    if (group == VIEW_ENGINE || state.viewMode == group || state.viewMode == VIEW_ENGINE) {
        r.backFacesAsLines = false;
        return Faces::filled;
    }
    if (group == VIEW_BLOCK) {
        r.backFacesAsLines = true;
        return Faces::allLines;
    }
    return r.backFacesAsLines ? Faces::allLines : Faces::frontLinesBackFilled;
}

bool shown(const ViewState& state, const Batch& b)
{
    if (b.group == VIEW_ENGINE) return state.showGas;
    return b.group != VIEW_BLOCK || state.showBlock;
}

void ensurePickTarget(Renderer& r, int width, int height)
{
    if (r.pickFramebuffer != 0 && r.pickWidth == width && r.pickHeight == height) return;
    if (r.pickColour == 0) glGenRenderbuffers(1, &r.pickColour);
    glBindRenderbuffer(GL_RENDERBUFFER, r.pickColour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    if (r.pickFramebuffer == 0) glGenFramebuffers(1, &r.pickFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, r.pickFramebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, r.pickColour);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    r.pickWidth = width;
    r.pickHeight = height;
}

// Key r's markers: unlit lines along the engine's axes from each spotlight, drawn before the
// parts as the desktop draws them where it places the lights.
void drawLightMarkers(Renderer& r)
{
    glUniform1i(r.shader.textured, 0);
    for (int axis = 0; axis < 3; ++axis) {
        std::vector<PageVertex> ends;
        for (const Spotlight& spot : kSpotlights) {
            PageVertex from{{spot.place[0], spot.place[1], spot.place[2]}, {0.0f, 0.0f, 1.0f}, {0.0f, 0.0f}};
            PageVertex to = from;
            to.position[axis] += kLightMarkerLength;
            ends.push_back(from);
            ends.push_back(to);
        }
        const float* colour = kLightMarkerColours[axis];
        sendFlatColour(r.shader, colour[0], colour[1], colour[2], 1.0f);
        glBindBuffer(GL_ARRAY_BUFFER, r.vertexBuffer);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(ends.size() * sizeof(PageVertex)), ends.data(),
                     GL_STREAM_DRAW);
        glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(ends.size()));
    }
}

}  // namespace

bool createRenderer(Renderer& r)
{
    r = Renderer{};
    if (!buildLightingShader(r.shader)) return false;
    glGenVertexArrays(1, &r.vertexArray);
    glBindVertexArray(r.vertexArray);
    glGenBuffers(1, &r.vertexBuffer);
    glGenBuffers(1, &r.indexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, r.vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, r.indexBuffer);
    const GLsizei stride = sizeof(PageVertex);
    glEnableVertexAttribArray(kPositionAttribute);
    glVertexAttribPointer(kPositionAttribute, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(PageVertex, position)));
    glEnableVertexAttribArray(kNormalAttribute);
    glVertexAttribPointer(kNormalAttribute, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(PageVertex, normal)));
    glEnableVertexAttribArray(kTexCoordAttribute);
    glVertexAttribPointer(kTexCoordAttribute, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(PageVertex, texCoord)));
    r.texture = loadTexture();
    return true;
}

Mat4 cameraMatrix(const ViewState& s)
{
    const double eye[3] = {s.eye.x, s.eye.y, s.eye.z};
    const double target[3] = {s.lookAt.x, s.lookAt.y, s.lookAt.z};
    const double up[3] = {0.0, 0.0, 1.0};
    return lookAt(eye, target, up) * scaling(s.zoom, s.zoom, s.zoom);
}

Mat4 projectionMatrix(int width, int height)
{
    const double aspect = height > 0 ? static_cast<double>(width) / height : 1.0;
    return perspective(kFieldOfViewDeg, aspect, kNearPlane, kFarPlane);
}

void drawEngine(Renderer& r, const ViewState& state, const std::vector<Batch>& batches, int width, int height)
{
    glViewport(0, 0, width, height);
    glClearColor(kClearColour[0], kClearColour[1], kClearColour[2], kClearColour[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glUseProgram(r.shader.program);
    glBindVertexArray(r.vertexArray);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, r.texture);

    const Mat4 camera = cameraMatrix(state);
    const Mat4 projection = projectionMatrix(width, height);
    const Mat4 mvp = projection * camera;
    sendTransforms(r.shader, camera, projection);
    sendLights(r.shader, camera, state.light0Lit, sparkLit(state.crankAngle));
    if (state.showLightMarkers) drawLightMarkers(r);

    ViewMode lastGroup = VIEW_ENGINE;
    Faces faces = Faces::filled;
    bool first = true;
    for (const Batch& b : batches) {
        if (!shown(state, b)) continue;
        if (first || b.group != lastGroup) faces = facesOf(r, state, b.group);
        first = false;
        lastGroup = b.group;
        const bool gas = b.group == VIEW_ENGINE;
        // Each charge adds its lit colour, weighted by its alpha, to what is behind it.
        if (gas) {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        }
        sendMaterial(r.shader, b.material);
        glUniform1i(r.shader.textured, b.textured && state.texturesOn && r.texture != 0 ? 1 : 0);
        switch (faces) {
        case Faces::filled: drawIndexed(r, b, GL_TRIANGLES, triangleIndices(b)); break;
        case Faces::allLines: drawIndexed(r, b, GL_LINES, edgeIndices(b)); break;
        case Faces::frontLinesBackFilled:
            glEnable(GL_CULL_FACE);
            glCullFace(GL_FRONT);
            drawIndexed(r, b, GL_TRIANGLES, triangleIndices(b));
            glDisable(GL_CULL_FACE);
            drawIndexed(r, b, GL_LINES, frontEdgeIndices(b, mvp));
            break;
        }
        if (gas) glDisable(GL_BLEND);
    }
}

ViewMode pickGroup(Renderer& r, const ViewState& state, const std::vector<Batch>& batches, int width,
                   int height, int x, int y)
{
    ensurePickTarget(r, width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, r.pickFramebuffer);
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glUseProgram(r.shader.program);
    glBindVertexArray(r.vertexArray);
    glUniform1i(r.shader.textured, 0);
    sendTransforms(r.shader, cameraMatrix(state), projectionMatrix(width, height));
    // Filled whatever the frame shows, each group's number as its red, in rising precedence.
    for (ViewMode group : kPickOrder) {
        sendFlatColour(r.shader, group / 255.0f, 0.0f, 0.0f, 1.0f);
        for (const Batch& b : batches)
            if (b.group == group && shown(state, b)) drawIndexed(r, b, GL_TRIANGLES, triangleIndices(b));
    }
    // The pick region round the pixel, y upwards as GL counts.
    const int half = kPickRegion / 2;
    unsigned char pixels[kPickRegion * kPickRegion * 4] = {};
    glReadPixels(x - half, height - 1 - y - half, kPickRegion, kPickRegion, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    // The groups' numbers rise with their precedence: the highest in the region wins.
    int best = VIEW_ENGINE;
    for (int i = 0; i < kPickRegion * kPickRegion; ++i)
        if (pixels[i * 4] <= VIEW_VALVES && pixels[i * 4] > best) best = pixels[i * 4];
    return static_cast<ViewMode>(best);
}
