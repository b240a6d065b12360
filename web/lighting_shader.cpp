#include "web/lighting_shader.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "model/crank_kinematics.h"         // kPi
#include "model/lights.h"

namespace {

constexpr int kLightCount = 2 + kSpotlightCount;     // the viewer's, the spark, the spotlights
constexpr float kNoCone = -2.0f;            // below any cosine: a point light, no spot

// OpenGL 1.1 with the program's state: the light model's default scene ambient (0.2 grey), a
// viewer at infinity for the highlights, one-sided lighting, normals renormalised, no emission,
// the lit alpha the material's diffuse alpha, each colour clamped to [0, 1].
const char* const kVertexSource = R"(#version 300 es
layout(location = 0) in vec3 aPosition;
layout(location = 1) in vec3 aNormal;
layout(location = 2) in vec2 aTexCoord;
uniform mat4 uModelView;
uniform mat4 uProjection;
uniform mat3 uNormals;
uniform bool uLit;
uniform vec4 uFlatColour;
uniform vec4 uAmbient, uDiffuse, uSpecular;
uniform float uShininess;
struct Light {
    bool on;
    vec3 place;             // eye coordinates
    vec4 ambient, diffuse, specular;
    vec3 direction;         // eye coordinates, unit length
    float cosCutoff;        // below -1: no cone
    float exponent;
    float quadratic;        // attenuation per squared eye-space unit
};
uniform Light uLights[5];
out vec4 vColour;
out vec2 vTexCoord;
const vec4 kSceneAmbient = vec4(0.2, 0.2, 0.2, 1.0);
void main() {
    vec4 eye = uModelView * vec4(aPosition, 1.0);
    gl_Position = uProjection * eye;
    vTexCoord = aTexCoord;
    if (!uLit) { vColour = uFlatColour; return; }
    vec3 n = normalize(uNormals * aNormal);
    vec3 v = eye.xyz / eye.w;
    vec4 colour = kSceneAmbient * uAmbient;
    for (int i = 0; i < 5; ++i) {
        if (!uLights[i].on) continue;
        vec3 toLight = uLights[i].place - v;
        float d = length(toLight);
        vec3 l = toLight / d;
        float attenuation = 1.0 / (1.0 + uLights[i].quadratic * d * d);
        float spot = 1.0;
        if (uLights[i].cosCutoff >= -1.0) {
            float along = dot(-l, uLights[i].direction);
            spot = along < uLights[i].cosCutoff ? 0.0 : pow(max(along, 0.0), uLights[i].exponent);
        }
        float diffuse = max(dot(n, l), 0.0);
        vec4 term = uLights[i].ambient * uAmbient + diffuse * uLights[i].diffuse * uDiffuse;
        if (diffuse > 0.0) {
            float highlight = max(dot(n, normalize(l + vec3(0.0, 0.0, 1.0))), 0.0);
            term += pow(highlight, uShininess) * uLights[i].specular * uSpecular;
        }
        colour += attenuation * spot * term;
    }
    vColour = vec4(clamp(colour.rgb, 0.0, 1.0), clamp(uDiffuse.a, 0.0, 1.0));
}
)";

// GL_MODULATE with an RGB texture: the lit colour times the texel, its alpha kept.
const char* const kFragmentSource = R"(#version 300 es
precision highp float;
in vec4 vColour;
in vec2 vTexCoord;
uniform bool uTextured;
uniform sampler2D uTexture;
out vec4 fragColour;
void main() {
    fragColour = uTextured ? vec4(vColour.rgb * texture(uTexture, vTexCoord).rgb, vColour.a) : vColour;
}
)";

GLuint compile(GLenum kind, const char* source)
{
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[1024] = "";
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "shader: %s\n", log);
    }
    return shader;
}

// A light's uniforms, in the order LightingShader::lights holds them.
enum LightField { kOn, kPlace, kAmbient, kDiffuse, kSpecular, kDirection, kCosCutoff, kExponent, kQuadratic };
const char* const kLightFields[] = {"on", "place", "ambient", "diffuse", "specular", "direction",
                                    "cosCutoff", "exponent", "quadratic"};

