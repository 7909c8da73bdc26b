#include "platform/gtk/gtk_shell.hpp"

#include <gtk/gtk.h>
#include <unistd.h>

#include "platform/linux/desktop_entry.hpp"

namespace zivmora::gtk {

std::string icon_beside(const std::string& executable) {
    const std::size_t slash = executable.rfind('/');
    const std::string icon =
        (slash == std::string::npos ? std::string() : executable.substr(0, slash + 1)) +
        "zivmora.svg";
    return linux_platform::entry_exists(icon) ? icon : std::string();
}

std::string GtkShell::program_path() const {
    return linux_platform::own_executable_path();
}

void GtkShell::set_current_directory(const std::string& directory) {
    if (!directory.empty() && ::chdir(directory.c_str()) != 0) {
        // Nothing depends on the current directory; a failure is not worth a message.
    }
}

std::string GtkShell::desktop_folder() const {
    // The XDG desktop directory (user-dirs.dirs), or ~/Desktop when none is configured.
    const char* folder = g_get_user_special_dir(G_USER_DIRECTORY_DESKTOP);
    return folder ? folder : "";
}

bool GtkShell::entry_exists(const std::string& path) const {
    return linux_platform::entry_exists(path);
}

bool GtkShell::create_shortcut(const std::string& shortcut_path, const std::string& target) {
    return linux_platform::write_desktop_entry(shortcut_path, target, icon_beside(target));
}

ButtonCode GtkShell::message_box(const std::string& message, const std::string& title,
                                 unsigned style) {
    const bool ok_cancel = (style & 0xF) == message_box_style::kOkCancel;
    const GtkMessageType type =
        (style & message_box_style::kIconError) ? GTK_MESSAGE_ERROR : GTK_MESSAGE_OTHER;
    // Modal without an owner: while it is open no other window of the program takes input,
    // but timers (the clock) keep running.
    GtkWidget* box = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, type,
                                            ok_cancel ? GTK_BUTTONS_OK_CANCEL : GTK_BUTTONS_OK,
                                            "%s", message.c_str());
    gtk_window_set_title(GTK_WINDOW(box), title.c_str());
    gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER);
    gtk_window_set_keep_above(GTK_WINDOW(box), (style & message_box_style::kTopmost) != 0);
    gtk_dialog_set_default_response(GTK_DIALOG(box), GTK_RESPONSE_OK);
    const int response = gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    // Esc and the close box answer GTK_RESPONSE_DELETE_EVENT: Cancel.
    return response == GTK_RESPONSE_OK ? ButtonCode::ok : ButtonCode::cancel;
}

void GtkShell::open_address(const std::string& address) {
    // Starts the default browser and returns at once; a failure is not reported.
    GError* error = nullptr;
    if (!g_app_info_launch_default_for_uri(address.c_str(), nullptr, &error)) {
        g_clear_error(&error);
    }
}

}  // namespace zivmora::gtk
