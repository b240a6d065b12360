#include "tools/stills/figures/label_placer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <utility>

#include "tools/stills/output/document_format.h"

namespace stills {

LabelPlacer::LabelPlacer(const char* figure, std::vector<FigureText>* texts, Judge judge)
    : figure_(figure), texts_(texts), judge_(std::move(judge))
{
}

Placement LabelPlacer::take(const FigureText& text)
{
    const Placement placement = judge_(text, *texts_);
    if (placement == Placement::taken) texts_->push_back(text);
    return placement;
}

void LabelPlacer::fixed(const FigureText& text) { texts_->push_back(text); }

void LabelPlacer::missing(const FigureText& text, const FigureText& fallback, const std::string& where)
{
    std::fprintf(stderr, "%s: %s has no room for '%s'%s\n", kProgram, figure_, text.text.c_str(), where.c_str());
    texts_->push_back(fallback);
}

const FigureText& LabelPlacer::last() const { return texts_->back(); }

namespace {

// Which side of the line through a and b the point c is: positive on the left, y down.
double side(DiagramPoint a, DiagramPoint b, DiagramPoint c)
{
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

// The tops of labels stacked in order: each at its point's height, pushed down by the one
// above, then those past the foot moved up, pushing the ones above them.
std::vector<double> stacked(const std::vector<ColumnLabel>& labels, const std::vector<size_t>& order, double top,
                            double bottom, double gap)
{
    std::vector<double> tops(labels.size());
    double next = top;
    for (size_t i : order) {
        tops[i] = std::max(next, labels[i].to.y - labels[i].height / 2);
        next = tops[i] + labels[i].height + gap;
    }
    double limit = bottom;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        tops[*it] -= std::max(0.0, tops[*it] + labels[*it].height - limit);
        limit = tops[*it] - gap;
    }
    return tops;
}

}  // namespace

bool leadersCross(const LeaderLine& a, const LeaderLine& b)
{
    const double a1 = side(a.from, a.to, b.from), a2 = side(a.from, a.to, b.to);
    const double b1 = side(b.from, b.to, a.from), b2 = side(b.from, b.to, a.to);
    return ((a1 < 0 && a2 > 0) || (a1 > 0 && a2 < 0)) && ((b1 < 0 && b2 > 0) || (b1 > 0 && b2 < 0));
}

std::vector<double> stackLeaderColumn(const std::vector<ColumnLabel>& labels, double edge, double top,
                                      double bottom, double gap, const std::vector<LeaderLine>& others)
{
    // Each order, from the points' own top-down one: a column holds a handful of labels.
    std::vector<size_t> order(labels.size());
    std::iota(order.begin(), order.end(), 0);
    const auto higher = [&](size_t a, size_t b) {
        return labels[a].to.y < labels[b].to.y || (labels[a].to.y == labels[b].to.y && a < b);
    };
    std::sort(order.begin(), order.end(), higher);
    std::vector<double> best;
    int fewest = 0;
    double least = 0.0;
    do {
        const std::vector<double> tops = stacked(labels, order, top, bottom, gap);
        std::vector<LeaderLine> lines;
        double moved = 0.0;
        for (size_t i = 0; i < labels.size(); ++i) {
            lines.push_back({{edge, tops[i] + labels[i].height / 2}, labels[i].to});
            moved += std::fabs(lines.back().from.y - labels[i].to.y);
        }
        int crossings = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            for (size_t j = i + 1; j < lines.size(); ++j) crossings += leadersCross(lines[i], lines[j]);
            for (const LeaderLine& other : others) crossings += leadersCross(lines[i], other);
        }
        if (best.empty() || crossings < fewest || (crossings == fewest && moved < least)) {
            best = tops;
            fewest = crossings;
            least = moved;
        }
    } while (std::next_permutation(order.begin(), order.end(), higher));
    return best;
}

}  // namespace stills
