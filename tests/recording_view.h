#pragma once

#include <string>
#include <vector>

#include "number_format.h"
#include "test_view.h"

// A window that writes down every call the controller makes, in order: the
// one fake window of the tests, the fuzz target and the benchmarks. With
// `record` off it writes down nothing, as the real window formats no number
// until it shows it.
class RecordingView : public TestView {
  public:
    std::vector<std::string> calls;
    std::string chosenFile;  // what the Open dialog hands back
    bool record = true;

    void SetResultText(const std::string& text) override { calls.push_back("text:" + text); }
    void ClearColumns() override { calls.push_back("clear columns"); }
    void ClearRows() override { calls.push_back("clear rows"); }
    void AddColumn(int position, const std::string& heading) override {
        calls.push_back("column " + std::to_string(position) + ":" + heading);
    }
    void AddRow(double value) override {
        if (record) {
            calls.push_back("row:" + FormatNumber(value, "."));
        }
    }
    void AddCell(int row, double value) override {
        if (record) {
            calls.push_back("cell " + std::to_string(row) + ":" + FormatNumber(value, "."));
        }
    }
    std::string ChooseDataFile() override {
        calls.push_back("choose file");
        return chosenFile;
    }
    void ShowFailureMessage(const std::string& text, const std::string& title) override {
        calls.push_back("message " + title + ":" + text);
    }
    void EndProgram() override { calls.push_back("end"); }
};
