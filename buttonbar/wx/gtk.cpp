#include "wx/gtk.hpp"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <wx/app.h>
#include <wx/menu.h>
#include <wx/window.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <atomic>
#include <cstdlib>
#include <memory>

namespace dok {
namespace {

constexpr const char* kStyle =
    ".dok-bar button { padding: 0 4px; min-height: 0; min-width: 0; }\n"
    ".dok-bar entry { min-height: 0; padding: 0 2px; }\n"
    ".dok-bar combobox button { padding: 0 2px; min-height: 0; min-width: 0; }\n"
    ".dok-bar check, .dok-bar radio { min-width: 10px; min-height: 10px; margin: 0 4px 0 0; }\n"
    ".dok-bar scrollbar slider { min-width: 6px; min-height: 6px; }\n"
    ".dok-bar scrollbar button { min-width: 0; min-height: 0; padding: 0; }\n"
    ".dok-bar scrollbar { padding: 0; }\n"
    ".dok-bar treeview { -GtkTreeView-expander-size: 8; -GtkTreeView-vertical-separator: 0; }\n"

    ".dok-bar checkbutton, .dok-bar radiobutton { padding: 0; }\n"
    "tooltip, tooltip.background { background-color: rgb(128,255,255); background-image: none;"
    " border: 1px solid rgb(0,0,0); border-radius: 0; padding: 1px 2px; }\n"
    "tooltip label { color: rgb(0,0,0); }\n";

std::atomic<uint64_t> g_input_events{0};

int g_xinput_opcode = -1;

// Sees every X event as it is read from the server, before GDK queues it.
GdkFilterReturn count_releases(GdkXEvent* raw, GdkEvent*, gpointer) {
    const XEvent* e = static_cast<const XEvent*>(raw);
    bool counted = false;
    if (e->type == GenericEvent && e->xcookie.extension == g_xinput_opcode)
        counted = e->xcookie.evtype == XI_KeyRelease || e->xcookie.evtype == XI_ButtonRelease;
    else if (e->type == KeyRelease || e->type == ButtonRelease)
        counted = true;
    if (counted) ++g_input_events;
    return GDK_FILTER_CONTINUE;
}

// '&' marks the shortcut for the toolkit, '_' for GTK.
std::string gtk_mnemonic(const std::string& label) {
    std::string out;
    for (size_t i = 0; i < label.size(); ++i) {
        char c = label[i];
        if (c == '&' && i + 1 < label.size() && label[i + 1] == '&') {
            out += '&';
            ++i;
        } else if (c == '&') {
            out += '_';
        } else if (c == '_') {
            out += "__";
        } else {
            out += c;
        }
    }
    return out;
}

GtkWidget* find_menu_bar(GtkWidget* w) {
    if (!w) return nullptr;
    if (GTK_IS_MENU_BAR(w)) return w;
    if (!GTK_IS_CONTAINER(w)) return nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(w));
    GtkWidget* found = nullptr;
    for (GList* i = children; i && !found; i = i->next) found = find_menu_bar(GTK_WIDGET(i->data));
    g_list_free(children);
    return found;
}

// Set on a tree view while it takes the keyboard focus.
constexpr const char* kTakingFocus = "dok-taking-focus";

void mark_taking_focus(GtkWidget* view, bool on) {
    g_object_set_data(G_OBJECT(view), kTakingFocus, GINT_TO_POINTER(on));
}

gboolean selectable(GtkTreeSelection*, GtkTreeModel*, GtkTreePath*, gboolean selected, gpointer view) {
    return selected || !g_object_get_data(G_OBJECT(view), kTakingFocus);
}

GtkWidget* button_label(wxWindow* button) {
    GtkWidget* child = button ? gtk_bin_get_child(GTK_BIN(button->GetHandle())) : nullptr;
    return child && GTK_IS_LABEL(child) ? child : nullptr;
}

}  // namespace

bool display_available(std::string& error) {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* name = std::getenv("DISPLAY");
    if ((name && *name) || (wayland && *wayland)) return true;
    error = "no display to open a window on (DISPLAY is not set)";
    return false;
}

void quiet_toolkit_reports() {
    // Controls that the layout makes smaller than the theme's least size
    // draw clipped; GTK would report each measurement of them.
    wxApp::GTKSuppressDiagnostics(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_CRITICAL);
}

void fit_scroll_bars(wxWindow* list, int height) {
    GtkWidget* w = list->GetHandle();
    if (!w || !GTK_IS_SCROLLED_WINDOW(w)) return;
    // A list lower than a scroll bar can be has none; none scrolls sideways.
    GtkPolicyType vertical;
    gtk_scrolled_window_get_policy(GTK_SCROLLED_WINDOW(w), nullptr, &vertical);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(w), GTK_POLICY_NEVER, height < 40 ? GTK_POLICY_NEVER : vertical);
    gtk_scrolled_window_set_overlay_scrolling(GTK_SCROLLED_WINDOW(w), FALSE);
}

