#pragma once

#include <cstdint>

namespace zivmora {

// The toolbar's random codes: re-seeded from the tick count at every click, with an offset
// that grows by at least 100 per seeding so that two clicks in one millisecond differ.
class RandomCodes {
public:
    void seed(std::uint32_t tick_count);
    // A number from low to high inclusive (15 bits per draw, slightly uneven over a range).
    int draw(int low, int high);

    std::uint32_t seed_offset() const { return seed_offset_; }
    std::uint32_t state() const { return state_; }

private:
    std::uint32_t seed_offset_ = 0;
    std::uint32_t state_ = 0;
};

}  // namespace zivmora
