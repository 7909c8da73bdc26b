#include "platform/win32/main_window.hpp"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "platform/win32/browser_host.hpp"
#include "platform/win32/guard.hpp"
#include "platform/win32/wide_text.hpp"
#include "platform/win32/window_owner.hpp"
#include "ports/window_events.hpp"
#include "ui/form.hpp"

namespace zivmora::win32 {
namespace {

constexpr wchar_t kMainClass[] = L"ZivmoraMainWindow";
constexpr wchar_t kTimerClass[] = L"ZivmoraClockTimer";
constexpr wchar_t kIconName[] = L"DEFAULT_ICON";
constexpr wchar_t kStripName[] = L"TOOLBAR_STRIP";
constexpr UINT kFirstButtonCommand = 1;
constexpr wchar_t kOwnerProperty[] = L"ZivmoraOwner";

COLORREF colour_of(const Rgb& rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

Key key_of(WPARAM virtual_key) {
    switch (virtual_key) {
        case VK_TAB:
            return Key::tab;
        case VK_ESCAPE:
            return Key::escape;
        case VK_RETURN:
            return Key::enter;
        case VK_F1:
            return Key::f1;
        default:
            return Key::other;
    }
}

bool key_down(int virtual_key) {
    return (GetKeyState(virtual_key) & 0x8000) != 0;
}

// The image strip holds its pictures four to a row; the image list wants them side by side.
HIMAGELIST load_toolbar_images(HINSTANCE instance, const ToolbarSettings& settings) {
    const HBITMAP strip = static_cast<HBITMAP>(
        LoadImageW(instance, kStripName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!strip) {
        return nullptr;
    }
    const int size = settings.image_size;
    HIMAGELIST images =
        ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, settings.image_count, 0);
    const HDC screen = GetDC(nullptr);
    const HDC source = CreateCompatibleDC(screen);
    const HDC target = CreateCompatibleDC(screen);
    const HBITMAP row = CreateCompatibleBitmap(screen, size * settings.image_count, size);
    const HGDIOBJ old_source = SelectObject(source, strip);
    const HGDIOBJ old_target = SelectObject(target, row);
    for (int i = 0; i < settings.image_count; ++i) {
        BitBlt(target, i * size, 0, size, size, source, (i % settings.images_per_row) * size,
               (i / settings.images_per_row) * size, SRCCOPY);
    }
    SelectObject(source, old_source);
    SelectObject(target, old_target);
    DeleteDC(source);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
    ImageList_AddMasked(images, row, colour_of(settings.image_background));
    DeleteObject(row);
    DeleteObject(strip);
    return images;
}

}  // namespace

MainWindow::MainWindow(BrowserHost& browser) : browser_(browser) {}

MainWindow::~MainWindow() {
    if (window_) {
        DestroyWindow(window_);
    }
    for (HGDIOBJ object :
         {static_cast<HGDIOBJ>(edit_background_), static_cast<HGDIOBJ>(toolbar_background_),
          static_cast<HGDIOBJ>(toolbar_font_)}) {
        if (object) {
            DeleteObject(object);
        }
    }
    if (toolbar_images_) {
        ImageList_Destroy(toolbar_images_);
    }
}

bool MainWindow::load(const Form& form, WindowEvents& events) {
    form_ = &form;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW main_class{};
    main_class.cbSize = sizeof main_class;
    main_class.lpfnWndProc = &MainWindow::window_procedure;
    main_class.hInstance = instance;
    main_class.hIcon = static_cast<HICON>(LoadImageW(instance, kIconName, IMAGE_ICON, 32, 32, 0));
    main_class.hIconSm = static_cast<HICON>(LoadImageW(instance, kIconName, IMAGE_ICON, 16, 16, 0));
    main_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    main_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main_class.lpszClassName = kMainClass;
    if (!RegisterClassExW(&main_class)) {
        return false;
    }

    const Size outer = form.window.outer_size;
    const Rect place =
        centred_window_place({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, outer);
    const WindowRecord& settings = form.window;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
                        (settings.sizable ? WS_THICKFRAME : 0) |
                        (settings.minimise_box ? WS_MINIMIZEBOX : 0) |
                        (settings.maximise_box ? WS_MAXIMIZEBOX : 0);
    const DWORD extended_style = settings.always_on_top ? WS_EX_TOPMOST : 0;
    // Created hidden; no event reaches the core until load() returns (events_ is unset).
    window_ = CreateWindowExW(extended_style, kMainClass, widen(form.window.title).c_str(), style,
                              place.left, place.top, outer.width, outer.height, nullptr, nullptr,
                              instance, this);
    if (!window_) {
        return false;
    }
    RECT created{};
    GetWindowRect(window_, &created);
    if (created.right - created.left != outer.width ||
        created.bottom - created.top != outer.height) {
        SetWindowPos(window_, nullptr, place.left, place.top, outer.width, outer.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!create_controls(form, events)) {
        DestroyWindow(window_);
        window_ = nullptr;
        return false;
    }
    for (const ControlRecord& record : form.controls) {
        if (record.visible && control(record.id)) {
            ShowWindow(control(record.id), SW_SHOWNA);
        }
    }
    events_ = &events;
    return true;
}

bool MainWindow::create_controls(const Form& form, WindowEvents& events) {
    INITCOMMONCONTROLSEX bars{sizeof bars, ICC_BAR_CLASSES};
    InitCommonControlsEx(&bars);
    edit_background_ = CreateSolidBrush(colour_of(form.edit_boxes.background_colour));
    for (const ControlRecord& record : form.controls) {
        HWND created = nullptr;
        switch (record.kind) {
            case ControlKind::html_viewer:
                created = browser_.create(window_, form.browser, events);
                break;
            case ControlKind::edit_box:
                created = create_edit_box(form, record.id);
                break;
            case ControlKind::timer:
                created = create_timer_window(form);
                break;
            case ControlKind::status_bar:
                created = create_status_bar(form);
                break;
            case ControlKind::tool_bar:
                created = create_toolbar(form);
                break;
        }
        if (!created) {
            return false;
        }
        controls_[static_cast<std::size_t>(record.id)] = created;
        if (record.kind != ControlKind::status_bar) {
            SetWindowPos(created, nullptr, record.place.left, record.place.top, record.place.width,
                         record.place.height, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        EnableWindow(created, !record.disabled);
    }
    return true;
}

HWND MainWindow::create_edit_box(const Form& form, ControlId id) {
    const std::string_view text =
        id == ControlId::hint_box ? form.edit_boxes.hint_text : form.edit_boxes.code_text;
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_LEFT |
                        (form.edit_boxes.auto_horizontal_scroll ? ES_AUTOHSCROLL : 0) |
                        (form.edit_boxes.hide_selection ? 0 : ES_NOHIDESEL);
    const HWND box = CreateWindowExW(form.edit_boxes.sunken_border ? WS_EX_CLIENTEDGE : 0, L"EDIT",
                                     widen(text).c_str(), style, 0, 0, 0, 0, window_, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
    if (box) {
        SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     FALSE);
        SendMessageW(box, EM_LIMITTEXT, 0, 0);
    }
    return box;
}

HWND MainWindow::create_timer_window(const Form& form) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW timer_class{};
    timer_class.cbSize = sizeof timer_class;
    timer_class.lpfnWndProc = &MainWindow::timer_procedure;
    timer_class.hInstance = instance;
    timer_class.lpszClassName = kTimerClass;
    RegisterClassExW(&timer_class);
    const HWND timer = CreateWindowExW(0, kTimerClass, nullptr, WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0,
                                       0, window_, nullptr, instance, this);
    if (timer && form.timer.interval_ms > 0) {
        // Ticks are only handled once a message loop runs; the first after one interval.
        SetTimer(timer, static_cast<UINT_PTR>(form.timer.timer_id),
                 static_cast<UINT>(form.timer.interval_ms), nullptr);
    }
    return timer;
}

HWND MainWindow::create_status_bar(const Form& form) {
    const StatusBarSettings& settings = form.status_bar;
    const DWORD style = WS_CHILD | (settings.bottom_aligned ? CCS_BOTTOM : 0) |
                        (settings.size_grip ? SBARS_SIZEGRIP : 0) |
                        (settings.part_tips ? SBT_TOOLTIPS : 0);
    const HWND bar = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, style, 0, 0, 0, 0, window_,
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!bar) {
        return nullptr;
    }
    SendMessageW(bar, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    const std::array<int, 3> edges = status_part_right_edges(settings);
    SendMessageW(bar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (std::size_t i = 0; i < settings.parts.size(); ++i) {
        SendMessageW(bar, SB_SETTEXTW, i,
                     reinterpret_cast<LPARAM>(widen(settings.parts[i].initial_text).c_str()));
    }
    return bar;
}

HWND MainWindow::create_toolbar(const Form& form) {
    const ToolbarSettings& settings = form.toolbar;
    const DWORD style =
        WS_CHILD | WS_CLIPSIBLINGS | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY |
        (settings.divider ? 0 : CCS_NODIVIDER) | (settings.flat ? TBSTYLE_FLAT : 0) |
        (settings.text_right_of_image ? TBSTYLE_LIST : 0) |
        (settings.wrapable ? TBSTYLE_WRAPABLE : 0) | (settings.tool_tips ? TBSTYLE_TOOLTIPS : 0);
    const HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, style, 0, 0, 0, 0, window_,
                                         nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!toolbar) {
        return nullptr;
    }
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    if (settings.drop_down_arrows) {
        SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    }
    SendMessageW(toolbar, TB_SETINDENT, settings.indent, 0);
    LOGFONTW font{};
    font.lfHeight = -settings.font_height_px;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = PROOF_QUALITY;
    toolbar_font_ = CreateFontIndirectW(&font);
    SendMessageW(toolbar, WM_SETFONT, reinterpret_cast<WPARAM>(toolbar_font_), FALSE);
    toolbar_images_ = load_toolbar_images(GetModuleHandleW(nullptr), settings);
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbar_images_));
    toolbar_background_ = CreateSolidBrush(colour_of(settings.background));

    std::vector<std::wstring> texts;
    texts.reserve(settings.buttons.size());
    std::vector<TBBUTTON> buttons;
    for (const ToolbarButton& record : settings.buttons) {
        texts.push_back(widen(record.text));
        TBBUTTON button{};
        button.iBitmap = record.image ? *record.image : I_IMAGENONE;
        button.idCommand = record.command_id;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
        button.iString = reinterpret_cast<INT_PTR>(texts.back().c_str());
        buttons.push_back(button);
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    // The hand pointer over the whole toolbar.
    SetPropW(toolbar, kOwnerProperty, this);
    toolbar_default_procedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        toolbar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWindow::toolbar_procedure)));
    return toolbar;
}

void MainWindow::show() {
    if (window_) {
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
    }
}

int MainWindow::run_message_loop() {
    if (!window_) {
        return 0;
    }
    loop_running_ = true;
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (pre_translate(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    loop_running_ = false;
    return static_cast<int>(message.wParam);
}

void MainWindow::close() {
    if (window_) {
        SendMessageW(window_, WM_CLOSE, 0, 0);
    }
}

void MainWindow::destroy() {
    if (window_) {
        DestroyWindow(window_);
    }
}

void MainWindow::post_close_message() {
    if (window_) {
        PostMessageW(window_, kCloseRequestMessage, 0, 0);
    }
}

Size MainWindow::outer_size() const {
    RECT outer{};
    GetWindowRect(window_, &outer);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

Size MainWindow::client_size() const {
    RECT client{};
    GetClientRect(window_, &client);
    return {client.right, client.bottom};
}

Rect MainWindow::control_rect(ControlId id) const {
    RECT place{};
    GetWindowRect(control(id), &place);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
    return {place.left, place.top, place.right - place.left, place.bottom - place.top};
}

void MainWindow::place_control(ControlId id, const Rect& place) {
    SetWindowPos(control(id), nullptr, place.left, place.top, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string MainWindow::text(ControlId id) const {
    const HWND box = control(id);
    const int length = GetWindowTextLengthW(box);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(box, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return narrow(text);
}

void MainWindow::set_text_silently(ControlId id, const std::string& text) {
    // The edit box raises EN_CHANGE before SetWindowTextW returns; that one is ours.
    writing_silently_ = true;
    SetWindowTextW(control(id), widen(text).c_str());
    writing_silently_ = false;
}

void MainWindow::set_status_part_text(int part, const std::string& text) {
    SendMessageW(control(ControlId::status_bar), SB_SETTEXTW, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(widen(text).c_str()));
}

void MainWindow::apply_stacking(std::span<const ControlId> top_to_bottom) {
    HWND above = HWND_TOP;
    for (ControlId id : top_to_bottom) {
        SetWindowPos(control(id), above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = control(id);
    }
}

void MainWindow::set_focus(ControlId id) {
    SetFocus(control(id));
}

std::optional<ControlId> MainWindow::control_of(HWND window) const {
    // The window itself or its parent; anything deeper (the browser's page) matches nothing.
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (window && (controls_[i] == window || controls_[i] == GetParent(window))) {
            return static_cast<ControlId>(i);
        }
    }
    return std::nullopt;
}

bool MainWindow::pre_translate(const MSG& message) {
    if (!events_ || !window_ || (message.hwnd != window_ && !IsChild(window_, message.hwnd))) {
        return false;
    }
    if (message.message == WM_KEYDOWN) {
        Modifiers modifiers;
        modifiers.ctrl = key_down(VK_CONTROL);
        modifiers.shift = key_down(VK_SHIFT);
        modifiers.alt = key_down(VK_MENU);
        const std::optional<ControlId> focused = control_of(GetFocus());
        return guarded(false, [&] {
            return events_->on_key_down(key_of(message.wParam), modifiers, focused);
        });
    }
    if (message.message == WM_LBUTTONDOWN && message.hwnd == control(ControlId::hint_box) &&
        form_->has_binding(ControlId::hint_box, FormEvent::left_button_pressed)) {
        const int modifiers = ((message.wParam & MK_CONTROL) ? kMouseCtrl : 0) |
                              ((message.wParam & MK_SHIFT) ? kMouseShift : 0) |
                              (key_down(VK_MENU) ? kMouseAlt : 0);
        const std::optional<bool> go_on = guarded(std::optional<bool>{}, [&] {
            return events_->on_hint_box_pressed(GET_X_LPARAM(message.lParam),
                                                GET_Y_LPARAM(message.lParam), modifiers);
        });
        return !go_on.value_or(true);
    }
    return false;
}

LRESULT MainWindow::handle_notify(const NMHDR& header) {
    if (header.hwndFrom == control(ControlId::toolbar) && header.code == NM_CUSTOMDRAW) {
        const auto& draw = reinterpret_cast<const NMTBCUSTOMDRAW&>(header);
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
            FillRect(draw.nmcd.hdc, &draw.nmcd.rc, toolbar_background_);
        }
        return CDRF_DODEFAULT;
    }
    if (header.code == TTN_GETDISPINFOW) {
        // Tips come from the form: only buttons with a tip show one.
        auto& tip = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
        static std::wstring text;
        text.clear();
        for (const ToolbarButton& button : form_->toolbar.buttons) {
            if (static_cast<UINT_PTR>(button.command_id) == header.idFrom) {
                text = widen(toolbar_tip_text(button.tip, form_->toolbar.tip_limit_bytes));
            }
        }
        tip.lpszText = text.data();
        return 0;
    }
    return 0;
}

LRESULT MainWindow::handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SIZE:
            if (events_ && form_->has_binding(std::nullopt, FormEvent::size_changed)) {
                guarded([&] { events_->on_size_changed(); });
            }
            return 0;
        case WM_COMMAND: {
            const HWND from = reinterpret_cast<HWND>(lparam);
            if (!events_) {
                return 0;
            }
            if (from == control(ControlId::toolbar) &&
                form_->has_binding(ControlId::toolbar, FormEvent::toolbar_clicked)) {
                const int index = static_cast<int>(LOWORD(wparam)) - kFirstButtonCommand;
                guarded([&] { events_->on_toolbar_clicked(index); });
            } else if (from == control(ControlId::code_box) && HIWORD(wparam) == EN_CHANGE &&
                       !writing_silently_ &&
                       form_->has_binding(ControlId::code_box, FormEvent::text_changed)) {
                guarded([&] { events_->on_code_text_changed(); });
            }
            return 0;
        }
        case WM_NOTIFY:
            return handle_notify(*reinterpret_cast<const NMHDR*>(lparam));
        case WM_CTLCOLOREDIT: {
            // Both edit boxes: white text on black.
            const HDC context = reinterpret_cast<HDC>(wparam);
            SetTextColor(context, colour_of(form_->edit_boxes.text_colour));
            SetBkColor(context, colour_of(form_->edit_boxes.background_colour));
            return reinterpret_cast<LRESULT>(edit_background_);
        }
        case WM_ACTIVATE:
            if (LOWORD(wparam) == WA_INACTIVE) {
                remembered_focus_ = GetFocus();
            } else if (HWND focus = GetFocus(); focus && IsChild(window_, focus)) {
                remembered_focus_ = focus;  // set while the window was hidden
            }
            break;
        case WM_SETFOCUS:
            if (remembered_focus_ && IsWindow(remembered_focus_) &&
                IsChild(window_, remembered_focus_)) {
                SetFocus(remembered_focus_);
            } else if (events_) {
                set_focus(guarded(ControlId::code_box,
                                  [&] { return events_->on_window_focused(std::nullopt); }));
            }
            remembered_focus_ = nullptr;
            return 0;
        case kCloseRequestMessage:
            if (events_) {
                guarded([&] { events_->on_close_message(); });
            }
            return 0;
        case WM_DESTROY:
            window_ = nullptr;
            controls_.fill(nullptr);
            if (loop_running_) {
                PostQuitMessage(0);
            }
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wparam, lparam);
}

LRESULT CALLBACK MainWindow::window_procedure(HWND window, UINT message, WPARAM wparam,
                                              LPARAM lparam) {
    auto* self = window_owner<MainWindow>(window, message, lparam);
    if (self && message == WM_NCCREATE) {
        self->window_ = window;
    }
    if (!self || !self->window_) {
        return DefWindowProcW(window, message, wparam, lparam);
    }
    return self->handle(message, wparam, lparam);
}

LRESULT CALLBACK MainWindow::timer_procedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
    auto* self = window_owner<MainWindow>(window, message, lparam);
    if (self && message == WM_TIMER && self->events_ &&
        self->form_->has_binding(ControlId::clock_timer, FormEvent::tick)) {
        guarded([&] { self->events_->on_clock_tick(); });
        return 0;
    }
    if (self && message == WM_DESTROY) {
        KillTimer(window, static_cast<UINT_PTR>(self->form_->timer.timer_id));
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK MainWindow::toolbar_procedure(HWND window, UINT message, WPARAM wparam,
                                               LPARAM lparam) {
    auto* self = static_cast<MainWindow*>(GetPropW(window, kOwnerProperty));
    if (message == WM_NCDESTROY) {
        RemovePropW(window, kOwnerProperty);
    }
    if (message == WM_SETCURSOR && LOWORD(lparam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    return CallWindowProcW(self->toolbar_default_procedure_, window, message, wparam, lparam);
}

}  // namespace zivmora::win32
