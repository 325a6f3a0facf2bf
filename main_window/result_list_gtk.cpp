// The table on GTK: a tree view over a virtual list model, which screen
// readers see as a table with column headers and cells.

#include <gtk/gtk.h>

#include "result_list.h"

// Asks the list for each cell as GTK draws it or a screen reader reads it.
class ResultList::Model : public wxDataViewVirtualListModel {
  public:
    explicit Model(ResultList& list) : list_(list) {}

    void GetValueByRow(wxVariant& value, unsigned row, unsigned column) const override {
        value = list_.CellText(row, column);
    }
    bool SetValueByRow(const wxVariant&, unsigned, unsigned) override { return false; }
    unsigned GetCount() const override { return static_cast<unsigned>(list_.shown_); }

    // A new row count, with the view built anew over it. Reset() would tell
    // GTK of every row one by one: 32,767 signals for a full file.
    void ShowRows(std::size_t count) {
        BeforeReset();
        list_.shown_ = count;
        AfterReset();
    }

  private:
    ResultList& list_;
};

namespace {

GtkTreeViewColumn* GtkColumn(const wxDataViewColumn& column) {
    return GTK_TREE_VIEW_COLUMN(column.GetGtkHandle());
}

// A cell too narrow for its number shows it whole on hover, as a native list
// does with a cut-off label.
gboolean OnQueryTooltip(GtkWidget* widget, gint x, gint y, gboolean keyboard, GtkTooltip* tooltip,
                        gpointer data) {
    auto* tree = GTK_TREE_VIEW(widget);
    GtkTreeModel* model = nullptr;
    GtkTreePath* path = nullptr;
    if (!gtk_tree_view_get_tooltip_context(tree, &x, &y, keyboard, &model, &path, nullptr)) {
        return FALSE;
    }
    // x and y are the bin window's now.
    GtkTreeViewColumn* column = nullptr;
    gtk_tree_view_get_path_at_pos(tree, x, y, nullptr, &column, nullptr, nullptr);
    const auto& list = *static_cast<const ResultList*>(data);
    gboolean shown = FALSE;
    for (unsigned index = 0; column != nullptr && index < list.GetColumnCount(); ++index) {
        const wxDataViewColumn& candidate = *list.GetColumn(index);
        if (GtkColumn(candidate) != column) {
            continue;
        }
        const wxString text =
            list.CellText(static_cast<std::size_t>(gtk_tree_path_get_indices(path)[0]),
                          candidate.GetModelColumn());
        PangoLayout* layout = gtk_widget_create_pango_layout(widget, text.utf8_str());
        int width = 0;
        pango_layout_get_pixel_size(layout, &width, nullptr);
        g_object_unref(layout);
        GdkRectangle cell;
        gtk_tree_view_get_cell_area(tree, path, column, &cell);
        if (width > cell.width) {
            gtk_tooltip_set_text(tooltip, text.utf8_str());
            gtk_tree_view_set_tooltip_cell(tree, tooltip, path, column, nullptr);
            shown = TRUE;
        }
    }
    gtk_tree_path_free(path);
    return shown;
}

// One line of the table's font high: with every cell of a fixed size, GTK
// lays out each shown number's text only to draw it, not once more to
// measure it first. One pixel wide, the least GTK does not take for an empty
// cell; whatever its width, the cell fills its column.
void FixCellSize(GtkCellRenderer* cell, GtkWidget* tree) {
    PangoFontMetrics* metrics =
        pango_context_get_metrics(gtk_widget_get_pango_context(tree), nullptr, nullptr);
    const int line = PANGO_PIXELS(pango_font_metrics_get_ascent(metrics) +
                                  pango_font_metrics_get_descent(metrics));
    pango_font_metrics_unref(metrics);
    int padding = 0;
    gtk_cell_renderer_get_padding(cell, nullptr, &padding);
    gtk_cell_renderer_set_fixed_size(cell, 1, line + 2 * padding);
}

}  // namespace

ResultList::ResultList(wxWindow* parent, const wxString& name)
    : wxDataViewCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxDV_MULTIPLE,
                     wxDefaultValidator, name),
      model_(new Model(*this)) {
    AssociateModel(model_.get());
    // The table inside takes the focus, and so the label (GetConnectWidget).
    gtk_widget_set_can_focus(m_widget, FALSE);
    GtkWidget* tree = GtkGetTreeView();
    gtk_widget_set_has_tooltip(tree, TRUE);
    g_signal_connect(tree, "query-tooltip", G_CALLBACK(OnQueryTooltip), this);
}

void ResultList::InsertHeading(int index, const wxString& heading, int width) {
    auto* renderer = new wxDataViewTextRenderer("string", wxDATAVIEW_CELL_INERT);
    auto* column = new wxDataViewColumn(heading, renderer, static_cast<unsigned>(index), width,
                                        wxALIGN_LEFT, wxDATAVIEW_COL_RESIZABLE);
    FixCellSize(renderer->GetGtkHandle(), GtkGetTreeView());
    InsertColumn(static_cast<unsigned>(index), column);
    // A heading wider than its column is cut off; the whole of it shows on
    // hover.
    gtk_widget_set_tooltip_text(gtk_tree_view_column_get_button(GtkColumn(*column)),
                                heading.utf8_str());
}

void ResultList::RemoveAllHeadings() {
    ClearColumns();
}

GtkWidget* ResultList::GetConnectWidget() {
    return GtkGetTreeView();
}

void ResultList::ShowAppendedRows() {
    if (ShownRows() != StoredRows()) {
        model_->ShowRows(StoredRows());
        // wxWidgets redraws the rebuilt view and makes new headings clickable
        // when next idle, which comes after GTK's frame has drawn the rows: a
        // second layout and repaint of the whole table a frame later. Done
        // now, they join the first frame. Update() is not called: it would
        // paint before GTK has laid the new rows out, then paint again.
        OnInternalIdle();
    }
}

void ResultList::RemoveAllRows() {
    ForgetRows();
    model_->ShowRows(0);
}

int ResultList::HeadingCount() const {
    return static_cast<int>(GetColumnCount());
}

wxString ResultList::Heading(int index) const {
    return GetColumn(static_cast<unsigned>(index))->GetTitle();
}

int ResultList::HeadingWidth(int index) const {
    // As set: GTK reports the width drawn only once it has laid the view out.
    return gtk_tree_view_column_get_fixed_width(
        GtkColumn(*GetColumn(static_cast<unsigned>(index))));
}

void ResultList::RefreshRow(std::size_t row) {
    model_->RowChanged(static_cast<unsigned>(row));
}

std::vector<std::size_t> ResultList::SelectedRows() const {
    wxDataViewItemArray items;
    GetSelections(items);
    std::vector<std::size_t> rows;
    rows.reserve(items.size());
    for (const wxDataViewItem& item : items) {
        rows.push_back(model_->GetRow(item));
    }
    return rows;
}

void ResultList::SelectAllRows() {
    SelectAll();
}
