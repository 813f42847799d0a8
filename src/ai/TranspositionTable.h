#pragma once
// What the look-ahead has already learnt about positions, keyed by ShadeBoard::Key(): a
// value or a bound on it for the rest of the round (or for so many plies of it), and the
// move that was best there, to be tried first next time.
//
// Expert's searches share one table between threads. A slot is two words, the second
// stored as key ^ data, so a slot that one thread reads while another writes it reads as
// another position's and is ignored, never as a mix of two results.

#include <atomic>
#include <bit>
#include <cstdint>
#include <memory>

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
        std::int16_t value = 0;
        std::uint8_t depth = 0;   // plies looked ahead; 0 for an empty slot
        Bound bound = kExact;
        std::uint8_t from = 0;
        std::uint8_t to = 0;
        std::uint8_t unused[2] = {};
    };
    static_assert(sizeof(Entry) == sizeof(std::uint64_t));

    // 2^bits slots of 16 bytes.
    explicit TranspositionTable(int bits)
        : m_slots(std::make_unique<Slot[]>(std::size_t{1} << bits)), m_mask((std::uint64_t{1} << bits) - 1)
    {
    }

    void Clear()
    {
        for (std::uint64_t i = 0; i <= m_mask; ++i) {
            m_slots[i].check.store(0, std::memory_order_relaxed);
            m_slots[i].data.store(0, std::memory_order_relaxed);
        }
    }
    // What the table holds for the key; an entry of depth 0 when nothing.
    Entry Probe(std::uint64_t key) const
    {
        const Slot& slot = m_slots[key & m_mask];
        const std::uint64_t data = slot.data.load(std::memory_order_relaxed);
        if ((slot.check.load(std::memory_order_relaxed) ^ data) != key)
            return Entry{};
        return std::bit_cast<Entry>(data);
    }
    void Store(std::uint64_t key, const Entry& entry)
    {
        Slot& slot = m_slots[key & m_mask];
        const auto data = std::bit_cast<std::uint64_t>(entry);
        slot.data.store(data, std::memory_order_relaxed);
        slot.check.store(key ^ data, std::memory_order_relaxed);
    }

private:
    struct Slot {
        std::atomic<std::uint64_t> check{0};
        std::atomic<std::uint64_t> data{0};
    };
    std::unique_ptr<Slot[]> m_slots;
    std::uint64_t m_mask;
};

} // namespace vexadra::ai
