#include "navigation/random_codes.hpp"

namespace zivmora {

void RandomCodes::seed(std::uint32_t tick_count) {
    const std::uint32_t seed = tick_count + seed_offset_;
    seed_offset_ += (seed & 0xFFu) + 100u;
    state_ = seed;
}

int RandomCodes::draw(int low, int high) {
    state_ = state_ * 214013u + 2531011u;
    const int r = static_cast<int>((state_ >> 16) & 0x7FFFu);
    return low + r % (high - low + 1);
}

}  // namespace zivmora
