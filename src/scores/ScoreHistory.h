#pragma once
// The games completed during this run, newest first, and the lines that list them.

#include <string>
#include <vector>

namespace vexadra {

class ScoreHistory {
public:
    static constexpr int kListed = 500;  // entries listed and summed
    static constexpr int kSlots = 502;   // entry 500 takes the record pushed out of the list

    // Character widths of the six fields of a list line: game number, left score, right
    // score, rounds, left sum, right sum. Wider numbers keep all their digits.
    static constexpr int kFieldWidths[6] = {4, 12, 12, 12, 13, 11};

    // No games; entries 0..499 of every array zero.
    void Clear();
    // Shifts every record one place down and puts the new game at the top.
    void RecordGame(int leftScore, int rightScore, int roundsPlayed);
    // The lines of the scores list: one per listed game, newest first, each with the
    // running sums down to the bottom, then the closing line.
    std::vector<std::string> BuildListLines() const;

    int m_nGameCount = 0;
    int m_nGameNumber[kSlots] = {};
    int m_nLeftScore[kSlots] = {};
    int m_nRightScore[kSlots] = {};
    int m_nRoundsPlayed[kSlots] = {};
};

} // namespace vexadra
