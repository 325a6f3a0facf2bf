#pragma once

#include <array>
#include <string>
#include <vector>

#include "test_view.h"

// The window's side of the commands without a window: the table keeps its
// numbers as the virtual list does (cells are written only when they come
// into view), the report box its text, and the Open dialog hands back a name
// given beforehand.
class HeadlessView : public TestView {
  public:
    explicit HeadlessView(std::string fileName) : fileName_(std::move(fileName)) {}

    const std::string& ResultText() const { return resultText_; }
    const std::string& FailureMessage() const { return failureMessage_; }
    std::size_t RowCount() const { return rows_.size(); }

    void SetResultText(const std::string& text) override { resultText_ = text; }
    void ClearColumns() override { headings_.clear(); }
    void ClearRows() override { rows_.clear(); }
    void AddColumn(int position, const std::string& heading) override {
        headings_.insert(headings_.begin() + (position - 1), heading);
    }
    void AddRow(double value) override { rows_.push_back({{value, 0.0, 0.0}, 1}); }
    void AddCell(int rowNumber, double value) override {
        Row& row = rows_[static_cast<std::size_t>(rowNumber - 1)];
        if (row.filled < 3) {
            row.cells[static_cast<std::size_t>(row.filled++)] = value;
        }
    }
    std::string ChooseDataFile() override { return fileName_; }
    void ShowFailureMessage(const std::string& text, const std::string&) override {
        failureMessage_ = text;
    }
    void EndProgram() override {}

  private:
    std::string fileName_;
    std::string resultText_;
    std::string failureMessage_;
    std::vector<std::string> headings_;
    struct Row {
        std::array<double, 3> cells;
        int filled;
    };
    std::vector<Row> rows_;
};
