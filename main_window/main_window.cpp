#include "main_window.h"

#include <algorithm>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/display.h>
#include <wx/dnd.h>
#include <wx/filename.h>
#include <wx/iconbndl.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uilocale.h>
#ifdef __WXGTK__
#include <wx/generic/msgdlgg.h>
#endif

#ifdef __WXMSW__
#include <wx/msw/wrapwin.h>
#endif
#ifdef DUVORA_EMBEDDED_ICON
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/mstream.h>

#include "icon_data.h"
#endif

#include "layout.h"
#include "result_list.h"
#include "table_copy.h"
#include "test_controller.h"

namespace {

// What the layout's rounding of every other edge would not: no control
// follows a resize, so the window has none.
constexpr long kFrameStyle = wxDEFAULT_FRAME_STYLE & ~(wxRESIZE_BORDER | wxMAXIMIZE_BOX);

#ifdef __WXGTK__
// GTK 3's message dialog drops its icon; the generic one shows the warning
// sign, as the native box does on Windows.
using WarningBox = wxGenericMessageDialog;
#else
using WarningBox = wxMessageDialog;
#endif

// A file dropped on the window loads as one given to the program; of
// several, the first. It loads once the drop is over, so that the file
// manager that sent it need not wait.
class DataFileDrop : public wxFileDropTarget {
  public:
    explicit DataFileDrop(frmduvora& window) : window_(window) {}
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) override {
        if (files.empty()) {
            return false;
        }
        window_.CallAfter([&window = window_, file = files[0]] { window.InputDataFile(file); });
        return true;
    }

  private:
    frmduvora& window_;
};

// The name the reader opens, as the file system stores it.
std::string FileSystemName(const wxString& path) {
#ifdef _WIN32
    return std::string(path.utf8_str());
#else
    return std::string(path.fn_str());
#endif
}

double DefaultFontScale(const wxWindow& window) {
    const wxString alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const wxSize extent = window.ToDIP(window.GetTextExtent(alphabet));
    return layout::FontScale(extent.x / static_cast<double>(alphabet.length()), extent.y);
}

// The display the window opens on, less its panels and docks.
wxRect WorkArea(const wxWindow& window) {
    return wxDisplay(&window).GetClientArea();
}

// The frame's edges in DIPs. With more than one pixel to a DIP they may be a
// fraction of a DIP wider than whole DIPs say (on GTK, 21 pixels are 10 DIPs).
wxSize FrameEdges(const wxWindow& frame, wxSize edges) {
    wxSize dips = frame.ToDIP(edges);
    if (frame.GetContentScaleFactor() > 1) {
        dips += wxSize(1, 1);
    }
    return dips;
}

// The icon of the window and of its taskbar entry.
wxIconBundle ProgramIcons() {
    wxIconBundle icons;
#if defined(__WXMSW__)
    // From the program's resources; an executable without them (a test's)
    // keeps the system's default icon.
    if (::FindResource(::GetModuleHandle(nullptr), TEXT("DUVORA"), RT_GROUP_ICON) != nullptr) {
        for (const int metric : {SM_CXSMICON, SM_CXICON}) {
            const int size = ::GetSystemMetrics(metric);
            icons.AddIcon(wxIcon("duvora", wxBITMAP_TYPE_ICO_RESOURCE, size, size));
        }
    }
#elif defined(DUVORA_EMBEDDED_ICON)
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) {
        wxImage::AddHandler(new wxPNGHandler);
    }
    for (const EmbeddedPng& png : kIconPngs) {
        wxMemoryInputStream stream(png.data, png.size);
        const wxImage image(stream, wxBITMAP_TYPE_PNG);
        if (image.IsOk()) {
            wxIcon icon;
            icon.CopyFromBitmap(wxBitmap(image));
            icons.AddIcon(icon);
        }
    }
#endif
    return icons;
}

void SetProgramIcons(wxTopLevelWindow& window) {
    if (const wxIconBundle icons = ProgramIcons(); !icons.IsEmpty()) {
        window.SetIcons(icons);
    }
}

}  // namespace

