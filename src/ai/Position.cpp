#include "ai/Position.h"

#include "game/MoveRules.h"

namespace vexadra::ai {

int Position::LegalMoves(Move (&moves)[kMaxMoves]) const { return vexadra::LegalMoves(m_state, moves); }

int Position::Gain(const Move& move) const { return MoveGain(m_state, move); }

Position::Undo Position::Play(const Move& move) { return Undo{move, PlayMove(m_state, move)}; }

void Position::TakeBack(const Undo& undo) { TakeBackMove(m_state, undo.move, undo.outcome); }

} // namespace vexadra::ai
