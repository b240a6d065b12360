#pragma once
// Every word the tool prints or exports, in correct French: accents, and a no-break space
// (U+00A0) before « : ». UTF-8, as cairo takes it. The program's own window keeps its ASCII
// forms for its bitmap fonts (render/overlay); paper and slides get these.

namespace stills {

const char* printedStrokeTitle(int stroke);         // « Temps 1 : Admission », stroke 1 to 4
const char* printedStrokeExplanation(int stroke);   // one paragraph

// The worksheet.
constexpr const char* kSheetHeading = "Le moteur à quatre temps";
constexpr const char* kSheetMaker = "Tarvex";
constexpr const char* kPupilName = "Nom\u00A0:";
constexpr const char* kBlankStrokeTitle = "Temps …\u00A0: ………";
constexpr const char* kDiagramPageTitle = "Diagramme de distribution";

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

}  // namespace stills
