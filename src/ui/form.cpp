#include "ui/form.hpp"

#include <algorithm>

namespace zivmora {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

const Form kMainForm{
    .window =
        {
            .title = "Zivmora  1.4  Quenlo作品",
            .outer_size = {723, 546},
            .stored_left = 50,
            .stored_top = 50,
        },
    .controls = {{
        {ControlId::browser_box,
         "超文本浏览框1",
         ControlKind::html_viewer,
         {-24, 24, 744, 480},
         true,
         false,
         true,
         0,
         MousePointer::standard},
        {ControlId::hint_box,
         "编辑框2",
         ControlKind::edit_box,
         {424, 0, 176, 28},
         true,
         false,
         true,
         0,
         MousePointer::standard},
        {ControlId::clock_timer,
         "时钟1",
         ControlKind::timer,
         {152, 280, 56, 32},
         false,
         false,
         false,
         0,
         MousePointer::standard},
        {ControlId::status_bar,
         "状态条1",
         ControlKind::status_bar,
         {0, 498, 640, 20},
         true,
         false,
         false,
         0,
         MousePointer::standard},
        {ControlId::toolbar,
         "工具条1",
         ControlKind::tool_bar,
         {-8, 0, 728, 32},
         true,
         false,
         false,
         0,
         MousePointer::hand},
        {ControlId::code_box,
         "编辑框1",
         ControlKind::edit_box,
         {424, 0, 176, 28},
         true,
         false,
         true,
         0,
         MousePointer::standard},
    }},
    .edit_boxes =
        {
            .text_colour = kWhite,
            .background_colour = kBlack,
            .hint_text = "请在这里输入英文字母或数字",
            .code_text = "",
        },
    .browser = {},
    .timer = {},
    .status_bar =
        {
            .parts = {{{500, "现在时间是："}, {100, ""}, {100, ""}}},
        },
    .toolbar =
        {
            .background = kWhite,
            .buttons = {{
                {1, "操作选择＝>>", "请选择", std::nullopt},
                {2, "刷新地址", "", 1},
                {3, "上一视频", "", 3},
                {4, "下一视频", "", 3},
                {5, "", "", std::nullopt},
            }},
            .image_background = kWhite,
        },
    .bindings = {{
        {std::nullopt, FormEvent::created},
        {std::nullopt, FormEvent::size_changed},
        {ControlId::browser_box, FormEvent::new_window_requested},
        {ControlId::hint_box, FormEvent::left_button_pressed},
        {ControlId::clock_timer, FormEvent::tick},
        {ControlId::toolbar, FormEvent::toolbar_clicked},
        {ControlId::code_box, FormEvent::text_changed},
    }},
};

}  // namespace

const Form& main_form() {
    return kMainForm;
}

const ControlRecord& Form::control(ControlId id) const {
    return *std::find_if(controls.begin(), controls.end(),
                         [id](const ControlRecord& record) { return record.id == id; });
}

bool Form::has_binding(std::optional<ControlId> control, FormEvent event) const {
    return std::any_of(bindings.begin(), bindings.end(), [&](const EventBinding& binding) {
        return binding.control == control && binding.event == event;
    });
}

std::array<int, 3> status_part_right_edges(const StatusBarSettings& settings) {
    std::array<int, 3> edges{};
    int right = 0;
    for (std::size_t i = 0; i < settings.parts.size(); ++i) {
        right += settings.parts[i].width;
        edges[i] = right;
    }
    return edges;
}

std::string_view toolbar_tip_text(std::string_view tip, std::size_t limit_bytes) {
    if (tip.size() <= limit_bytes) {
        return tip;
    }
    std::size_t end = limit_bytes;
    // Step back over UTF-8 continuation bytes so that no character is cut in half.
    while (end > 0 && (static_cast<unsigned char>(tip[end]) & 0xC0) == 0x80) {
        --end;
    }
    return tip.substr(0, end);
}

Rect centred_window_place(Size screen, Size outer_size) {
    return {(screen.width - outer_size.width) / 2, (screen.height - outer_size.height) / 2,
            outer_size.width, outer_size.height};
}

}  // namespace zivmora
