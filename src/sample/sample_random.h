#pragma once

#include <cstdint>
#include <span>

namespace quarrion {

// The sample company's own pseudo-random numbers (xoshiro256**, seeded through
// SplitMix64). The standard library's distributions may differ between library
// versions; these do not, so a seed gives the same company on every machine and
// every build.
class SampleRandom {
  public:
    explicit SampleRandom(std::uint64_t seed);

    // An independent stream for one part of the company, so that adding records to
    // one part does not shift the values of another.
    SampleRandom Fork(std::uint64_t salt) const;

    std::uint64_t Next();
    // A value in [0, bound); 0 when bound is 0. Unbiased.
    std::uint64_t Below(std::uint64_t bound);
    // A value in [low, high] (low <= high).
    std::int64_t Between(std::int64_t low, std::int64_t high);
    // A value in [0, 1) with 53 random bits.
    double Unit();
    // True with probability p.
    bool Chance(double p) { return Unit() < p; }

    template <typename T>
    const T& Pick(std::span<const T> items) {
        return items[Below(items.size())];
    }

  private:
    SampleRandom() = default;
    std::uint64_t state_[4] = {};
};

}  // namespace quarrion