void keep_selection_on_focus(wxWindow* list) {
    GtkWidget* w = list->GetHandle();
    GtkWidget* view = w && GTK_IS_SCROLLED_WINDOW(w) ? gtk_bin_get_child(GTK_BIN(w)) : nullptr;
    if (!view || !GTK_IS_TREE_VIEW(view)) return;
    // Taking the focus, a tree view without a cursor puts it on the first
    // row and selects that row: the selection refuses rows meanwhile.
    GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(view));
    gtk_tree_selection_set_select_function(selection, selectable, view, nullptr);
    auto taking = +[](GtkWidget* v, gpointer) { mark_taking_focus(v, true); };
    auto taken = +[](GtkWidget* v, gpointer) { mark_taking_focus(v, false); };
    g_signal_connect(view, "grab-focus", G_CALLBACK(taking), nullptr);
    g_signal_connect_after(view, "grab-focus", G_CALLBACK(taken), nullptr);
}

void install_window_style() {
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, kStyle, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(css);
}

void mark_bar(wxWindow* window) {
    gtk_style_context_add_class(gtk_widget_get_style_context(window->GetHandle()), "dok-bar");
}

void add_bar_item(wxMenuBar* bar, const std::string& label, int position, bool right,
                  std::function<void()> activate) {
    GtkWidget* shell = find_menu_bar(bar->GetHandle());
    if (!shell) return;
    GtkWidget* item = gtk_menu_item_new_with_mnemonic(gtk_mnemonic(label).c_str());
    if (right) {
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        gtk_menu_item_set_right_justified(GTK_MENU_ITEM(item), TRUE);
        G_GNUC_END_IGNORE_DEPRECATIONS
    }
    auto* call = new std::function<void()>(std::move(activate));
    g_signal_connect_data(
        item, "activate", G_CALLBACK(+[](GtkMenuItem*, gpointer data) { (*static_cast<std::function<void()>*>(data))(); }),
        call, +[](gpointer data, GClosure*) { delete static_cast<std::function<void()>*>(data); }, GConnectFlags(0));
    gtk_menu_shell_insert(GTK_MENU_SHELL(shell), item, position);
    gtk_widget_show(item);
}

void clear_focus(wxWindow* window) {
    GtkWidget* w = window->GetHandle();
    if (w && GTK_IS_WINDOW(w)) gtk_window_set_focus(GTK_WINDOW(w), nullptr);
}

void present_window(wxWindow* window) {
    GtkWidget* w = window->GetHandle();
    if (!w || !GTK_IS_WINDOW(w)) return;
    GdkWindow* g = gtk_widget_get_window(w);
    guint32 stamp = g && GDK_IS_X11_WINDOW(g) ? gdk_x11_get_server_time(g) : GDK_CURRENT_TIME;
    gtk_window_deiconify(GTK_WINDOW(w));
    gtk_window_present_with_time(GTK_WINDOW(w), stamp);
}

unsigned long x_window_of(wxWindow* window) {
    GtkWidget* w = window ? window->GetHandle() : nullptr;
    GdkWindow* g = w ? gtk_widget_get_window(w) : nullptr;
    return g && GDK_IS_X11_WINDOW(g) ? GDK_WINDOW_XID(g) : 0;
}

bool is_mapped(wxWindow* window) {
    GtkWidget* w = window ? window->GetHandle() : nullptr;
    GdkWindow* g = w ? gtk_widget_get_window(w) : nullptr;
    return g && gdk_window_is_viewable(g);
}

void wrap_label(wxWindow* button) {
    if (GtkWidget* label = button_label(button)) gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
}

void label_on_left(wxWindow* button) { gtk_widget_set_direction(button->GetHandle(), GTK_TEXT_DIR_RTL); }

void count_input_events() {
    static bool installed = false;
    GdkDisplay* display = gdk_display_get_default();
    if (installed || !display || !GDK_IS_X11_DISPLAY(display)) return;
    installed = true;
    Display* x = GDK_DISPLAY_XDISPLAY(display);
    int event, error;
    if (!XQueryExtension(x, "XInputExtension", &g_xinput_opcode, &event, &error)) g_xinput_opcode = -1;
    gdk_window_add_filter(nullptr, count_releases, nullptr);
}

void count_close_request() { ++g_input_events; }

uint64_t input_events_seen() { return g_input_events.load(); }

}  // namespace dok
