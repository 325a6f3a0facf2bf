// End-to-end figures on the real window in a real wxWidgets application (under
// Xvfb in `make bench`). Commands are given as a person gives them, by their
// access keys through wxUIActionSimulator; the Open dialog is answered through
// wxWidgets' testing hook. Prints one line per figure: its name, then every
// sample (milliseconds, or kB for memory).
//
//   window_bench start                    when the first window was painted
//   window_bench memory FILE              peak memory empty, then with FILE loaded
//   window_bench commands DATA_DIR COUNT  Input Data, Results and Clear
//
// Times are taken where the window can see them: the key press is the
// letter's wxEVT_CHAR_HOOK, a command runs inside its button's click event,
// and the table is shown when its last repaint after the command has ended.

#include <wx/app.h>
#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/listctrl.h>
#include <wx/modalhook.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "main_window.h"

// A broken expectation ends the run with a message instead of an assertion
// dialog that nobody would answer.
class BenchModalHook;
#define wxTEST_DIALOG_HOOK_CLASS BenchModalHook
#include <wx/testing.h>

class BenchModalHook : public wxTestingModalHook {
  public:
    BenchModalHook(const char* file, int line, const char* func)
        : wxTestingModalHook(file, line, func) {}

  protected:
    void ReportFailure(const wxString& message) override {
        std::fprintf(stderr, "window_bench: %s\n", message.utf8_string().c_str());
        std::exit(1);
    }
};

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The process's memory as the kernel counts it, in kB: "VmHWM" (peak resident
// set) or "VmRSS".
long StatusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field + ":", 0) == 0) {
            return std::strtol(line.c_str() + field.size() + 1, nullptr, 10);
        }
    }
    return -1;
}

void PrintSamples(const std::string& figure, const std::vector<double>& samples) {
    std::printf("%s", figure.c_str());
    for (const double sample : samples) {
        std::printf(" %.3f", sample);
    }
    std::printf("\n");
    std::fflush(stdout);
}

// Answers the Open dialog with a path, noting when: the moment the dialog closes.
class AnswerOpen : public wxExpectModalBase<wxFileDialog, AnswerOpen> {
  public:
    AnswerOpen(wxString path, Clock::time_point& closedAt)
        : path_(std::move(path)), closedAt_(&closedAt) {}

  protected:
    int OnInvoked(wxFileDialog* dialog) const override {
        dialog->SetPath(path_);
        *closedAt_ = Clock::now();
        return wxID_OK;
    }

  private:
    wxString path_;
    Clock::time_point* closedAt_;
};

// Any dialog that no expectation answers (the failure message, say) means the
// figures are not of the work they claim to be.
class UnexpectedDialog : public wxModalDialogHook {
  protected:
    int Enter(wxDialog* dialog) override {
        std::fprintf(stderr, "window_bench: unexpected dialog \"%s\"\n",
                     dialog->GetTitle().utf8_string().c_str());
        std::exit(1);
    }
    void Exit(wxDialog*) override {}
};

// Runs in front of a window's own handlers: times the event they handle.
class EventTimer : public wxEvtHandler {
  public:
    EventTimer(wxEventType type, std::function<void(Clock::time_point, Clock::time_point)> done)
        : done_(std::move(done)) {
        Bind(type, &EventTimer::OnEvent, this);
    }

  private:
    void OnEvent(wxEvent& event) {
        const Clock::time_point start = Clock::now();
        GetNextHandler()->ProcessEventLocally(event);
        done_(start, Clock::now());
    }
    std::function<void(Clock::time_point, Clock::time_point)> done_;
};

class BenchApp : public wxApp {
  public:
    bool OnInit() override;
    int OnExit() override;

  private:
    struct Press {
        Clock::time_point key;           // the letter's key press
        Clock::time_point dialogClosed;  // the Open dialog answered
        Clock::time_point commandStart;  // the button's click
        Clock::time_point commandEnd;    // the command returned
        Clock::time_point shown;         // the table's last repaint ended
    };

    void WatchWindow();
    void OnFirstPaint();
    // Presses Alt and the letter; for Input Data the dialog is answered with path.
    Press PressKey(char letter, const wxString& path = {});
    // Lets events run until the window has been quiet for a while.
    void Settle(Clock::time_point since);
    wxListCtrl* Table() const;

    void RunCommands(const std::string& dataDir, int count);
    void RunMemory(const std::string& file);