frmduvora::frmduvora(Options options)
    : wxFrame(nullptr, wxID_ANY, "Duvora", wxDefaultPosition, wxDefaultSize, kFrameStyle,
              "frmduvora"),
      endProgram_(std::move(options.endProgram)),
      pinnedScale_(options.layoutScale),
      CommonDialog1(this) {
    if (!endProgram_) {
        endProgram_ = [this] {
            Destroy();
            wxTheApp->ExitMainLoop();
        };
    }
    // The platform's dialogs speak the user's language; the program's own
    // texts and numbers do not depend on the C library's locale.
    wxUILocale::UseDefault();
#ifdef DUVORA_EMBEDDED_ICON
    // Decoding the PNGs and handing them to the X server takes milliseconds
    // that the first paint need not wait for. Once idle is, on a desktop,
    // usually before the window manager has framed the window, and at worst
    // a frame after the window first shows.
    CallAfter([this] { SetProgramIcons(*this); });
#else
    SetProgramIcons(*this);
#endif
    panel_ = new wxPanel(this);
    fontScale_ = DefaultFontScale(*panel_);
    CreateControls();
    PlaceControls();
    // A window manager tells the size of its frame only once it has seen the
    // window (on GTK, just before it is shown): the window is fitted again to
    // the frame it then has, so that the title bar and borders fit too.
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        if (GetSize() - GetClientSize() != frameEdges_) {
            PlaceControls();
        }
    });
    controller_ = std::make_unique<TestController>(*this);

    cmdInputData->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        controller_->cmdInputData_Click();
        // The rows the command read, all at once; a file that failed part of
        // the way keeps those it gave.
        lvwResult->ShowAppendedRows();
    });
    cmdResults->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { controller_->cmdResults_Click(); });
    cmdClear->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { controller_->cmdClear_Click(); });
    cmdEnd->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { controller_->cmdEnd_Click(); });

    SetDropTarget(new DataFileDrop(*this));

    Form_Load();
}

void frmduvora::Open(const std::string& file) {
    Show();
    if (!file.empty()) {
#ifdef _WIN32
        InputDataFile(wxString::FromUTF8(file));
#else
        InputDataFile(wxString(file.c_str(), *wxConvFileName));
#endif
    }
}

void frmduvora::InputDataFile(const wxString& path) {
    wxFileName file(path);
    file.MakeAbsolute();
    CommonDialog1.SetFileName(file.GetFullPath());
    controller_->InputDataFile(FileSystemName(CommonDialog1.FileName()));
    lvwResult->ShowAppendedRows();
}

// Out of line, where TestController is complete.
frmduvora::~frmduvora() = default;

void frmduvora::CreateControls() {
    // Creation order is tab order; labels take no focus.
    cmdInputData = new wxButton(panel_, wxID_ANY, "&Input Data", wxDefaultPosition, wxDefaultSize,
                                0, wxDefaultValidator, "cmdInputData");
    cmdResults = new wxButton(panel_, wxID_ANY, "&Results", wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, "cmdResults");
    cmdClear = new wxButton(panel_, wxID_ANY, "&Clear", wxDefaultPosition, wxDefaultSize, 0,
                            wxDefaultValidator, "cmdClear");
    cmdEnd = new wxButton(panel_, wxID_ANY, "&End", wxDefaultPosition, wxDefaultSize, 0,
                          wxDefaultValidator, "cmdEnd");
    // A label names the control created right after it, for screen readers
    // (GTK's mnemonic widget, the Windows static text before a control), so
    // each label comes just before the control it names.
    lalResults = new wxStaticText(panel_, wxID_ANY, "Results:", wxDefaultPosition, wxDefaultSize, 0,
                                  "lalResults");
    // The report is output only; the program never reads the box back.
    txtResult = new wxTextCtrl(panel_, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                               wxTE_MULTILINE | wxTE_NO_VSCROLL | wxTE_READONLY, wxDefaultValidator,
                               "txtResult");
    lalInputdata = new wxStaticText(panel_, wxID_ANY, "Data:", wxDefaultPosition, wxDefaultSize, 0,
                                    "lalInputdata");
    lvwResult = new ResultList(panel_, "lvwResult");
    EnableCopy(*lvwResult);
}

