#pragma once
// What the look-ahead has already learnt about positions, keyed by ShadeBoard::Key(): a
// value or a bound on it for the rest of the round (or for so many plies of it), and the
// move that was best there, to be tried first next time.

#include <cstdint>
#include <vector>

namespace vexadra::ai {

// Hard's 60,000 positions fit with room to spare. Expert's searches of millions need the
// 16 MB: a quarter of it already makes them several times slower, as more of what they
// learnt is overwritten before it is needed again.
constexpr int kHardTableBits = 16;
constexpr int kExpertTableBits = 20;

class TranspositionTable {
public:
    enum Bound : std::uint8_t { kExact, kLower, kUpper };
    struct Entry {
        std::uint64_t key = 0;
        std::int16_t value = 0;
        std::uint8_t depth = 0;   // plies looked ahead; 0 for an empty slot
        Bound bound = kExact;
        std::uint8_t from = 0;
        std::uint8_t to = 0;
    };

    // 2^bits entries of 16 bytes.
    explicit TranspositionTable(int bits) : m_entries(std::size_t{1} << bits), m_mask((std::uint64_t{1} << bits) - 1) {}

    void Clear() { m_entries.assign(m_entries.size(), Entry{}); }
    Entry& Slot(std::uint64_t key) { return m_entries[key & m_mask]; }

private:
    std::vector<Entry> m_entries;
    std::uint64_t m_mask;
};

} // namespace vexadra::ai
