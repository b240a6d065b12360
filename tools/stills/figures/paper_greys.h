#pragma once
// The greys of paper, from 0 (black) to 1 (white), side by side: the worksheet and the figures
// are printed on grey photocopiers, where only these tell their parts apart.

namespace stills {

constexpr double kInkGrey = 0.0;            // texts, outlines, leader lines
constexpr double kPaperGrey = 1.0;          // a figure's own ground, the white under a text

// The worksheet.
constexpr double kRuleGrey = 0.45;          // the lines to write on, the parts list's rules
constexpr double kFooterGrey = 0.35;
// An answer key's answers: dark italic on a tint, apart from the exercise's black in grey too.
constexpr double kAnswerInkGrey = 0.15;
constexpr double kAnswerTintGrey = 0.85;
// The spark plug drawn over a print picture: a light body in a dark outline.
constexpr double kPlugBodyGrey = 0.8;

// The p-V diagram.
constexpr double kGridGrey = 0.85;
constexpr double kWorkGrey = 0.9;           // the area the loop encloses: the work
constexpr double kMarkGrey = 0.45;          // PMH and PMB up to the loop

// The valve-timing circle: each stroke's band a grey (with a hatching where two are alike).
constexpr double kAxisGrey = 0.5;           // the dead centres' line
constexpr double kHatchGrey = 0.25;
constexpr double kCompressionBandGrey = 0.86;
constexpr double kPowerBandGrey = 0.62;
constexpr double kOverlapGrey = 0.72;       // the valves' overlap, cross-hatched over it

}  // namespace stills