    std::string mode_;
    std::vector<std::string> arguments_;
    frmduvora* window_ = nullptr;
    UnexpectedDialog unexpected_;
    bool firstPaintSeen_ = false;

    Clock::time_point lastKey_{};
    Clock::time_point lastCommandStart_{};
    Clock::time_point lastCommandEnd_{};
    Clock::time_point lastTablePaint_{};
};

bool BenchApp::OnInit() {
    // wxApp::OnInit is left out: it would parse these arguments as its own.
    for (int k = 1; k < argc; ++k) {
        arguments_.push_back(argv[k].utf8_string());
    }
    if (arguments_.empty()) {
        std::fprintf(stderr, "usage: window_bench start | memory FILE | commands DATA_DIR COUNT\n");
        return false;
    }
    mode_ = arguments_[0];
    unexpected_.Register();

    frmduvora::Options options;
    options.endProgram = [] {};
    window_ = new frmduvora(std::move(options));
    WatchWindow();
    window_->Show();
    return true;
}

int BenchApp::OnExit() {
    unexpected_.Unregister();
    return wxApp::OnExit();
}

wxListCtrl* BenchApp::Table() const {
    return dynamic_cast<wxListCtrl*>(wxWindow::FindWindowByName("lvwResult", window_));
}

void BenchApp::WatchWindow() {
    window_->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() != WXK_ALT) {
            lastKey_ = Clock::now();
        }
        event.Skip();
    });
    const auto push = [](wxWindow* window, wxEvtHandler* timer) {
        window->PushEventHandler(timer);
    };
    for (const char* name : {"cmdInputData", "cmdResults", "cmdClear"}) {
        push(wxWindow::FindWindowByName(name, window_),
             new EventTimer(wxEVT_BUTTON, [this](Clock::time_point start, Clock::time_point end) {
                 lastCommandStart_ = start;
                 lastCommandEnd_ = end;
             }));
    }
    // The generic list paints through windows of its own: the headings and the rows.
    for (wxWindow* part : Table()->GetChildren()) {
        push(part, new EventTimer(wxEVT_PAINT, [this](Clock::time_point, Clock::time_point end) {
                 lastTablePaint_ = end;
                 if (!firstPaintSeen_) {
                     firstPaintSeen_ = true;
                     // After the rest of this frame has been drawn.
                     CallAfter(&BenchApp::OnFirstPaint);
                 }
             }));
    }
}

void BenchApp::OnFirstPaint() {
    const Clock::time_point painted = Clock::now();
    if (mode_ == "start") {
        std::printf("first_paint_ns %lld\n",
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                               painted.time_since_epoch())
                                               .count()));
    } else if (mode_ == "memory" && arguments_.size() == 2) {
        RunMemory(arguments_[1]);
    } else if (mode_ == "commands" && arguments_.size() == 3) {
        RunCommands(arguments_[1], std::atoi(arguments_[2].c_str()));
    } else {
        std::fprintf(stderr, "window_bench: unknown mode or arguments\n");
    }
    std::fflush(stdout);
    for (wxWindow* part : Table()->GetChildren()) {
        part->PopEventHandler(true);
    }
    for (const char* name : {"cmdInputData", "cmdResults", "cmdClear"}) {
        wxWindow::FindWindowByName(name, window_)->PopEventHandler(true);
    }
    window_->Destroy();
    ExitMainLoop();
}

void BenchApp::Settle(Clock::time_point since) {
    // A repaint of the table may follow another by a display frame: wait for
    // a quiet spell well beyond that.
    constexpr double kQuietMs = 50.0;
    constexpr double kGiveUpMs = 3000.0;
    for (;;) {
        wxYield();
        const Clock::time_point now = Clock::now();
        const Clock::time_point last = lastTablePaint_ > since ? lastTablePaint_ : since;
        if (Milliseconds(last, now) > kQuietMs || Milliseconds(since, now) > kGiveUpMs) {
            return;
        }
        wxMicroSleep(100);
    }
}

