#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads a paired data file field by field: the two header names, then numbers
// until the end. A field ends at a comma or a line end (CR LF, LF or CR);
// blanks around it are dropped; a text field may be quoted. Every failure is a
// status result, never an exception (but for memory exhaustion).
class PairReader {
  public:
    PairReader();
    ~PairReader();
    PairReader(const PairReader&) = delete;
    PairReader& operator=(const PairReader&) = delete;

    // Opens the regular file named in UTF-8; false for an empty name, a
    // missing or unreadable file, and anything that is not a regular file.
    bool Open(const std::string& name);
    // The next field as UTF-8 text.
    std::optional<std::string> ReadText();
    // The next field as a number; empty lines before it are skipped.
    std::optional<double> ReadNumber();
    // True when no byte at all remains (false after a read error).
    bool AtEnd();
    // Does nothing when no file is open.
    void Close();

    // Why the last ReadNumber gave no value.
    enum class Failure { kNoField, kNotANumber, kReadError };
    Failure LastFailure() const { return failure_; }
    // The 1-based line on which the last field read, or looked for, begins.
    std::int64_t FieldLine() const { return fieldLine_; }
    // Reads on over blanks and line ends; true when nothing else remains.
    bool OnlyBlanksRemain();

  private:
    class File;
    static constexpr int kEnd = -1;

    int Peek();
    void SkipBlanks();
    void SkipEmptyLines();
    // The raw bytes of the next field, its separator consumed; false when
    // none remains. The view holds until the next read. (Out-parameters: an
    // optional view returned here stalls the processor's store forwarding.)
    bool ReadField(std::string_view& field);
    bool ReadQuoted();
    void ConsumeSeparator();
    bool Refill();

    std::unique_ptr<File> file_;
    std::vector<char> buffer_;
    std::size_t position_ = 0;
    std::size_t length_ = 0;
    bool readFailed_ = false;
    bool atLineStart_ = true;  // the last separator was a line end
    std::int64_t line_ = 1;    // of the next byte
    std::int64_t fieldLine_ = 1;
    Failure failure_ = Failure::kNoField;
    std::string field_;
};
