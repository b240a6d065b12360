#include "render/crank_train.h"

#include "render/part_steps.h"

namespace {

// A list that draws the part's recipe from the current matrix.
GLuint compiledList(const PartRecipe& recipe)
{
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    emitRecipe(recipe, nullptr);
    glEndList();
    return list;
}

}  // namespace

CrankTrain::CrankTrain()
    : rodList(0), pistonList(0), webList(0), mirroredWebList(0),
      crankRadius(kCrankRadius), rodLength(kRodLength), thickness(kThickness),
      crankAngleRad(0.0), rodAngleRad(0.0), rodAngleDeg(0.0), pistonX(0.0)
{
    webList = compiledList(crankWebRecipe());

    mirroredWebList = glGenLists(1);
    glNewList(mirroredWebList, GL_COMPILE);
    glPushMatrix();
        emitSteps(mirroredWebTurn(), nullptr);
        glCallList(webList);
    glPopMatrix();
    glEndList();

    rodList = compiledList(rodRecipe());
    pistonList = compiledList(pistonRecipe());
}

void CrankTrain::draw(float angleDeg)
{
    const SliderCrank k = sliderCrank(angleDeg, crankRadius, rodLength);
    crankAngleRad = k.crankAngleRad;
    rodAngleRad = k.rodAngleRad;
    rodAngleDeg = k.rodAngleDeg;
    pistonX = k.pistonX;

    glPushMatrix();
        emitSteps(crankFrame(angleDeg), nullptr);
        glCallList(mirroredWebList);
        emitSteps(secondWebShift(), nullptr);
        glCallList(webList);
    glPopMatrix();
    glPushMatrix();
        emitSteps(pistonFrame(angleDeg), nullptr);
        glCallList(pistonList);
    glPopMatrix();
    glPushMatrix();
        emitSteps(rodFrame(angleDeg), nullptr);
        glCallList(rodList);
    glPopMatrix();
}
