#include "pair_reader.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "test_files.h"

namespace {

struct FileContents {
    bool opened = false;
    std::vector<std::string> names;
    std::vector<std::pair<double, double>> records;
    bool readToEnd = false;  // false when a read failed
};

// Reads a file the way Input Data does: two names, then records until AtEnd.
FileContents ReadWhole(const std::string& path) {
    FileContents contents;
    PairReader reader;
    contents.opened = reader.Open(path);
    if (!contents.opened) {
        return contents;
    }
    for (int k = 0; k < 2; ++k) {
        const auto name = reader.ReadText();
        if (!name) {
            return contents;
        }
        contents.names.push_back(*name);
    }
    while (!reader.AtEnd()) {
        const auto first = reader.ReadNumber();
        const auto second = first ? reader.ReadNumber() : std::nullopt;
        if (!second) {
            return contents;
        }
        contents.records.emplace_back(*first, *second);
    }
    contents.readToEnd = true;
    return contents;
}

using Records = std::vector<std::pair<double, double>>;
const Records kBeforeAfter = {{12.5, 11.0}, {14.0, 13.25}, {9.75, 10.0}};

}  // namespace

TEST(PairReader, ReadsTheSameRecordsWhateverTheLineEnds) {
    for (const char* file : {"before_after_crlf.txt", "before_after_lf.txt", "before_after_cr.txt",
                             "no_final_line_end.txt"}) {
        const auto contents = ReadWhole(DataFile(file));
        EXPECT_TRUE(contents.readToEnd) << file;
        EXPECT_EQ(contents.names, (std::vector<std::string>{"Before", "After"})) << file;
        EXPECT_EQ(contents.records, kBeforeAfter) << file;
    }
}

TEST(PairReader, TakesQuotedNamesWithTheirCommasAndBlanks) {
    const auto contents = ReadWhole(DataFile("quoted_names.txt"));
    EXPECT_TRUE(contents.readToEnd);
    EXPECT_EQ(contents.names, (std::vector<std::string>{"Weight, before", "Weight, after"}));
    EXPECT_EQ(contents.records, (Records{{1.0, 2.0}}));

    ScratchFolder folder;
    const auto path = folder.Write("quotes.txt", "\"Say \"\"hi\"\"\"  ,\" padded \" (kg)\n1,2\n");
    EXPECT_EQ(ReadWhole(path).names, (std::vector<std::string>{"Say \"hi\"", " padded  (kg)"}));
    const auto unclosed = folder.Write("unclosed.txt", "\"Before,After\n1,2\n");
    EXPECT_TRUE(ReadWhole(unclosed).names.empty());
    const auto quotedNumbers = folder.Write("quoted_numbers.txt", "A,B\n\"1.5\",\" 2\"\n");
    EXPECT_FALSE(ReadWhole(quotedNumbers).readToEnd);  // a blank inside makes it text
    const auto quotedNumber = folder.Write("quoted_number.txt", "A,B\n\"1.5\",2\n");
    EXPECT_EQ(ReadWhole(quotedNumber).records, (Records{{1.5, 2.0}}));
}

TEST(PairReader, KeepsEveryCompleteRecordBeforeAFailure) {
    const auto odd = ReadWhole(DataFile("odd_values.txt"));
    EXPECT_FALSE(odd.readToEnd);
    EXPECT_EQ(odd.records, (Records{{1.0, 2.0}, {3.0, 4.0}}));

    const auto unit = ReadWhole(DataFile("unit_suffix.txt"));
    EXPECT_FALSE(unit.readToEnd);
    EXPECT_EQ(unit.records, (Records{{1.0, 2.0}}));

    const auto commaDecimal = ReadWhole(DataFile("comma_decimal.txt"));  // 1,5 is two fields
    EXPECT_FALSE(commaDecimal.readToEnd);
    EXPECT_EQ(commaDecimal.records, (Records{{1.0, 5.0}}));

    const auto blankInside = ReadWhole(DataFile("blank_inside_number.txt"));
    EXPECT_FALSE(blankInside.readToEnd);
    EXPECT_TRUE(blankInside.records.empty());
}

