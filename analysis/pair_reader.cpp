#include "pair_reader.h"

#include <array>
#include <cstring>
#include <string_view>

#include "number_field.h"
#include "text_encoding.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

bool IsBlank(int c) {
    return c == ' ' || c == '\t';
}
bool IsLineEnd(int c) {
    return c == '\r' || c == '\n';
}
// A comma or a line end: one test of a table instead of three comparisons.
constexpr auto kFieldEnds = [] {
    std::array<bool, 256> ends{};
    ends[','] = ends['\r'] = ends['\n'] = true;
    return ends;
}();
bool IsFieldEnd(char c) {
    return kFieldEnds[static_cast<unsigned char>(c)];
}

// CR LF, LF and CR each end one line: a CR counts, and an LF unless a CR
// came just before it.
std::int64_t LineEnds(std::string_view text) {
    std::int64_t ends = 0;
    char previous = '\0';
    for (const char c : text) {
        ends += c == '\n' ? previous != '\r' : c == '\r';
        previous = c;
    }
    return ends;
}

}  // namespace

// The system calls, kept to this one class.
class PairReader::File {
  public:
    // Opened without blocking, so that a FIFO is refused instead of waiting
    // for a writer; only a regular file is kept.
    static std::unique_ptr<File> OpenRegular(const std::string& name) {
#ifdef _WIN32
        const int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(),
                                                   static_cast<int>(name.size()), nullptr, 0);
        if (wideLength <= 0) {
            return nullptr;
        }
        std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(),
                            static_cast<int>(name.size()), wide.data(), wideLength);
        const int fd = _wopen(wide.c_str(), _O_RDONLY | _O_BINARY);
        if (fd < 0) {
            return nullptr;
        }
        struct _stat64 status {};
        if (_fstat64(fd, &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) {
            _close(fd);
            return nullptr;
        }
#else
        const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0) {
            return nullptr;
        }
        struct stat status {};
        if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
            ::close(fd);
            return nullptr;
        }
#endif
        return std::unique_ptr<File>(new File(fd));
    }

    ~File() {
#ifdef _WIN32
        _close(fd_);
#else
        ::close(fd_);
#endif
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Bytes read, 0 at the end, -1 on an error.
    long Read(char* into, std::size_t size) {
#ifdef _WIN32
        return _read(fd_, into, static_cast<unsigned>(size));
#else
        for (;;) {
            const ssize_t count = ::read(fd_, into, size);
            if (count >= 0 || errno != EINTR) {
                return static_cast<long>(count);
            }
        }
#endif
    }

  private:
    explicit File(int fd) : fd_(fd) {}
    int fd_;
};

PairReader::PairReader() = default;
PairReader::~PairReader() = default;

bool PairReader::Open(const std::string& name) {
    Close();
    if (name.empty() || name.find('\0') != std::string::npos) {
        return false;
    }
    file_ = File::OpenRegular(name);
    if (!file_) {
        return false;
    }
    buffer_.resize(kBufferSize + 1);  // and a sentinel after the bytes read
    if (Refill() && length_ >= 3 && std::memcmp(buffer_.data(), "\xEF\xBB\xBF", 3) == 0) {
        position_ = 3;  // a UTF-8 byte-order mark is not part of the first name
    }
    return true;
}

void PairReader::Close() {
    file_.reset();
    position_ = length_ = 0;
    readFailed_ = false;
    atLineStart_ = true;
    line_ = fieldLine_ = 1;
}

bool PairReader::Refill() {
    position_ = length_ = 0;
    if (!file_ || readFailed_) {
        return false;
    }
    const long count = file_->Read(buffer_.data(), kBufferSize);
    if (count < 0) {
        readFailed_ = true;
        return false;
    }
    length_ = static_cast<std::size_t>(count);
    buffer_[length_] = '\n';
    return length_ > 0;
}

int PairReader::Peek() {
    if (position_ == length_ && !Refill()) {
        return kEnd;
    }
    return static_cast<unsigned char>(buffer_[position_]);
}

