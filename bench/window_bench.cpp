// The figures only the real window gives, under a display (Xvfb in `make
// bench`). Prints one line per figure: its name, then its samples.
//
//   window_bench minimal      a bare wxWidgets frame, started the same way
//   window_bench FILE COUNT   Duvora's window; COUNT times Input Data of FILE
//   window_bench soak FILE ROUNDS
//                             ROUNDS rounds of Input Data, Results and Clear
//
// first_paint_ns: when the first paint of the window's table (the frame's for
// minimal) ended, on the steady clock that run_bench.py reads as well, so that
// start to first paint is one subtraction. dialog_to_shown_ms: from the Open
// dialog's answer to the end of the table's last repaint after the command;
// dialog_to_returned_ms to the command's return, before the table is drawn.
// The first of each is the first Input Data after start. The parts of
// Input Data, each a round of its own after the loads, on the table the loads
// left: read_ms reading and checking the file without a window, fill_ms
// handing its values to the table, count_ms giving the table its new row
// count, paint_ms from there to the end of the table's last repaint.
// peak_kb: the process's peak memory, empty and after Input Data and Results.
// heap_growth_bytes, resident_growth_kb: what the soak's rounds after the
// first 50 (which fill the caches that live as long as the program) added.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <wx/app.h>
#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/frame.h>
#include <wx/modalhook.h>
#include <wx/textctrl.h>

#include "main_window.h"
#include "recording_view.h"
#include "result_list.h"
#include "test_controller.h"

#ifdef __WXGTK__
#include <gtk/gtk.h>
#include <wx/dataview.h>
#endif

namespace {

using Clock = std::chrono::steady_clock;

// "VmHWM" (peak) or "VmRSS" (now) from the kernel's count.
long MemoryKilobytes(const std::string& figure) {
    std::ifstream status("/proc/self/status");
    std::string word;
    long kilobytes = -1;
    while (status >> word && word != figure + ":") {
    }
    status >> kilobytes;
    return kilobytes;
}

// Goes in front of a window's own handlers and notes when they have painted.
class PaintEnd : public wxEvtHandler {
  public:
    explicit PaintEnd(Clock::time_point& end) {
        Bind(wxEVT_PAINT, [this, &end](wxPaintEvent& event) {
            GetNextHandler()->ProcessEventLocally(event);
            end = Clock::now();
        });
    }
};

#ifdef __WXGTK__
gboolean NoteDrawn(GtkWidget*, cairo_t*, gpointer end) {
    *static_cast<Clock::time_point*>(end) = Clock::now();
    return FALSE;
}

void NoteFrame(GdkFrameClock*, gpointer end) {
    *static_cast<Clock::time_point*>(end) = Clock::now();
}
#endif

// Answers the Open dialog with the file, noting when, and any message box with OK.
class AnswerOpen : public wxModalDialogHook {
  public:
    wxString path;
    Clock::time_point closed;

  protected:
    int Enter(wxDialog* dialog) override {
        auto* open = dynamic_cast<wxFileDialog*>(dialog);
        if (open == nullptr) {
            return wxID_OK;  // the message box of Results with fewer than two records
        }
        open->SetPath(path);
        closed = Clock::now();
        return wxID_OK;
    }
    void Exit(wxDialog*) override {}
};

class BenchApp : public wxApp {
  public:
    bool OnInit() override {  // wxApp::OnInit would take the arguments as its own
        wxFrame* frame =
            argc == 2 ? new wxFrame(nullptr, wxID_ANY, "Minimal") : new frmduvora({[] {}, {}});
        window_ = frame;
        wxWindow* table = wxWindow::FindWindowByName("lvwResult", frame);
        if (table == nullptr) {
            frame->PushEventHandler(new PaintEnd(painted_));
        } else {
#ifdef __WXGTK__
            // GTK's own tree view draws outside wxWidgets' paint events.
            g_signal_connect_after(static_cast<wxDataViewCtrl*>(table)->GtkGetTreeView(), "draw",
                                   G_CALLBACK(&NoteDrawn), &painted_);
#else
            table->PushEventHandler(new PaintEnd(painted_));
#endif
        }
        Bind(wxEVT_IDLE, [this](wxIdleEvent&) {
            if (painted_ != Clock::time_point{} && !started_) {
                started_ = true;
                std::printf("first_paint_ns %lld\n",
                            static_cast<long long>(painted_.time_since_epoch().count()));
                CallAfter(&BenchApp::Measure);
            }
        });
        frame->Show();
#ifdef __WXGTK__
        g_signal_connect(gtk_widget_get_frame_clock(frame->GetHandle()), "after-paint",
                         G_CALLBACK(&NoteFrame), &framed_);
#endif
        return argc == 2 || argc == 3 || argc == 4;
    }

