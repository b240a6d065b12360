#include "tools/stills/figures/label_placer.h"

#include <cstdio>
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

}  // namespace stills