void frmduvora::PlaceControls() {
    frameEdges_ = GetSize() - GetClientSize();
    const wxSize edges = FrameEdges(*this, frameEdges_);
    const wxRect work = WorkArea(*this);
    // As large as the default font needs, as long as the window with its
    // frame still fits.
    scale_ =
        pinnedScale_.value_or(std::min(fontScale_, layout::FitScale(ToDIP(work.GetSize()), edges)));
    const auto place = [this](wxWindow* control, layout::TwipRect rect) {
        const wxRect pixels = layout::ToPixels(rect, scale_);
        control->SetSize(wxRect(FromDIP(pixels.GetPosition()), FromDIP(pixels.GetSize())));
    };
    place(cmdInputData, layout::kInputData);
    place(cmdResults, layout::kResults);
    place(cmdClear, layout::kClear);
    place(cmdEnd, layout::kEnd);
    place(lalResults, layout::kResultsLabel);
    place(lalInputdata, layout::kDataLabel);
    place(txtResult, layout::kResultBox);
    place(lvwResult, layout::kTable);
    // Where the screen holds the layout below the font's scale, a caption
    // outgrows its label; the room right of and below each label is empty,
    // so the label takes what its caption needs.
    for (wxStaticText* label : {lalResults, lalInputdata}) {
        wxSize size = label->GetSize();
        size.IncTo(label->GetBestSize());
        label->SetSize(size);
    }

    const wxSize client = layout::ToPixels(layout::kClientArea, scale_);
    SetClientSize(FromDIP(client));
    // The designed place, moved in only as far as the work area needs.
    const wxSize corner = FromDIP(layout::ToPixels(layout::kScreenPlace, 1.0));
    const wxSize size = FromDIP(client + edges);
    Move(std::max(work.GetLeft(), std::min(corner.x, work.GetRight() + 1 - size.x)),
         std::max(work.GetTop(), std::min(corner.y, work.GetBottom() + 1 - size.y)));
}

// Runs once the window is built, before it is shown. The table is already in
// report view, the only view a virtual list has.
void frmduvora::Form_Load() {
    cmdInputData->SetFocus();
}

void frmduvora::SetResultText(const std::string& text) {
    // wxTextCtrl separates lines with "\n" on every platform.
    wxString value = wxString::FromUTF8(text);
    value.Replace("\r\n", "\n");
    txtResult->ChangeValue(value);
}

void frmduvora::ClearColumns() {
    lvwResult->RemoveAllHeadings();
}

void frmduvora::ClearRows() {
    lvwResult->RemoveAllRows();
}

void frmduvora::AddColumn(int position, const std::string& heading) {
    lvwResult->InsertHeading(position - 1, wxString::FromUTF8(heading),
                             lvwResult->GetSize().GetWidth() / 3);
}

void frmduvora::AddRow(double value) {
    lvwResult->AppendRow(value);
}

void frmduvora::AddCell(int rowNumber, double value) {
    if (rowNumber >= 1) {
        lvwResult->AppendCell(static_cast<std::size_t>(rowNumber - 1), value);
    }
}

std::string frmduvora::ChooseDataFile() {
    // The second entry, "Text Files (*.txt)", is preselected.
    return FileSystemName(
        CommonDialog1.ShowOpen("All Files (*.*)|*.*|Text Files (*.txt)|*.txt|", 1));
}

void frmduvora::ShowFailureMessage(const std::string& text, const std::string& title) {
    WarningBox message(this, wxString::FromUTF8(text), wxString::FromUTF8(title),
                       wxOK | wxICON_EXCLAMATION);
    message.ShowModal();
}

void frmduvora::EndProgram() {
    endProgram_();
}
