#pragma once

#include <QList>
#include <QtGlobal>

namespace cr::demo {

// The generator's own random source: splitmix64, so that one seed gives the
// same data on every machine, compiler and library (std distributions are not
// specified bit for bit).
class DemoRandom {
public:
    explicit DemoRandom(quint64 seed) : m_state(seed) {}

    quint64 next();
    // Uniform in [0, n); 0 when n is 0.
    quint64 below(quint64 n);
    // Uniform in [low, high], both included.
    int between(int low, int high);
    // True with the given chance in percent (0..100).
    bool percent(int chance);
    // Index chosen with the given weights (all >= 0, at least one > 0).
    int weighted(const QList<int>& weights);

    template <typename List>
    const auto& pick(const List& list) { return list[qsizetype(below(quint64(list.size())))]; }

private:
    quint64 m_state;
};

} // namespace cr::demo
