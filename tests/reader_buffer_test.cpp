// The reader takes a file in blocks. A field, a number or a CR LF line end
// that a block boundary cuts in two must read exactly as one that lies whole
// inside a block.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pair_reader.h"
#include "test_files.h"

TEST(ReaderBuffer, ReadsRecordsCutByABlockBoundaryAtEveryByte) {
    ScratchFolder folder;
    // Shifting the records by one byte more each time puts each boundary at
    // every offset inside a record, the CR of a CR LF included.
    for (std::size_t shift = 0; shift < 24; ++shift) {
        std::string text = "Before";
        text.append(shift, ' ');
        text += ",After\r\n";
        std::vector<std::pair<double, double>> written;
        for (int k = 0; k < 30000; ++k) {
            const double first = k % 2 == 0 ? k * 0.25 : -k - 0.5;
            const double second = 1000.0 + k % 113;
            if (k % 3 == 0) {
                text += ' ';
            }
            text += std::to_string(first);
            text += ',';
            text += std::to_string(second);
            text += k % 5 == 0 ? "\n" : "\r\n";
            written.emplace_back(first, second);
        }
        const auto path = folder.Write("shifted.txt", text);

        PairReader reader;
        ASSERT_TRUE(reader.Open(path));
        EXPECT_EQ(reader.ReadText(), "Before");
        EXPECT_EQ(reader.ReadText(), "After");
        std::size_t count = 0;
        while (!reader.AtEnd()) {
            const auto first = reader.ReadNumber();
            const auto second = reader.ReadNumber();
            ASSERT_TRUE(first && second) << "shift " << shift << ", record " << count;
            ASSERT_LT(count, written.size());
            EXPECT_EQ(std::make_pair(*first, *second), written[count])
                << "shift " << shift << ", record " << count;
            ++count;
        }
        EXPECT_EQ(count, written.size()) << "shift " << shift;
    }
}
