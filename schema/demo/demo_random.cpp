#include "schema/demo/demo_random.h"

namespace cr::demo {

quint64 DemoRandom::next()
{
    quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

quint64 DemoRandom::below(quint64 n)
{
    if (n == 0) return 0;
    // Multiply-shift maps the 64-bit value onto [0, n) without modulo bias
    // worth speaking of for the small ranges used here.
    return quint64((static_cast<unsigned __int128>(next()) * n) >> 64);
}

int DemoRandom::between(int low, int high)
{
    if (high <= low) return low;
    return low + int(below(quint64(high - low) + 1));
}

bool DemoRandom::percent(int chance)
{
    return int(below(100)) < chance;
}

int DemoRandom::weighted(const QList<int>& weights)
{
    quint64 total = 0;
    for (int w : weights) total += quint64(qMax(w, 0));
    quint64 r = below(total);
    for (int i = 0; i < weights.size(); ++i) {
        const quint64 w = quint64(qMax(weights[i], 0));
        if (r < w) return i;
        r -= w;
    }
    return int(weights.size()) - 1;
}

} // namespace cr::demo
