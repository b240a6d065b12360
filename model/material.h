#pragma once
// A part's front-face material: colours as red, green, blue, alpha; shininess 0 to 128.
// Each part's list begins with it, in the order ambient, diffuse, specular, shininess.

struct Material {
    float ambient[4];
    float diffuse[4];
    float specular[4];
    float shininess;
};

// Polished yellow steel of the crank webs and the valves.
constexpr Material kCrankMaterial = {
    {0.2f, 0.2f, 0.1f, 1.0f}, {0.8f, 0.8f, 0.2f, 1.0f}, {0.8f, 0.8f, 0.8f, 1.0f}, 20.0f};
