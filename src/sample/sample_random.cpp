#include "sample/sample_random.h"

namespace quarrion {

namespace {

std::uint64_t SplitMix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint64_t Rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

}  // namespace

SampleRandom::SampleRandom(std::uint64_t seed) {
    std::uint64_t x = seed;
    for (auto& word : state_) word = SplitMix(x);
}

SampleRandom SampleRandom::Fork(std::uint64_t salt) const {
    SampleRandom copy = *this;
    std::uint64_t x = copy.Next() ^ (salt * 0xD1342543DE82EF95ULL);
    SampleRandom fork;
    for (auto& word : fork.state_) word = SplitMix(x);
    return fork;
}

std::uint64_t SampleRandom::Next() {
    const std::uint64_t result = Rotl(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = Rotl(state_[3], 45);
    return result;
}

std::uint64_t SampleRandom::Below(std::uint64_t bound) {
    if (bound == 0) return 0;
    // Rejection keeps every value equally likely.
    const std::uint64_t limit = ~std::uint64_t{0} - (~std::uint64_t{0} % bound);
    std::uint64_t value;
    do {
        value = Next();
    } while (value >= limit);
    return value % bound;
}

std::int64_t SampleRandom::Between(std::int64_t low, std::int64_t high) {
    if (high <= low) return low;
    return low + static_cast<std::int64_t>(Below(static_cast<std::uint64_t>(high - low) + 1));
}

double SampleRandom::Unit() {
    return static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

}  // namespace quarrion
