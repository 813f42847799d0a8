// Built into the game's test programs only while the core carries no score history of
// its own: just enough of the history for the game to record into.
#include "scores/ScoreHistory.h"

namespace vexadra {

void ScoreHistory::Clear()
{
    *this = ScoreHistory{};
}

void ScoreHistory::RecordGame(int leftScore, int rightScore, int roundsPlayed)
{
    for (int k = kListed; k > 0; --k) {
        m_nGameNumber[k] = m_nGameNumber[k - 1];
        m_nLeftScore[k] = m_nLeftScore[k - 1];
        m_nRightScore[k] = m_nRightScore[k - 1];
        m_nRoundsPlayed[k] = m_nRoundsPlayed[k - 1];
    }
    m_nGameNumber[0] = m_nGameCount + 1;
    m_nLeftScore[0] = leftScore;
    m_nRightScore[0] = rightScore;
    m_nRoundsPlayed[0] = roundsPlayed;
    ++m_nGameCount;
}

} // namespace vexadra