BenchApp::Press BenchApp::PressKey(char letter, const wxString& path) {
    Settle(Clock::now());
    lastKey_ = lastCommandEnd_ = lastTablePaint_ = Clock::time_point{};
    Press press;
    // GTK clicks a button activated by its access key when the key is let go
    // if the button has the focus, else after a 250 ms pressed look: the focus
    // goes to the button first, as a person's Tab would take it there.
    const char* button = letter == 'i' ? "cmdInputData" : letter == 'r' ? "cmdResults" : "cmdClear";
    wxWindow::FindWindowByName(button, window_)->SetFocus();
    Settle(Clock::now());
    const auto pressKeys = [&] {
        wxUIActionSimulator keys;
        keys.Char(letter, wxMOD_ALT);
        const Clock::time_point sent = Clock::now();
        while (lastCommandEnd_ == Clock::time_point{} && Milliseconds(sent, Clock::now()) < 3000) {
            wxYield();
        }
    };
    if (path.empty()) {
        pressKeys();
    } else {
        wxTEST_DIALOG(pressKeys(), AnswerOpen(path, press.dialogClosed));
    }
    if (lastCommandEnd_ == Clock::time_point{}) {
        std::fprintf(stderr, "window_bench: Alt+%c ran no command (has the window the focus?)\n",
                     letter);
        std::exit(1);
    }
    Settle(lastCommandEnd_);
    press.key = lastKey_;
    press.commandStart = lastCommandStart_;
    press.commandEnd = lastCommandEnd_;
    press.shown = lastTablePaint_ > lastCommandEnd_ ? lastTablePaint_ : lastCommandEnd_;
    return press;
}

// Every sample of one command, as the figures that the table reports.
class Samples {
  public:
    explicit Samples(std::string command) : command_(std::move(command)) {}
    void Add(const char* figure, Clock::time_point from, Clock::time_point to) {
        for (auto& [name, values] : figures_) {
            if (name == figure) {
                values.push_back(Milliseconds(from, to));
                return;
            }
        }
        figures_.push_back({figure, {Milliseconds(from, to)}});
    }
    void Print() const {
        for (const auto& [name, values] : figures_) {
            PrintSamples(command_ + "_" + name, values);
        }
    }

  private:
    std::string command_;
    std::vector<std::pair<std::string, std::vector<double>>> figures_;
};

void BenchApp::RunCommands(const std::string& dataDir, int count) {
    constexpr int kWarmUp = 2;
    const auto file = [&](int records) {
        return wxString::FromUTF8(dataDir + "/pairs_" + std::to_string(records) + ".txt");
    };
    for (const int records : {1, 1000, 32767}) {
        Samples samples("input_data_" + std::to_string(records));
        for (int k = 0; k < kWarmUp + count; ++k) {
            const Press press = PressKey('i', file(records));
            if (Table()->GetItemCount() != records) {
                std::fprintf(stderr, "window_bench: %d rows shown, not %d\n",
                             Table()->GetItemCount(), records);
                std::exit(1);
            }
            if (k >= kWarmUp) {
                samples.Add("key_to_shown", press.key, press.shown);
                samples.Add("dialog_to_shown", press.dialogClosed, press.shown);
                samples.Add("command", press.commandStart, press.commandEnd);
            }
        }
        samples.Print();
    }

    // The table holds 32,767 rows now.
    Samples results("results_32767");
    for (int k = 0; k < kWarmUp + count; ++k) {
        const Press press = PressKey('r');
        const auto* report =
            dynamic_cast<wxTextCtrl*>(wxWindow::FindWindowByName("txtResult", window_));
        if (report == nullptr || !report->GetValue().StartsWith("The Different Mean = ")) {
            std::fprintf(stderr, "window_bench: Results showed no report\n");
            std::exit(1);
        }
        if (k >= kWarmUp) {
            results.Add("key_to_report", press.key, press.commandEnd);
            results.Add("command", press.commandStart, press.commandEnd);
        }
    }
    results.Print();

    Samples clear("clear_32767");
    for (int k = 0; k < kWarmUp + count; ++k) {
        PressKey('i', file(32767));
        const Press press = PressKey('c');
        if (Table()->GetItemCount() != 0) {
            std::fprintf(stderr, "window_bench: Clear left rows\n");
            std::exit(1);
        }
        if (k >= kWarmUp) {
            clear.Add("key_to_shown", press.key, press.shown);
            clear.Add("command", press.commandStart, press.commandEnd);
        }
    }
    clear.Print();
}

void BenchApp::RunMemory(const std::string& file) {
    Settle(Clock::now());
    const long empty = StatusKilobytes("VmHWM");
    PressKey('i', wxString::FromUTF8(file));
    PressKey('r');
    const long loaded = StatusKilobytes("VmHWM");
    std::printf("peak_kb_empty %ld\npeak_kb_loaded %ld\nrows_loaded %d\n", empty, loaded,
                Table()->GetItemCount());
}

}  // namespace

wxIMPLEMENT_APP(BenchApp);
