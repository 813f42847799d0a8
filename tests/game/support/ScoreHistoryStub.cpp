// Built into the game's test programs only while the core carries no score history of
// its own: just enough of the history for the game to record into.
#include <algorithm>
#include <initializer_list>

#include "scores/ScoreHistory.h"

namespace vexadra {

void ScoreHistory::Clear()
{
    *this = ScoreHistory{};
}

void ScoreHistory::RecordGame(int leftScore, int rightScore, int roundsPlayed)
{
    for (int* entries : {m_nGameNumber, m_nLeftScore, m_nRightScore, m_nRoundsPlayed})
        std::copy_backward(entries, entries + kListed, entries + kListed + 1);
    m_nGameNumber[0] = m_nGameCount + 1;
    m_nLeftScore[0] = leftScore;
    m_nRightScore[0] = rightScore;
    m_nRoundsPlayed[0] = roundsPlayed;
    ++m_nGameCount;
}

} // namespace vexadra
