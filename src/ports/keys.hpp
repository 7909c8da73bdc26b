#pragma once

namespace zivmora {

// The keys the window's key rule tells apart; every other key is `other`.
enum class Key { tab, escape, enter, f1, other };

struct Modifiers {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    bool none() const { return !ctrl && !shift && !alt; }
};

// Modifier bits of a mouse press, as the hint box's handler receives them.
inline constexpr int kMouseCtrl = 1;
inline constexpr int kMouseShift = 2;
inline constexpr int kMouseAlt = 4;

}  // namespace zivmora
