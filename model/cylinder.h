#pragma once
// The cylinder the gas works in: the bore, the plane of the head where the chamber ends, the
// piston's crown ahead of the piston pin, and the chamber's volume at any crank angle. Model units
// (their cube for volumes) and crank degrees; pure. The block, the piston and the gas are drawn
// with these values, so the volumes are those of the engine on the screen.

constexpr double kBoreRadius = 2.0;         // the barrel's inner shell, the piston's radius
constexpr double kHeadPlaneX = 7.6;         // world x of the head's face, where the plug's base is
constexpr double kPistonCrownOffset = 3.2;  // along +x from the piston pin to the crown

// The chamber between the crown and the head at the cycle angle angleDeg.
double cylinderVolume(double angleDeg);
double topDeadCentreVolume();               // the smallest: PMH
double bottomDeadCentreVolume();            // the largest: PMB
double compressionRatio();                  // PMB volume over PMH volume
