#include "tools/stills/texts/printed_texts.h"

#include <cmath>
#include <cstdio>

namespace stills {

namespace {

constexpr const char* kTitles[] = {
    "Temps 1\u00A0: Admission",
    "Temps 2\u00A0: Compression",
    "Temps 3\u00A0: Combustion-détente (temps moteur)",
    "Temps 4\u00A0: Échappement",
};

constexpr const char* kShortTitles[] = {
    kTitles[0],
    kTitles[1],
    "Temps 3\u00A0: Combustion-détente",
    kTitles[3],
};

// The spark first, then the combustion it starts; a petrol engine's charge is the mixture.
constexpr const char* kExplanations[] = {
    "La soupape d’admission est ouverte, celle d’échappement est fermée. Le piston descend du PMH "
    "au PMB et aspire le mélange air-essence.",
    "Les deux soupapes sont fermées. Le piston remonte du PMB au PMH et comprime le mélange, qui "
    "s’échauffe.",
    "Au PMH, l’étincelle de la bougie enflamme le mélange\u00A0; la combustion fait monter fortement "
    "la pression, et les gaz repoussent le piston du PMH au PMB\u00A0: c’est le seul temps moteur.",
    "La soupape d’échappement est ouverte. Le piston remonte du PMB au PMH et chasse les gaz brûlés "
    "vers le collecteur d’échappement.",
};

}  // namespace

const char* printedStrokeTitle(int stroke) { return kTitles[stroke - 1]; }

const char* printedStrokeShortTitle(int stroke) { return kShortTitles[stroke - 1]; }

const char* printedStrokeExplanation(int stroke) { return kExplanations[stroke - 1]; }

std::string frenchNumber(double value, int decimals)
{
    if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals)) value = 0.0;     // no « -0 »
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string out = text;
    for (char& c : out)
        if (c == '.') c = ',';
    return out;
}

std::string frenchDegrees(double value)
{
    const bool whole = std::fabs(value - std::round(value)) < 0.05;
    return filled(kDegrees, frenchNumber(value, whole ? 0 : 1));
}

std::string filled(const char* format, const std::string& a, const std::string& b, const std::string& c)
{
    std::string out;
    const std::string* values[] = {&a, &b, &c};
    int next = 0;
    for (const char* p = format; *p != '\0'; ++p) {
        if (p[0] == '%' && p[1] == 's' && next < 3) {
            out += *values[next++];
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

}  // namespace stills
