// The baseline for the start-up benchmark: a bare GTK window with one WebKit view that loads
// the address it is given, nothing else.

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

int main(int argc, char** argv) {
    if (argc != 2 || !gtk_init_check(nullptr, nullptr)) {
        return 2;
    }
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "bare-webkit-window");
    gtk_window_set_default_size(GTK_WINDOW(window), 723, 546);
    WebKitWebContext* context = webkit_web_context_new_ephemeral();
    GtkWidget* view = webkit_web_view_new_with_context(context);
    g_object_unref(context);
    gtk_container_add(GTK_CONTAINER(window), view);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    webkit_web_view_load_uri(WEBKIT_WEB_VIEW(view), argv[1]);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
