#include "render/gas_volume.h"

#include <GL/gl.h>

#include "render/part_steps.h"

GasVolume::GasVolume()
    : crankRadius(kCrankRadius), rodLength(kRodLength), thickness(kThickness),
      crankAngleRad(0.0), rodAngleRad(0.0), pistonX(0.0)
{
}

void GasVolume::draw(float angleDeg)
{
    // Each charge adds half its lit colour to what is behind it.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    const SliderCrank k = sliderCrank(angleDeg, crankRadius, rodLength);
    crankAngleRad = k.crankAngleRad;
    rodAngleRad = k.rodAngleRad;
    pistonX = k.pistonX;
    emitRecipe(gasCharges(angleDeg), nullptr);
    glDisable(GL_BLEND);
}