// A light at a point of the engine's frame (or of the eye's, with identity), its cone turned
// with it as glLight turns a spot direction.
void sendLight(const GLint* u, bool on, const Mat4& frame, const float* place,
               const LightColours& colours, const float* direction, float cutoffDeg, float exponent,
               float quadratic)
{
    glUniform1i(u[kOn], on ? 1 : 0);
    const double p[4] = {place[0], place[1], place[2], 1.0};
    double eye[4];
    transform(frame, p, eye);
    glUniform3f(u[kPlace], static_cast<float>(eye[0] / eye[3]), static_cast<float>(eye[1] / eye[3]),
                static_cast<float>(eye[2] / eye[3]));
    glUniform4fv(u[kAmbient], 1, colours.ambient);
    glUniform4fv(u[kDiffuse], 1, colours.diffuse);
    glUniform4fv(u[kSpecular], 1, colours.specular);
    const double d[4] = {direction[0], direction[1], direction[2], 0.0};
    double turned[4];
    transform(frame, d, turned);
    const double length = std::sqrt(turned[0] * turned[0] + turned[1] * turned[1] + turned[2] * turned[2]);
    glUniform3f(u[kDirection], static_cast<float>(turned[0] / length), static_cast<float>(turned[1] / length),
                static_cast<float>(turned[2] / length));
    // OpenGL's 180 is no cone at all.
    glUniform1f(u[kCosCutoff], cutoffDeg >= 180.0f ? kNoCone : static_cast<float>(std::cos(cutoffDeg * kPi / 180.0)));
    glUniform1f(u[kExponent], exponent);
    glUniform1f(u[kQuadratic], quadratic);
}

}  // namespace

bool buildLightingShader(LightingShader& s)
{
    const GLuint vertex = compile(GL_VERTEX_SHADER, kVertexSource);
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, kFragmentSource);
    s.program = glCreateProgram();
    glAttachShader(s.program, vertex);
    glAttachShader(s.program, fragment);
    glLinkProgram(s.program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(s.program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[1024] = "";
        glGetProgramInfoLog(s.program, sizeof log, nullptr, log);
        std::fprintf(stderr, "program: %s\n", log);
        return false;
    }
    const GLuint p = s.program;
    s.modelView = glGetUniformLocation(p, "uModelView");
    s.projection = glGetUniformLocation(p, "uProjection");
    s.normals = glGetUniformLocation(p, "uNormals");
    s.lit = glGetUniformLocation(p, "uLit");
    s.flatColour = glGetUniformLocation(p, "uFlatColour");
    s.textured = glGetUniformLocation(p, "uTextured");
    s.texture = glGetUniformLocation(p, "uTexture");
    s.ambient = glGetUniformLocation(p, "uAmbient");
    s.diffuse = glGetUniformLocation(p, "uDiffuse");
    s.specular = glGetUniformLocation(p, "uSpecular");
    s.shininess = glGetUniformLocation(p, "uShininess");
    static_assert(sizeof s.lights[0] / sizeof s.lights[0][0] == sizeof kLightFields / sizeof kLightFields[0],
                  "one location a field");
    for (int i = 0; i < kLightCount; ++i)
        for (int f = 0; f < static_cast<int>(sizeof kLightFields / sizeof kLightFields[0]); ++f) {
            const std::string name = "uLights[" + std::to_string(i) + "]." + kLightFields[f];
            s.lights[i][f] = glGetUniformLocation(p, name.c_str());
        }
    glUseProgram(p);
    glUniform1i(s.texture, 0);
    return true;
}

void sendLights(const LightingShader& s, const Mat4& camera, bool viewerLightOn, bool sparkOn)
{
    const float pointLight[3] = {0.0f, 0.0f, -1.0f};   // unused: no cone
    sendLight(s.lights[0], viewerLightOn, identityMatrix(), kViewerLightPosition, kViewerLight, pointLight,
              180.0f, 0.0f, 0.0f);
    sendLight(s.lights[1], sparkOn, camera, kSparkPlace, kSparkLight, kSparkDirection, kSparkCutoffDeg,
              kSparkExponent, kSparkQuadraticAttenuation);
    for (int i = 0; i < kSpotlightCount; ++i) {
        const Spotlight& spot = kSpotlights[i];
        sendLight(s.lights[2 + i], true, camera, spot.place, spot.colours, spot.direction, spot.cutoffDeg,
                  spot.exponent, 0.0f);
    }
    static_assert(kLightCount == 5, "the vertex shader has five lights");
}

void sendMaterial(const LightingShader& s, const Material& m)
{
    glUniform1i(s.lit, 1);
    glUniform4fv(s.ambient, 1, m.ambient);
    glUniform4fv(s.diffuse, 1, m.diffuse);
    glUniform4fv(s.specular, 1, m.specular);
    glUniform1f(s.shininess, m.shininess);
}

void sendFlatColour(const LightingShader& s, float red, float green, float blue, float alpha)
{
    glUniform1i(s.lit, 0);
    glUniform4f(s.flatColour, red, green, blue, alpha);
}

void sendTransforms(const LightingShader& s, const Mat4& modelView, const Mat4& projection)
{
    glUniformMatrix4fv(s.modelView, 1, GL_FALSE, toFloats(modelView).data());
    glUniformMatrix4fv(s.projection, 1, GL_FALSE, toFloats(projection).data());
    glUniformMatrix3fv(s.normals, 1, GL_FALSE, normalMatrix(modelView).data());
}
