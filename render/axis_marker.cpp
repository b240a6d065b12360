#include "render/axis_marker.h"

#include "model/lights.h"

AxisMarker::AxisMarker() : list(glGenLists(1))
{
    glNewList(list, GL_COMPILE);
    glPushMatrix();
    glDisable(GL_LIGHTING);
    glBegin(GL_LINES);
    for (int axis = 0; axis < 3; ++axis) {
        glColor3fv(kLightMarkerColours[axis]);
        GLfloat end[3] = {0.0f, 0.0f, 0.0f};
        end[axis] = kLightMarkerLength;
        glVertex3f(0.0f, 0.0f, 0.0f);
        glVertex3fv(end);
    }
    glEnd();
    glEnable(GL_LIGHTING);
    glPopMatrix();
    glEndList();
}

void AxisMarker::draw() const
{
    glCallList(list);
}
