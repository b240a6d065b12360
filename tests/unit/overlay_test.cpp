#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "interaction/camera.h"
#include "model/cycle.h"
#include "render/glyph_box.h"
#include "render/overlay.h"

TEST(Strokes, BoundaryAnglesBelongToTheLaterStroke)
{
    EXPECT_STREQ(strokeTitle(strokeOf(0.0)), "Temps 1: Admission");
    EXPECT_STREQ(strokeTitle(strokeOf(179.9)), "Temps 1: Admission");
    EXPECT_STREQ(strokeTitle(strokeOf(180.0)), "Temps 2: Compression");
    EXPECT_STREQ(strokeTitle(strokeOf(359.99)), "Temps 2: Compression");
    EXPECT_STREQ(strokeTitle(strokeOf(360.0)), "Temps 3: Explosion");
    EXPECT_STREQ(strokeTitle(strokeOf(540.0)), "Temps 4: Echappement");
    EXPECT_STREQ(strokeTitle(strokeOf(720.0)), "Temps 4: Echappement");
    EXPECT_STREQ(strokeLine(1, 2), "est fermee. Le piston descend, aspirant ainsi le melange ");
    EXPECT_STREQ(strokeLine(3, 3), "de celui-ci. Du coup, le piston redescend avec une force importante.");
    EXPECT_STREQ(strokeLine(4, 1), "Arrive en fin de detente et en bas du cylindre, le piston");
    for (int s = 1; s <= 4; ++s)
        for (int l = 1; l <= 3; ++l) EXPECT_LT(std::strlen(strokeLine(s, l)), 100u);
}

TEST(SpeedLine, ShowsTenthsAndNeverANegativeZero)
{
    char text[kTextBufferSize];
    formatSpeedLine(text, 0.1);
    EXPECT_STREQ(text, "Vitesse: 0.1 tours/sec");
    formatSpeedLine(text, 0.1 - 0.1);
    EXPECT_STREQ(text, "Vitesse: 0.0 tours/sec");
    formatSpeedLine(text, 0.1 - 0.1 - 0.1);
    EXPECT_STREQ(text, "Vitesse: -0.1 tours/sec");
    double dust = 0.1;                              // seven presses of -, then seven of +
    for (int i = 0; i < 7; ++i) dust -= 0.1;
    for (int i = 0; i < 6; ++i) dust += 0.1;
    formatSpeedLine(text, dust);
    EXPECT_STREQ(text, "Vitesse: 0.0 tours/sec");
    formatSpeedLine(text, -1e-17);
    EXPECT_STREQ(text, "Vitesse: 0.0 tours/sec");
    formatSpeedLine(text, 100.0);                   // a thousand presses of +
    EXPECT_STREQ(text, "Vitesse: 100.0 tours/sec");
    formatFpsLine(text, 59.94);
    EXPECT_STREQ(text, "FPS: 59.9");
}

TEST(HelpScreen, EveryLineByteForByteInOrder)
{
    const std::string expected[] = {
        "COMMANDES CLAVIER", "a : aide", "q : quitter", " l : lumiere", "e : explications detaillees",
        "f : afficher fps", "t : afficher les textures", "r : afficher les reperes des spots",
        "1 : tarvex entier", "2 : caisson", "3 : piston", "4 : soupapes",
        "5 : afficher gaz (pas encore implemente)", "6 : afficher caisson", "+ : augmenter vitesse",
        "- : diminuer vitesse", "touches directionnelles : tourner camera", "espace : pause / reprise",
        "n / b : temps suivant / precedent", "k / j : un degre de plus / de moins",
        "F11 : plein ecran (projecteur)", "COMMANDES SOURIS",
        "clic gauche" + std::string(18, ' ') + ": selectionner objet",
        "clic gauche + deplacer : bouger camera",
        "clic droit + deplacer" + std::string(4, ' ') + ": zoomer",
        "molette avant" + std::string(13, ' ') + ": augmenter vitesse",
        "molette arriere" + std::string(12, ' ') + ": diminuer vitesse",
        "clic molette" + std::string(17, ' ') + ": reinitialiser vitesse",
    };
    ASSERT_EQ(kHelpLineCount, 28);
    for (int i = 0; i < kHelpLineCount; ++i) {
        EXPECT_EQ(std::string(kHelpLines[i].text), expected[i]) << "line " << i;
        const bool heading = i == 0 || i == 21;
        EXPECT_EQ(kHelpLines[i].fontCode, heading ? 2 : 1) << "line " << i;
    }
    EXPECT_DOUBLE_EQ(kHelpLines[0].fy, 0.87);
    EXPECT_DOUBLE_EQ(kHelpLines[16].fy, 0.54);
    EXPECT_DOUBLE_EQ(kHelpLines[21].fy, 0.45);
    EXPECT_DOUBLE_EQ(kHelpLines[27].fy, 0.32);
    for (int i = 1; i < 17; ++i) EXPECT_NEAR(kHelpLines[i].fy, 0.86 - 0.02 * i, 1e-12) << i;
}

TEST(OrbitEye, StartValuesPutTheEyeBehindAndAbove)
{
    Vec3 e = orbitEye(6.963, -3.5996, 10.0);
    EXPECT_NEAR(e.x, -6.975, 1e-3);
    EXPECT_NEAR(e.y, -5.639, 1e-3);
    EXPECT_NEAR(e.z, 4.422, 1e-3);
}

TEST(GlyphBox, TheLitBoxOfACellAndWhetherItReachesTheCellsRing)
{
    // Two cells of 4 x 3 side by side in rows of 8: a glyph inside the first, one on the
    // second's right edge.
    std::vector<unsigned char> lit(8 * 3, 0);
    lit[1 * 8 + 1] = lit[1 * 8 + 2] = 200;
    lit[0 * 8 + 7] = 255;
    const LitBox inside = cellLitBox(lit, 8, 0, 0, 4, 3);
    EXPECT_EQ(inside.x0, 1);
    EXPECT_EQ(inside.x1, 2);
    EXPECT_EQ(inside.y0, 1);
    EXPECT_EQ(inside.y1, 1);
    EXPECT_FALSE(inside.touchesRing);
    const LitBox edge = cellLitBox(lit, 8, 4, 0, 4, 3);
    EXPECT_TRUE(edge.touchesRing);
    EXPECT_EQ(edge.x0, 7);
    std::vector<unsigned char> blank(8 * 3, 0);
    EXPECT_LT(cellLitBox(blank, 8, 4, 0, 4, 3).x1, cellLitBox(blank, 8, 4, 0, 4, 3).x0);
}
