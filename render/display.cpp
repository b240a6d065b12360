#include "render/display.h"

#include <GL/glut.h>

#include <cstdio>

#include "interaction/camera.h"
#include "model/engine_parts.h"
#include "render/crank_train.h"
#include "render/engine_block.h"
#include "render/gas_volume.h"
#include "render/valve.h"
#include "render/lighting.h"
#include "render/overlay.h"
#include "render/projector_overlay.h"
#include "app/startup.h"

namespace {

constexpr int kLargeFont = 3;
constexpr int kMediumFont = 2;

PartGroup partGroup(ViewMode view)
{
    switch (view) {
    case VIEW_VALVES: return PartGroup::valves;
    case VIEW_CRANK: return PartGroup::crankTrain;
    default: return PartGroup::block;
    }
}

void drawLabels(ViewMode group)
{
    char text[kTextBufferSize];
    for (const PartLabel& label : partLabels()) {
        if (label.group != partGroup(group)) continue;
        std::snprintf(text, sizeof text, "%s", label.text);
        glRasterPos3d(label.at.x, label.at.y, label.at.z);
        const int fontCode = label.size == LabelSize::groupName ? kLargeFont : kMediumFont;
        // In projector mode the labels grow with the screen, as the engine does.
        if (scene.projectorMode) drawProjectorScaledText(text, fontCode, currentProjectorLayout().labelScale);
        else drawBitmapText(text, fontCode);
    }
}

}  // namespace

void highlightGroup(ViewMode group)
{
    if (scene.viewMode == group) {
        // White is set before the raster positions, so the labels take it.
        glDisable(GL_LIGHTING);
        glColor3d(1, 1, 1);
        if (scene.showLabels) drawLabels(group);
        glEnable(GL_LIGHTING);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    } else if (scene.viewMode == VIEW_ENGINE) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    } else if (group == VIEW_BLOCK) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    } else {
        // Only the front faces turn to lines: the back faces keep the last both-faces mode,
        // so filled insides show through the wireframe.
        glPolygonMode(GL_FRONT, GL_LINE);
    }
}

void drawPartGroup(ViewMode group, bool texturedBlock)
{
    switch (group) {
    case VIEW_VALVES: drawValvePair(*scene.intakeValve, *scene.exhaustValve, scene.crankAngle); break;
    case VIEW_CRANK: scene.crankTrain->draw(static_cast<float>(scene.crankAngle)); break;
    case VIEW_BLOCK: scene.block->draw(texturedBlock); break;
    case VIEW_ENGINE: break;
    }
}

void drawPartGroups(void (*beforeGroup)(ViewMode group), bool texturedBlock)
{
    beforeGroup(VIEW_VALVES);
    drawPartGroup(VIEW_VALVES, texturedBlock);

    beforeGroup(VIEW_CRANK);
    drawPartGroup(VIEW_CRANK, texturedBlock);

    if (scene.showBlock) {
        glPushMatrix();
            beforeGroup(VIEW_BLOCK);
            drawPartGroup(VIEW_BLOCK, texturedBlock);
        glPopMatrix();
    }
}

void drawScene()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (scene.projectorMode) {
        // The engine's framing follows the orbit, frame by frame.
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        applyProjection();
    }
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
        placeViewerLight();
        applyCamera();
        placeEngineLights();

        drawPartGroups(highlightGroup, scene.texturesOn);

        // Translucent, so last; never highlighted.
        if (scene.showGas) {
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            glPushMatrix();
                scene.gas->draw(static_cast<float>(scene.crankAngle));
            glPopMatrix();
        }
    glPopMatrix();
}

void drawFrame()
{
    prepareOverlayText();
    drawScene();
    drawOverlay();
}

void onDisplay()
{
    drawFrame();
    glutSwapBuffers();
}
