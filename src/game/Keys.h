#pragma once
// The key codes the game answers to (the platform layer translates its own into these).

namespace vexadra {

constexpr int VK_END = 0x23;
constexpr int VK_INSERT = 0x2D;
constexpr int VK_F1 = 0x70;
constexpr int VK_F2 = 0x71;

} // namespace vexadra
