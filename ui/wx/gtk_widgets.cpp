#include "ui/wx/gtk_widgets.h"

#include <gtk/gtk.h>

#include <vector>

namespace canopex {
namespace {

bool IsUserInput(GdkEventType type) {
  switch (type) {
    case GDK_MOTION_NOTIFY:
    case GDK_BUTTON_PRESS:
    case GDK_2BUTTON_PRESS:
    case GDK_3BUTTON_PRESS:
    case GDK_BUTTON_RELEASE:
    case GDK_KEY_PRESS:
    case GDK_KEY_RELEASE:
    case GDK_SCROLL:
    case GDK_TOUCH_BEGIN:
    case GDK_TOUCH_UPDATE:
    case GDK_TOUCH_END:
    case GDK_TOUCH_CANCEL:
    case GDK_TOUCHPAD_SWIPE:
    case GDK_TOUCHPAD_PINCH:
      return true;
    default:
      return false;
  }
}

// The average width of a character of the widget's font, as Windows
// measures it: the letters A to Z and a to z, halved and rounded.
int AverageCharacterWidth(GtkWidget* widget) {
  PangoLayout* layout =
      gtk_widget_create_pango_layout(widget, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  int width = 0, height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  g_object_unref(layout);
  return (width / 26 + 1) / 2;
}

// GtkLabel keeps no tab stops of its own and makes its layout anew when its
// text, size or font changes: before each drawing, a layout without stops
// gets the label's stops, measured in its font at its first drawing.
gboolean SetTabStopsBeforeDrawing(GtkWidget* widget, cairo_t*, gpointer) {
  constexpr char kKey[] = "canopex-tab-stops";
  auto* tabs = static_cast<PangoTabArray*>(g_object_get_data(G_OBJECT(widget), kKey));
  if (tabs == nullptr) {
    constexpr int kStops = 32, kCharactersPerStop = 8;
    const int step = kCharactersPerStop * AverageCharacterWidth(widget);
    tabs = pango_tab_array_new(kStops, TRUE);
    for (int i = 0; i < kStops; ++i) pango_tab_array_set_tab(tabs, i, PANGO_TAB_LEFT, (i + 1) * step);
    g_object_set_data_full(G_OBJECT(widget), kKey, tabs,
                           [](gpointer data) { pango_tab_array_free(static_cast<PangoTabArray*>(data)); });
  }
  PangoLayout* layout = gtk_label_get_layout(GTK_LABEL(widget));
  // Setting stops lays the text out again: only where they are missing.
  if (PangoTabArray* set = pango_layout_get_tabs(layout)) {
    pango_tab_array_free(set);
  } else {
    pango_layout_set_tabs(layout, tabs);
  }
  return FALSE;
}

}  // namespace

void UseWindowsTabStops(wxStaticText& label) {
  GtkWidget* widget = label.GetHandle();
  if (widget == nullptr || !GTK_IS_LABEL(widget)) return;
  g_signal_connect(widget, "draw", G_CALLBACK(SetTabStopsBeforeDrawing), nullptr);
}

void DropQueuedUserInput() {
  GdkDisplay* display = gdk_display_get_default();
  if (display == nullptr) return;
  // gdk_display_get_event also reads what the display connection holds.
  std::vector<GdkEvent*> kept;
  while (GdkEvent* event = gdk_display_get_event(display)) {
    if (IsUserInput(event->type)) {
      gdk_event_free(event);
    } else {
      kept.push_back(event);
    }
  }
  for (GdkEvent* event : kept) {
    gdk_display_put_event(display, event);
    gdk_event_free(event);
  }
}

void WrapLabelWords(wxStaticText& label) {
  GtkWidget* widget = label.GetHandle();
  if (widget == nullptr || !GTK_IS_LABEL(widget)) return;
  gtk_label_set_line_wrap(GTK_LABEL(widget), TRUE);
  gtk_label_set_line_wrap_mode(GTK_LABEL(widget), PANGO_WRAP_WORD_CHAR);
}

bool TextFitsItsBox(wxWindow& control) {
  GtkWidget* widget = control.GetHandle();
  if (widget == nullptr) return true;
  const wxSize size = control.GetSize();
  int minimum = 0, natural = 0;
  if (GTK_IS_LABEL(widget)) {
    gtk_widget_get_preferred_width(widget, &minimum, &natural);
    if (minimum > size.x) return false;
    gtk_widget_get_preferred_height_for_width(widget, size.x, &minimum, &natural);
    return natural <= size.y;
  }
  if (GTK_IS_BUTTON(widget)) {
    gtk_widget_get_preferred_width(widget, &minimum, &natural);
    return natural <= size.x;
  }
  return true;
}

void AdaptFolderChooser(wxDirDialog& dialog, const std::string& hint,
                        const std::string& accept_label) {
  GtkWidget* widget = dialog.GetHandle();
  if (widget == nullptr || !GTK_IS_FILE_CHOOSER_DIALOG(widget)) return;
  GtkWidget* accept = gtk_dialog_get_widget_for_response(GTK_DIALOG(widget), GTK_RESPONSE_ACCEPT);
  if (accept != nullptr && GTK_IS_BUTTON(accept)) {
    gtk_button_set_label(GTK_BUTTON(accept), accept_label.c_str());
    gtk_button_set_use_underline(GTK_BUTTON(accept), TRUE);
  }
  // The chooser owns the label from here on.
  GtkWidget* hint_label = gtk_label_new(hint.c_str());
  gtk_label_set_xalign(GTK_LABEL(hint_label), 0.0F);
  gtk_widget_show(hint_label);
  gtk_file_chooser_set_extra_widget(GTK_FILE_CHOOSER(widget), hint_label);
}

}  // namespace canopex
