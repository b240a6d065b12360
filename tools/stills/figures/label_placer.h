#pragma once
// Where a figure's texts go: each is tried in the places its figure proposes, in turn, until its
// figure's judge finds one clear of the lines, the edges and the texts placed before. A text that
// fits nowhere is a fault of the layout's numbers: it is said, not dropped.

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

}  // namespace stills
