#pragma once
// The random arrangement of the sixteen colours on both boards at the start of a round.

#include <cstdint>

namespace vexadra {

struct GameState;

// One sequence of draws for the whole run; each draw is 0..32767.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual int Next() = 0;
};

constexpr int kRandomMax = 32767;

// A small linear congruential generator with the classic 15-bit output.
class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint32_t seed) : m_state(seed) {}
    int Next() override;

private:
    std::uint32_t m_state;
};

// Deals the left board a permutation of 0..15 and the right board one of 16..31,
// taking exactly 30 draws: 15 for squares 0..14, then 15 for squares 16..30.
void DealRound(GameState& state, RandomSource& random);

} // namespace vexadra
