#include "ui/clock.hpp"

namespace zivmora {

std::string clock_text(const LocalDateTime& time) {
    std::string text = std::to_string(time.year) + "年" + std::to_string(time.month) + "月" +
                       std::to_string(time.day) + "日";
    if (time.second != 0) {
        text += std::to_string(time.hour) + "时" + std::to_string(time.minute) + "分" +
                std::to_string(time.second) + "秒";
    } else if (time.minute != 0) {
        text += std::to_string(time.hour) + "时" + std::to_string(time.minute) + "分";
    } else if (time.hour != 0) {
        text += std::to_string(time.hour) + "时";
    }
    return text;
}

}  // namespace zivmora
