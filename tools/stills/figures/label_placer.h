#pragma once
// Where a figure's texts go: each is tried in the places its figure proposes, in turn, until its
// figure's judge finds one clear of the lines, the edges and the texts placed before. A text that
// fits nowhere is a fault of the layout's numbers: it is said, not dropped. Labels named by
// leader lines are stacked in columns beside their picture, in the order whose lines cross least.

#include <functional>
#include <string>
#include <vector>

#include "tools/stills/figures/figure_text.h"

namespace stills {

enum class Placement { taken, outside, onText, onLine };

class LabelPlacer {
public:
    // What a text would meet where it stands, the texts placed so far given; taken when nothing.
    using Judge = std::function<Placement(const FigureText& text, const std::vector<FigureText>& placed)>;

    LabelPlacer(const char* figure, std::vector<FigureText>* texts, Judge judge);

    Placement take(const FigureText& text);     // placed when taken
    void fixed(const FigureText& text);         // kept where it is, for the others to clear
    // Says that text found no room (where: " at 30 degrees", or nothing) and keeps it at fallback.
    void missing(const FigureText& text, const FigureText& fallback, const std::string& where = "");
    const FigureText& last() const;             // the text placed last

private:
    const char* figure_;                        // "the p-V diagram", as the message names it
    std::vector<FigureText>* texts_;
    Judge judge_;
};

// A straight leader line from a label to the point it names.
struct LeaderLine {
    DiagramPoint from, to;
};

// Whether a and b cross: a shared end or a touch at an end does not count.
bool leadersCross(const LeaderLine& a, const LeaderLine& b);

// A label of a column: its height, and the point its leader line goes to.
struct ColumnLabel {
    double height;
    DiagramPoint to;
};

// A column of labels whose leader lines start at x = edge, beside each label's middle: stacked
// from top down, gap apart, none past bottom unless they cannot all fit, each as near its
// point's height as the others let it. Of the orders they can stand in, the one whose lines
// cross fewest others (each other's and those given), then the one that moves them least.
// Returns each label's top, in the order the labels are given.
std::vector<double> stackLeaderColumn(const std::vector<ColumnLabel>& labels, double edge, double top,
                                      double bottom, double gap, const std::vector<LeaderLine>& others = {});

}  // namespace stills