bool PairReader::AtEnd() {
    return Peek() == kEnd && !readFailed_;
}

void PairReader::SkipBlanks() {
    while (IsBlank(Peek())) {
        ++position_;
    }
}

void PairReader::SkipEmptyLines() {
    SkipBlanks();
    while (atLineStart_ && IsLineEnd(Peek())) {
        ConsumeSeparator();
        SkipBlanks();
    }
}

void PairReader::ConsumeSeparator() {
    const int c = Peek();
    if (c == ',') {
        ++position_;
        atLineStart_ = false;
    } else if (c == '\r') {
        ++position_;
        if (Peek() == '\n') {
            ++position_;
        }
        atLineStart_ = true;
        ++line_;
    } else if (c == '\n') {
        ++position_;
        atLineStart_ = true;
        ++line_;
    }
}

bool PairReader::OnlyBlanksRemain() {
    SkipBlanks();
    while (IsLineEnd(Peek())) {
        ConsumeSeparator();
        SkipBlanks();
    }
    fieldLine_ = line_;
    return AtEnd();
}

// One scanner for every field. An unquoted field that ends, with its whole
// separator (CR LF both), inside the buffer is looked at where it lies; any
// other is copied, so that consuming its separator may refill the buffer.
bool PairReader::ReadField(std::string_view& field) {
    SkipBlanks();
    const int first = Peek();
    if (first == kEnd) {
        return false;
    }
    field_.clear();
    fieldLine_ = line_;
    if (first == '"') {
        ++position_;
        if (!ReadQuoted()) {
            return false;
        }
        line_ += LineEnds(field_);
    }
    const std::size_t kept = field_.size();  // quoted text keeps its blanks
    bool copied = first == '"';
    // After a closing quote this picks up anything written before the
    // separator, so that "Weight" (kg) still reads as one name.
    while (position_ < length_ || Refill()) {
        const char* begin = buffer_.data() + position_;
        const char* last = begin;
        while (!IsFieldEnd(*last)) {  // the sentinel stops it at the buffer's end
            ++last;
        }
        position_ = static_cast<std::size_t>(last - buffer_.data());
        if (!copied && position_ < length_ && (*last != '\r' || position_ + 1 < length_)) {
            field = std::string_view(begin, static_cast<std::size_t>(last - begin));
            break;
        }
        field_.append(begin, last);
        copied = true;
        if (position_ < length_) {
            break;
        }
    }
    if (copied) {
        field = field_;
    }
    while (field.size() > kept && IsBlank(field.back())) {
        field.remove_suffix(1);
    }
    ConsumeSeparator();
    return true;
}

// Up to the closing quote, which may lie on a later line; a doubled quote
// stands for one quote, as spreadsheets write it.
bool PairReader::ReadQuoted() {
    for (;;) {
        if (position_ == length_ && !Refill()) {
            return false;  // never closed
        }
        const char* begin = buffer_.data() + position_;
        const char* end = buffer_.data() + length_;
        const auto* quote = static_cast<const char*>(std::memchr(begin, '"', length_ - position_));
        if (quote == nullptr) {
            field_.append(begin, end);
            position_ = length_;
            continue;
        }
        field_.append(begin, quote);
        position_ += static_cast<std::size_t>(quote - begin) + 1;
        if (Peek() != '"') {
            return true;
        }
        field_ += '"';
        ++position_;
    }
}

std::optional<std::string> PairReader::ReadText() {
    std::string_view field;
    if (!ReadField(field) || readFailed_) {
        return std::nullopt;
    }
    return TextToUtf8(field);
}

std::optional<double> PairReader::ReadNumber() {
    SkipEmptyLines();
    std::string_view field;
    if (!ReadField(field) || readFailed_) {
        failure_ = readFailed_ ? Failure::kReadError : Failure::kNoField;
        return std::nullopt;
    }
    failure_ = Failure::kNotANumber;  // looked at only when there is no value
    return ParseNumberField(field);
}
