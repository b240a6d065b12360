#pragma once
// Every word the tool prints or exports and the browser page shows, in correct French: accents,
// typographic apostrophes (U+2019), and a no-break space (U+00A0) before « : ». UTF-8, as cairo
// and the browser take it. The program's own window keeps its ASCII forms for its bitmap fonts
// (render/overlay); paper, slides and the browser get these.

#include <string>

namespace stills {

const char* printedStrokeTitle(int stroke);         // « Temps 1 : Admission », stroke 1 to 4
// Where room is short: « Temps 3 : Combustion-détente ». On paper the third stroke is named for
// what happens in a sound engine, a flame front burning the charge and the gas expanding; the
// window's own title is the program's and stays as it is.
const char* printedStrokeShortTitle(int stroke);
const char* printedStrokeExplanation(int stroke);   // one paragraph

// The timing table's CSV: its columns, and each stroke as the program's window titles it.
constexpr const char* kTimingCsvHeader = "angle,piston_x,rod_angle_deg,intake_lift,exhaust_lift,spark,stroke\n";

// The worksheet.
constexpr const char* kSheetHeading = "Le moteur à quatre temps";
constexpr const char* kSheetMaker = "Tarvex";
// The pupil's fields on every page of the exercise, each with a rule of its length (points).
struct PupilField {
    const char* name;
    double ruleLength;
};
constexpr PupilField kPupilFields[] = {{"Nom\u00A0:", 80.0}, {"Classe\u00A0:", 40.0}, {"Date\u00A0:", 45.0}};
constexpr const char* kBlankStrokeTitle = "Temps …\u00A0: ………";
constexpr const char* kDiagramPageTitle = "Diagramme de distribution – cycle théorique";
// With the real engine's angles the spark moves to its advance; the valves keep the theory's.
constexpr const char* kDiagramPageTitleAdvanced = "Distribution théorique, allumage avec avance (AA)";
constexpr const char* kExerciseInstructions =
    "Complétez le titre de chaque temps, expliquez ce qui s’y passe et nommez les pièces repérées.";
constexpr const char* kDiagramExercise =
    "Complétez les cases\u00A0: le nom de chaque temps, de chaque courbe et de l’étincelle.";
constexpr const char* kPartsListHeading = "Les pièces";
constexpr const char* kPictureAngle = "Angle du vilebrequin\u00A0: %s";   // under each stroke's picture
// The answer key's first line: the exercise's series (its seed) and the strokes in its order.
constexpr const char* kKeyHeading = "Corrigé de la série %s\u00A0: les temps dans l’ordre %s.";

// The summary table every textbook has, its last page.
constexpr const char* kSummaryTitle = "Tableau récapitulatif du cycle";
constexpr const char* kSummaryExercise = "Complétez le tableau pour chaque temps.";
constexpr const char* kSummaryStroke = "Temps";
constexpr const char* kSummaryName = "Nom";
constexpr const char* kSummaryAngles = "Angle du vilebrequin";
constexpr const char* kSummaryPart = "Pièce %s";     // the exercise names no part: its number on the pictures
constexpr const char* kPistonGoesDown = "du PMH au PMB";
constexpr const char* kPistonGoesUp = "du PMB au PMH";
constexpr const char* kValveOpen = "ouverte";
constexpr const char* kValveShut = "fermée";
constexpr const char* kAngleSpan = "de %s à %s";

// The documents' titles, as a PDF reader shows them.
constexpr const char* kSheetDocumentTitle = "Le moteur à quatre temps";
constexpr const char* kExerciseDocumentTitle = "Le moteur à quatre temps – exercice";
constexpr const char* kKeyDocumentTitle = "Le moteur à quatre temps – corrigé";
constexpr const char* kTimingDocumentTitle = "Tarvex – diagramme de distribution";
constexpr const char* kCircleDocumentTitle = "Tarvex - épure circulaire de distribution";
constexpr const char* kPvDocumentTitle = "Tarvex - cycle théorique de Beau de Rochas";

// The parts, as the textbook names them.
constexpr const char* kPiston = "Piston";
constexpr const char* kRod = "Bielle";
constexpr const char* kCrankshaft = "Vilebrequin";
constexpr const char* kCylinder = "Cylindre";
constexpr const char* kIntakeValve = "Soupape d’admission";
constexpr const char* kExhaustValve = "Soupape d’échappement";
constexpr const char* kSparkPlug = "Bougie";
constexpr const char* kIntakePipe = "Tubulure d’admission";
constexpr const char* kExhaustPipe = "Collecteur d’échappement";

// The timing diagram.
constexpr const char* kTopDeadCentre = "PMH";
constexpr const char* kBottomDeadCentre = "PMB";
constexpr const char* kValveLift = "levée";        // the valves' axis: the curves are lifts
constexpr const char* kNoLift = "0";
constexpr const char* kSpark = "Étincelle";
constexpr const char* kCrankAngleAxis = "Angle de rotation du vilebrequin (°)";

// The names of the cycle's phases along the valve-timing circle and the p-V loop.
constexpr const char* kIntakeName = "Admission";
constexpr const char* kCompressionName = "Compression";
constexpr const char* kCombustionName = "Combustion";
constexpr const char* kExpansionName = "Détente";
constexpr const char* kPowerStrokeName = "Combustion-détente";   // the third stroke, as a whole
constexpr const char* kExhaustName = "Échappement";

// The valve-timing circle. %s stand for numbers already written the French way.
constexpr const char* kCircleTitle = "Épure circulaire de distribution";
constexpr const char* kCircleTheoretical = "Cycle théorique";
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
constexpr const char* kSparkAtTdc = "au PMH,";      // « Étincelle : au PMH, 360° »

// The p-V diagram.
constexpr const char* kPvTitle = "Cycle théorique de Beau de Rochas (diagramme p-V)";
constexpr const char* kVolumeAxis = "Volume";
constexpr const char* kPressureAxis = "Pression (bar)";
constexpr const char* kEngineRatio = "ε = %s\u00A0: rapport volumétrique du moteur animé";
constexpr const char* kChosenRatio = "ε = %s\u00A0: rapport volumétrique, avec la course du moteur animé";
constexpr const char* kAdiabatic = "1→2 et 3→4\u00A0: adiabatiques (γ = %s)";
constexpr const char* kIsochoric = "2→3 et 4→1\u00A0: isochores";
constexpr const char* kPressureRise = "combustion\u00A0: p₃ = %s × p₂";
constexpr const char* kIntakePressure = "p₁ = %s\u00A0bar\u00A0: pression atmosphérique";
constexpr const char* kPointPressure = "p%s = %s\u00A0bar";      // « p₂ = 23,4 bar »
constexpr const char* kPressureToFind = "p%s = …………\u00A0bar";        // the exercise's blank

// The worksheet's page of figures.
constexpr const char* kCircleCaption =
    "Un cycle dure deux tours de vilebrequin (720°)\u00A0: la spirale part du PMH et tourne dans le "
    "sens des aiguilles d’une montre\u00A0; chaque temps occupe un demi-tour, d’un point mort à "
    "l’autre.";
constexpr const char* kRealCircleCaption =
    "Cycle réel\u00A0: les gaz ont de l’inertie, la soupape d’admission s’ouvre donc avant le PMH (AOA) "
    "et se ferme après le PMB (RFA) pour mieux remplir le cylindre\u00A0; celle d’échappement s’ouvre "
    "avant le PMB (AOE) pour vider le cylindre tôt et se ferme après le PMH (RFE). La combustion "
    "prend du temps\u00A0: l’étincelle jaillit avant le PMH (AA).";
constexpr const char* kCircleExercise =
    "Complétez les cases\u00A0: le nom de chaque temps et l’angle de l’étincelle.";
constexpr const char* kPvCaption =
    "La pression du gaz selon le volume du cylindre, au long du cycle théorique\u00A0: la course est "
    "celle du moteur animé, le rapport volumétrique celui de la légende.";
constexpr const char* kPvExercise =
    "Complétez les cases\u00A0: le nom de chaque phase, dans le sens des flèches, puis calculez p₂, "
    "p₃ et p₄ à partir des données de la légende.";

// The browser page: its title, the group names its labels add to the parts' names above, the
// lines over the engine, the help, and what a browser that cannot draw it is told.
constexpr const char* kPageTitle = "Tarvex à explosion (essence, 4\u00A0temps)";
constexpr const char* kBlockName = "Caisson";
constexpr const char* kValvesName = "Soupapes";
constexpr const char* kSpeedLine = "Vitesse\u00A0: %s\u00A0tr/s";          // revolutions per second
constexpr const char* kPauseLine = "En pause à %s";                    // « En pause à 270° »
constexpr const char* kFrameRateLine = "%s\u00A0images/s";
constexpr const char* kCredit = "Tarvex – moteur à quatre temps";
struct HelpLine {
    const char* text;
    bool heading;
};
constexpr HelpLine kHelpLines[] = {
    {"Commandes clavier", true},
    {"a\u00A0: aide", false},
    {"l\u00A0: lumière", false},
    {"e\u00A0: explications détaillées", false},
    {"f\u00A0: afficher les images par seconde", false},
    {"t\u00A0: afficher les textures", false},
    {"r\u00A0: afficher les repères des spots", false},
    {"1\u00A0: Tarvex entier", false},
    {"2\u00A0: caisson", false},
    {"3\u00A0: piston", false},
    {"4\u00A0: soupapes", false},
    {"5\u00A0: afficher les gaz", false},
    {"6\u00A0: afficher le caisson", false},
    {"+ / -\u00A0: augmenter / diminuer la vitesse", false},
    {"flèches\u00A0: tourner la caméra", false},
    {"page précédente / suivante\u00A0: éloigner / rapprocher la caméra", false},
    {"espace\u00A0: pause / reprise", false},
    {"n / b\u00A0: temps suivant / précédent", false},
    {"k / j\u00A0: un degré de plus / de moins", false},
    {"Commandes souris", true},
    {"clic gauche\u00A0: sélectionner une pièce", false},
    {"clic gauche + déplacer\u00A0: tourner la caméra", false},
    {"clic droit + déplacer\u00A0: zoomer", false},
    {"molette\u00A0: changer la vitesse", false},
    {"clic molette\u00A0: réinitialiser la vitesse", false},
};
constexpr const char* kNoWebGl2 =
    "Ce navigateur ne peut pas afficher le moteur\u00A0: il lui manque WebGL\u00A02. Ouvrez cette "
    "page dans une version récente de Firefox, Chrome, Edge ou Safari, avec l’accélération "
    "graphique activée.";
constexpr const char* kContextLost = "L’affichage graphique a été interrompu\u00A0; il reprend dès que possible.";
// The page's on-screen buttons: what each shows, and its name as a screen reader and a tooltip
// give it; then the names of their groups.
struct PageButtonText {
    const char* symbol;
    const char* name;
};
constexpr PageButtonText kPauseButton = {"❚❚", "Pause"};
constexpr PageButtonText kPreviousStrokeButton = {"◀◀", "Temps précédent"};
constexpr PageButtonText kNextStrokeButton = {"▶▶", "Temps suivant"};
constexpr PageButtonText kDegreeDownButton = {"−1°", "Un degré de moins"};
constexpr PageButtonText kDegreeUpButton = {"+1°", "Un degré de plus"};
constexpr PageButtonText kSlowerButton = {"v−", "Moins vite"};
constexpr PageButtonText kFasterButton = {"v+", "Plus vite"};
constexpr PageButtonText kResetSpeedButton = {"v↺", "Vitesse d’origine"};
constexpr PageButtonText kEngineViewButton = {"1", "Vue\u00A0: Tarvex entier"};
constexpr PageButtonText kBlockViewButton = {"2", "Vue\u00A0: caisson"};
constexpr PageButtonText kCrankViewButton = {"3", "Vue\u00A0: piston et vilebrequin"};
constexpr PageButtonText kValvesViewButton = {"4", "Vue\u00A0: soupapes"};
constexpr PageButtonText kGasButton = {"Gaz", "Afficher les gaz"};
constexpr PageButtonText kBlockButton = {"Cais.", "Afficher le caisson"};
constexpr PageButtonText kTexturesButton = {"Tex.", "Afficher les textures"};
constexpr PageButtonText kExplanationsButton = {"Expl.", "Explications détaillées"};
constexpr PageButtonText kHelpButton = {"?", "Aide"};
constexpr PageButtonText kFullScreenButton = {"⤢", "Plein écran"};
constexpr const char* kButtonsName = "Commandes";
constexpr const char* kCycleGroup = "Cycle";
constexpr const char* kSpeedGroup = "Vitesse";
constexpr const char* kViewsGroup = "Vues";
constexpr const char* kDisplayGroup = "Affichage";
constexpr const char* kScreenGroup = "Écran";

// A number as French writes it: a decimal comma, decimals digits after it.
std::string frenchNumber(double value, int decimals);
// An angle in whole degrees, or with one decimal when it has one; with the degree sign.
std::string frenchDegrees(double value);
// format with its %s replaced, in order, by the given texts.
std::string filled(const char* format, const std::string& a, const std::string& b = "",
                   const std::string& c = "");

}  // namespace stills
