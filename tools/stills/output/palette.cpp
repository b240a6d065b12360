#include "tools/stills/output/palette.h"

#include <algorithm>
#include <limits>

namespace stills {

namespace {

constexpr int kChannels = 3;
constexpr int kDropBits = 8 - kHistogramBitsPerChannel;           // low bits a bin ignores
constexpr int kLevelMask = (1 << kHistogramBitsPerChannel) - 1;
constexpr int kBinCentre = (1 << kDropBits) / 2;                   // of a level, in 8-bit steps

int binOf(const unsigned char* pixel)
{
    return (pixel[0] >> kDropBits) << (2 * kHistogramBitsPerChannel)
           | (pixel[1] >> kDropBits) << kHistogramBitsPerChannel | (pixel[2] >> kDropBits);
}

int levelOf(int bin, int channel)
{
    return (bin >> (kHistogramBitsPerChannel * (kChannels - 1 - channel))) & kLevelMask;
}

// Bins [begin, end) of the list being cut.
struct Box {
    size_t begin, end;
    double error;                           // pixel-weighted squared spread: what cutting gains
    int axis;                               // the channel of the widest spread
};

Box measure(const std::vector<int>& list, size_t begin, size_t end, const ColourHistogram& histogram)
{
    double n = 0, sum[kChannels] = {}, squares[kChannels] = {};
    for (size_t i = begin; i < end; ++i) {
        const double count = static_cast<double>(histogram.bins()[static_cast<size_t>(list[i])].count);
        n += count;
        for (int c = 0; c < kChannels; ++c) {
            const double level = levelOf(list[i], c);
            sum[c] += count * level;
            squares[c] += count * level * level;
        }
    }
    Box box{begin, end, 0.0, 0};
    double widest = -1.0;
    for (int c = 0; c < kChannels; ++c) {
        const double spread = squares[c] - sum[c] * sum[c] / n;
        box.error += spread;
        if (spread > widest) {
            widest = spread;
            box.axis = c;
        }
    }
    if (end - begin < 2) box.error = 0.0;   // one bin: nothing to cut
    return box;
}

// Cuts the box at the pixel median along its axis; both halves keep at least one bin.
size_t cutPoint(std::vector<int>* list, const Box& box, const ColourHistogram& histogram)
{
    const auto first = list->begin() + static_cast<std::ptrdiff_t>(box.begin);
    const auto last = list->begin() + static_cast<std::ptrdiff_t>(box.end);
    std::sort(first, last, [&](int a, int b) {
        const int la = levelOf(a, box.axis), lb = levelOf(b, box.axis);
        return la != lb ? la < lb : a < b;
    });
    uint64_t total = 0;
    for (auto it = first; it != last; ++it) total += histogram.bins()[static_cast<size_t>(*it)].count;
    uint64_t below = 0;
    size_t cut = box.begin + 1;
    for (; cut < box.end - 1; ++cut) {
        below += histogram.bins()[static_cast<size_t>((*list)[cut - 1])].count;
        if (2 * below >= total) break;
    }
    return cut;
}

std::array<unsigned char, 3> meanColour(const std::vector<int>& list, const Box& box, const ColourHistogram& histogram)
{
    uint64_t n = 0, sum[kChannels] = {};
    for (size_t i = box.begin; i < box.end; ++i) {
        const ColourHistogram::Bin& bin = histogram.bins()[static_cast<size_t>(list[i])];
        n += bin.count;
        for (int c = 0; c < kChannels; ++c) sum[c] += bin.sum[c];
    }
    std::array<unsigned char, 3> colour{};
    for (int c = 0; c < kChannels; ++c)
        colour[static_cast<size_t>(c)] = static_cast<unsigned char>((sum[c] + n / 2) / n);   // rounded
    return colour;
}

// The palette entry nearest to the middle of a bin no pixel fell in.
unsigned char nearestEntry(const Palette& palette, int bin)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (size_t i = 0; i < palette.colours.size(); ++i) {
        int distance = 0;
        for (int c = 0; c < kChannels; ++c) {
            const int d = (levelOf(bin, c) << kDropBits) + kBinCentre - palette.colours[i][static_cast<size_t>(c)];
            distance += d * d;
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return static_cast<unsigned char>(best);
}

}  // namespace

void ColourHistogram::add(const unsigned char* rgb, size_t pixels)
{
    for (size_t i = 0; i < pixels; ++i, rgb += kChannels) {
        Bin& bin = bins_[static_cast<size_t>(binOf(rgb))];
        ++bin.count;
        for (int c = 0; c < kChannels; ++c) bin.sum[c] += rgb[c];
    }
}

void Palette::map(const unsigned char* rgb, size_t pixels, unsigned char* indices) const
{
    for (size_t i = 0; i < pixels; ++i, rgb += kChannels) indices[i] = indexOfBin[static_cast<size_t>(binOf(rgb))];
}

Palette choosePalette(const ColourHistogram& histogram, int maxColours)
{
    std::vector<int> list;
    for (int bin = 0; bin < kHistogramBins; ++bin)
        if (histogram.bins()[static_cast<size_t>(bin)].count != 0) list.push_back(bin);
    Palette palette;
    palette.indexOfBin.assign(kHistogramBins, 0);
    if (list.empty()) {
        palette.colours.push_back({0, 0, 0});
        return palette;
    }

    std::vector<Box> boxes{measure(list, 0, list.size(), histogram)};
    while (static_cast<int>(boxes.size()) < maxColours) {
        const auto worst = std::max_element(boxes.begin(), boxes.end(),
                                            [](const Box& a, const Box& b) { return a.error < b.error; });
        if (worst->error <= 0.0) break;     // every box is one colour
        const Box whole = *worst;
        const size_t cut = cutPoint(&list, whole, histogram);
        *worst = measure(list, whole.begin, cut, histogram);
        boxes.push_back(measure(list, cut, whole.end, histogram));
    }

    std::vector<bool> seen(kHistogramBins, false);
    for (size_t i = 0; i < boxes.size(); ++i) {
        palette.colours.push_back(meanColour(list, boxes[i], histogram));
        for (size_t j = boxes[i].begin; j < boxes[i].end; ++j) {
            palette.indexOfBin[static_cast<size_t>(list[j])] = static_cast<unsigned char>(i);
            seen[static_cast<size_t>(list[j])] = true;
        }
    }
    for (int bin = 0; bin < kHistogramBins; ++bin)
        if (!seen[static_cast<size_t>(bin)]) palette.indexOfBin[static_cast<size_t>(bin)] = nearestEntry(palette, bin);
    return palette;
}

}  // namespace stills