  private:
    // Lets events run until neither the table has painted nor GTK has drawn a
    // frame for 50 ms: after rows change, the scroll bar's indicator keeps
    // GTK drawing a frame every 16.7 ms as it fades, and a command given
    // meanwhile waits for the next of them. A user's next command comes to
    // a window at rest.
    void Settle() {
        const Clock::time_point start = Clock::now();
        while (Clock::now() - std::max({painted_, framed_, start}) <
               std::chrono::milliseconds(50)) {
            wxYield();
            wxMilliSleep(1);
        }
    }

    void Measure() {
        if (argc == 3) {
            Settle();
            std::printf("peak_kb_empty %ld\n", MemoryKilobytes("VmHWM"));
            answer_.path = argv[1];
            answer_.Register();
            const int loads = std::stoi(argv[2].ToStdString());
            std::string shown = "dialog_to_shown_ms", returned = "dialog_to_returned_ms";
            for (int k = 0; k < loads; ++k) {
                Press("cmdInputData");
                const Clock::time_point done = Clock::now();
                Settle();
                shown += Milliseconds(answer_.closed, std::max(painted_, done));
                returned += Milliseconds(answer_.closed, done);
            }
            std::printf("%s\n%s\n", shown.c_str(), returned.c_str());
            for (int k = 0; k < loads; ++k) {
                MeasureParts();
            }
            std::printf("read_ms%s\nfill_ms%s\ncount_ms%s\npaint_ms%s\n", parts_[0].c_str(),
                        parts_[1].c_str(), parts_[2].c_str(), parts_[3].c_str());
            Press("cmdInputData");  // the table as the command leaves it, for Results
            Press("cmdResults");
            const auto* report = wxWindow::FindWindowByName("txtResult", window_);
            std::printf("peak_kb_loaded %ld\nreport %s\n", MemoryKilobytes("VmHWM"),
                        static_cast<const wxTextCtrl*>(report)->GetValue().utf8_str().data());
        }
#ifdef __GLIBC__
        if (argc == 4) {
            Soak(std::stoi(argv[3].ToStdString()));
        }
#endif
        std::fflush(stdout);
        std::_Exit(0);  // what is measured ends here; no need to tear the window down
    }

    static std::string Milliseconds(Clock::time_point from, Clock::time_point to) {
        const std::chrono::duration<double, std::milli> span = to - from;
        return " " + std::to_string(span.count());
    }

    // One Input Data taken apart, the same steps as the command's.
    void MeasureParts() {
        auto* table = static_cast<ResultList*>(wxWindow::FindWindowByName("lvwResult", window_));
        table->RemoveAllRows();
        Settle();
        const Clock::time_point start = Clock::now();
        RecordingView file;
        file.record = false;
        file.chosenFile = argv[1].utf8_string();
        TestController reader(file);
        reader.cmdInputData_Click();
        const Clock::time_point read = Clock::now();
        for (std::size_t row = 0; row < static_cast<std::size_t>(reader.PairCount()); ++row) {
            const PairRecord& pair = reader.Pairs()[row];
            table->AppendRow(pair.First);
            table->AppendCell(row, pair.Second);
            table->AppendCell(row, pair.Difference);
        }
        const Clock::time_point filled = Clock::now();
#ifdef __WXGTK__
        table->ShowAppendedRows();
        const Clock::time_point counted = Clock::now();
#else
        // ShowAppendedRows's two steps, the count apart from the paint.
        table->SetItemCount(reader.PairCount());
        const Clock::time_point counted = Clock::now();
        table->Update();
#endif
        const Clock::time_point done = Clock::now();
        Settle();
        parts_[0] += Milliseconds(start, read);
        parts_[1] += Milliseconds(read, filled);
        parts_[2] += Milliseconds(filled, counted);
        parts_[3] += Milliseconds(counted, std::max(painted_, done));
    }

#ifdef __GLIBC__
    // Run with G_SLICE=always-malloc: GLib's slice allocator otherwise keeps
    // freed blocks in a cache it trims only every 15 seconds.
    void Soak(int rounds) {
        answer_.path = argv[2];
        answer_.Register();
        long long heap = 0;
        long resident = 0;
        for (int k = 0; k < rounds; ++k) {
            if (k == 50) {
                Settle();
                heap = static_cast<long long>(mallinfo2().uordblks);
                resident = MemoryKilobytes("VmRSS");
            }
            Press("cmdInputData");
            Press("cmdResults");
            Press("cmdClear");
            wxYield();
        }
        Settle();
        std::printf("heap_growth_bytes %lld\nresident_growth_kb %ld\n",
                    static_cast<long long>(mallinfo2().uordblks) - heap,
                    MemoryKilobytes("VmRSS") - resident);
    }
#endif

    void Press(const char* name) {
        wxWindow* button = wxWindow::FindWindowByName(name, window_);
        wxCommandEvent click(wxEVT_BUTTON, button->GetId());
        click.SetEventObject(button);
        button->HandleWindowEvent(click);
    }

    wxWindow* window_ = nullptr;
    AnswerOpen answer_;
    Clock::time_point painted_{};
    Clock::time_point framed_{};  // the end of GTK's last frame
    bool started_ = false;
    std::string parts_[4];
};

}  // namespace

wxIMPLEMENT_APP(BenchApp);
