#pragma once
// Every word the tool prints or exports, in correct French: accents, and a no-break space
// (U+00A0) before « : ». UTF-8, as cairo takes it. The program's own window keeps its ASCII
// forms for its bitmap fonts (render/overlay); paper and slides get these.

#include <string>

namespace stills {

const char* printedStrokeTitle(int stroke);         // « Temps 1 : Admission », stroke 1 to 4
const char* printedStrokeShortTitle(int stroke);    // « Temps 3 : Explosion », where room is short
const char* printedStrokeExplanation(int stroke);   // one paragraph

// The timing table's CSV: its columns, and each stroke as the program's window titles it.
constexpr const char* kTimingCsvHeader = "angle,piston_x,rod_angle_deg,intake_lift,exhaust_lift,spark,stroke\n";

// The worksheet.
constexpr const char* kSheetHeading = "Le moteur à quatre temps";
constexpr const char* kSheetMaker = "Tarvex";
constexpr const char* kPupilName = "Nom\u00A0:";
constexpr const char* kBlankStrokeTitle = "Temps …\u00A0: ………";
constexpr const char* kDiagramPageTitle = "Diagramme de distribution";
constexpr const char* kExerciseInstructions =
    "Pour chaque temps, écrivez son nom et expliquez ce qui se passe. Nommez les pièces repérées.";
constexpr const char* kPartsListHeading = "Les pièces";

// The documents' titles, as a PDF reader shows them.
constexpr const char* kSheetDocumentTitle = "Le moteur à quatre temps";
constexpr const char* kExerciseDocumentTitle = "Le moteur à quatre temps – exercice";
constexpr const char* kTimingDocumentTitle = "Tarvex – diagramme de distribution";
constexpr const char* kCircleDocumentTitle = "Tarvex - épure circulaire de distribution";
constexpr const char* kPvDocumentTitle = "Tarvex - cycle théorique de Beau de Rochas";

// The parts, as the textbook names them.
constexpr const char* kPiston = "Piston";
constexpr const char* kRod = "Bielle";
constexpr const char* kCrankshaft = "Vilebrequin";
constexpr const char* kCylinder = "Cylindre";
constexpr const char* kIntakeValve = "Soupape d'admission";
constexpr const char* kExhaustValve = "Soupape d'échappement";
constexpr const char* kSparkPlug = "Bougie";
constexpr const char* kIntakePipe = "Tubulure d'admission";
constexpr const char* kExhaustPipe = "Collecteur d'échappement";

// The timing diagram.
constexpr const char* kTopDeadCentre = "PMH";
constexpr const char* kBottomDeadCentre = "PMB";
constexpr const char* kValveOpen = "ouverte";
constexpr const char* kValveClosed = "fermée";
constexpr const char* kSpark = "Étincelle";
constexpr const char* kCrankAngleAxis = "Angle du vilebrequin (degrés)";

// The names of the cycle's phases along the valve-timing circle and the p-V loop.
constexpr const char* kIntakeName = "Admission";
constexpr const char* kCompressionName = "Compression";
constexpr const char* kCombustionName = "Combustion";
constexpr const char* kExpansionName = "Détente";
constexpr const char* kExhaustName = "Échappement";

// The valve-timing circle. %s stand for numbers already written the French way.
constexpr const char* kCircleTitle = "Épure circulaire de distribution";
constexpr const char* kCircleTheoretical = "Cycle théorique, tel que tourne le moteur animé";
constexpr const char* kCircleReal = "Cycle réel\u00A0: avances et retards de la distribution";
constexpr const char* kIntakeOpens = "AOA";
constexpr const char* kIntakeCloses = "RFA";
constexpr const char* kExhaustOpens = "AOE";
constexpr const char* kExhaustCloses = "RFE";
constexpr const char* kSparkAdvance = "AA";
constexpr const char* kBeforeTopDeadCentre = "avant PMH";
constexpr const char* kAfterTopDeadCentre = "après PMH";
constexpr const char* kBeforeBottomDeadCentre = "avant PMB";
constexpr const char* kAfterBottomDeadCentre = "après PMB";
constexpr const char* kEventName = "%s\u00A0:";                 // « AOA : »
constexpr const char* kDegrees = "%s°";
constexpr const char* kValveOverlap = "croisement des soupapes";
constexpr const char* kValvesAtDeadCentres = "Soupapes ouvertes et fermées aux points morts";
constexpr const char* kSparkFrom = "de";
constexpr const char* kSparkTo = "à";

// The p-V diagram.
constexpr const char* kPvTitle = "Cycle théorique de Beau de Rochas (diagramme p-V)";
constexpr const char* kVolumeAxis = "Volume";
constexpr const char* kPressureAxis = "Pression (bar)";
constexpr const char* kEngineRatio = "ε = %s\u00A0: rapport volumétrique du moteur animé";
constexpr const char* kChosenRatio = "ε = %s\u00A0: rapport volumétrique choisi, avec la course du moteur animé";
constexpr const char* kAdiabatic = "γ = %s\u00A0: 1→2 et 3→4 adiabatiques";
constexpr const char* kIsochoric = "2→3 et 4→1 à volume constant, p₃ = %s × p₂";
constexpr const char* kIntakePressure = "p₁ = %s\u00A0bar\u00A0: pression atmosphérique";
constexpr const char* kPointPressures = "p₂ = %s\u00A0bar, p₃ = %s\u00A0bar, p₄ = %s\u00A0bar";

// The worksheet's page of figures.
constexpr const char* kCircleCaption =
    "Les deux tours du vilebrequin d'un cycle, sur une spirale qui part du PMH et tourne dans le "
    "sens des aiguilles d'une montre\u00A0: chaque temps occupe un arc, de l'ouverture à la "
    "fermeture des soupapes.";
constexpr const char* kCircleExercise =
    "Écrivez dans chaque case le nom du temps, et les angles de la distribution.";
constexpr const char* kPvCaption =
    "La pression du gaz selon le volume du cylindre, au long d'un cycle\u00A0: les volumes sont "
    "ceux du moteur animé, du PMH au PMB.";
constexpr const char* kPvExercise =
    "Écrivez dans chaque case le nom de la phase du cycle, dans le sens des flèches.";

// A number as French writes it: a decimal comma, decimals digits after it.
std::string frenchNumber(double value, int decimals);
// An angle in whole degrees, or with one decimal when it has one; with the degree sign.
std::string frenchDegrees(double value);
// format with its %s replaced, in order, by the given texts.
std::string filled(const char* format, const std::string& a, const std::string& b = "",
                   const std::string& c = "");

}  // namespace stills