TEST(PairReader, SkipsEmptyLinesOnlyWhereANumberIsDue) {
    const auto inside = ReadWhole(DataFile("blank_lines_inside.txt"));
    EXPECT_TRUE(inside.readToEnd);
    EXPECT_EQ(inside.records, (Records{{1.0, 2.0}, {3.0, 4.0}}));

    // After the last record they leave characters behind, so reading fails
    // with the record kept.
    const auto after = ReadWhole(DataFile("blank_lines_after.txt"));
    EXPECT_FALSE(after.readToEnd);
    EXPECT_EQ(after.records, (Records{{1.0, 2.0}}));

    // A comma at the end of a line leaves an empty field, not an empty line.
    const auto trailingComma = ReadWhole(DataFile("comma_at_line_end.txt"));
    EXPECT_FALSE(trailingComma.readToEnd);
    EXPECT_TRUE(trailingComma.records.empty());
}

TEST(PairReader, ReadsHeadersWithoutRecords) {
    for (const char* file : {"header_only.txt", "header_only_no_line_end.txt"}) {
        const auto contents = ReadWhole(DataFile(file));
        EXPECT_TRUE(contents.readToEnd) << file;
        EXPECT_EQ(contents.names, (std::vector<std::string>{"A", "B"})) << file;
        EXPECT_TRUE(contents.records.empty()) << file;
    }
    const auto empty = ReadWhole(DataFile("empty.txt"));
    EXPECT_TRUE(empty.opened);
    EXPECT_TRUE(empty.names.empty());
}

TEST(PairReader, ReadsNumbersInEveryAllowedForm) {
    const auto contents = ReadWhole(DataFile("number_forms.txt"));
    EXPECT_TRUE(contents.readToEnd);
    EXPECT_EQ(contents.records, (Records{{1000.0, 2.5}, {0.5, 5.0}}));
}

TEST(PairReader, DecodesNamesAsUtf8OrWindows1252) {
    const auto bom = ReadWhole(DataFile("byte_order_mark.txt"));
    EXPECT_EQ(bom.names, (std::vector<std::string>{"Before", "After"}));

    const auto legacy = ReadWhole(DataFile("windows1252_names.txt"));
    EXPECT_EQ(legacy.names, (std::vector<std::string>{"Gr\xC3\xB6\xC3\x9F"
                                                      "e",
                                                      "Caf\xC3\xA9 \xE2\x82\xAC"}));

    ScratchFolder folder;
    const auto utf8 = folder.Write("utf8.txt",
                                   "Gr\xC3\xB6\xC3\x9F"
                                   "e,\xE6\x97\xA5\n1,2\n");
    EXPECT_EQ(ReadWhole(utf8).names, (std::vector<std::string>{"Gr\xC3\xB6\xC3\x9F"
                                                               "e",
                                                               "\xE6\x97\xA5"}));
}

TEST(PairReader, OpensOnlyRegularFiles) {
    ScratchFolder folder;
    const auto data = folder.Write("data.txt", "A,B\n1,2\n");

    PairReader reader;
    EXPECT_FALSE(reader.Open(""));
    EXPECT_FALSE(reader.Open(Utf8Text(folder.Path() / "missing.txt")));
    EXPECT_FALSE(reader.Open(Utf8Text(folder.Path())));  // a directory
#ifdef _WIN32
    EXPECT_FALSE(reader.Open("NUL"));  // a device
#else
    const std::string fifo = (folder.Path() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(reader.Open(fifo));         // would wait for a writer
    EXPECT_FALSE(reader.Open("/dev/zero"));  // would never end
#endif
    EXPECT_FALSE(reader.IsOpen());
    EXPECT_TRUE(reader.Open(data));
    EXPECT_TRUE(reader.IsOpen());
    reader.Close();
    EXPECT_FALSE(reader.IsOpen());
    reader.Close();  // closing twice is harmless
}

// Letters outside every single-byte code page: on Windows only a
// wide-character open finds such a file.
TEST(PairReader, OpensAFileWhosePathHasNonAsciiLetters) {
    ScratchFolder folder;
    std::filesystem::create_directories(folder.Path() / Utf8Path("\xE6\x97\xA5\xE6\x9C\xAC"));
    const auto path =
        folder.Write("\xE6\x97\xA5\xE6\x9C\xAC/d\xC3\xA4ten \xCE\xB1\xCE\xB2.txt", "A,B\n1,2\n");
    const auto contents = ReadWhole(path);
    EXPECT_TRUE(contents.opened) << path;
    EXPECT_EQ(contents.records, (Records{{1.0, 2.0}}));
}
