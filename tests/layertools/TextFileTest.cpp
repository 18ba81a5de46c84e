// The text file readers on bytes as other programs write them, damaged ones included, and
// the replacing write.
#include "LayerToolsHarness.h"

#include "common/FilePath.h"
#include "common/MvFile.h"

#include <random>

namespace {

using Lines = std::vector<std::string>;

class TextFile : public lt::LayerToolsTest {
protected:
    /** The lines a text file of these bytes gives in encoding, and whether reading ended
     *  cleanly. */
    Lines Read(const std::string& bytes, int32_t encoding, HostErr* error = nullptr) {
        const auto file = dir() / "in.txt";
        lt::WriteFile(file, bytes);
        CFilePath path;
        EXPECT_EQ(path.MakeFrom(file.string()), kHostNoErr);
        CMvTextFile text;
        EXPECT_TRUE(text.OpenRead(path.get(), encoding));
        Lines lines;
        ai::UnicodeString line;
        while (text.ReadLine(line))
            lines.push_back(line.as_UTF8());
        EXPECT_FALSE(text.ReadLine(line)) << "the end is sticky";
        if (error != nullptr) *error = text.ReadError();
        return lines;
    }
};

struct LineCase {
    const char* what;
    std::string bytes;
    int32_t encoding;
    Lines lines;
};

std::string U16(std::u16string_view text, bool bigEndian = false) {
    std::string out;
    for (char16_t c : text) {
        const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    }
    return out;
}

TEST_F(TextFile, LineEndsMarksAndEncodings) {
    const std::string sjisRoads = lt::Iconv("道路\r\n\t河川\r\n", "SHIFT_JIS");
    const std::vector<LineCase> cases = {
        {"CR CR LF", "A\r\r\nB", kEncodingShiftJIS, {"A", "", "B"}},
        {"lone CR and LF", "A\rB\nC", kEncodingUTF8, {"A", "B", "C"}},
        {"no final line end", "A\r\nB", kEncodingUTF8, {"A", "B"}},
        {"final CR LF adds no line", "A\r\n", kEncodingUTF8, {"A"}},
        {"empty lines inside", "\r\n\r\nA\r\n", kEncodingUTF8, {"", "", "A"}},
        {"empty file", "", kEncodingUTF8, {}},
        {"UTF-8 with mark", "\xEF\xBB\xBF\xE9\x81\x93\r\nx", kEncodingUTF8, {"道", "x"}},
        {"UTF-8 without mark", "\xE9\x81\x93\r\nx", kEncodingUTF8, {"道", "x"}},
        // A mark says what the file is, whatever encoding was chosen.
        {"UTF-8 mark, Shift-JIS chosen",
         "\xEF\xBB\xBF\xE9\x81\x93\r\nA",
         kEncodingShiftJIS,
         {"道", "A"}},
        {"UTF-8 mark, UTF-16 chosen", "\xEF\xBB\xBF\xE9\x81\x93", kEncodingUTF16, {"道"}},
        {"UTF-16 mark, Shift-JIS chosen",
         "\xFF\xFE" + U16(u"道\r\nA"),
         kEncodingShiftJIS,
         {"道", "A"}},
        {"UTF-16 big-endian mark, UTF-8 chosen",
         "\xFE\xFF" + U16(u"道", true),
         kEncodingUTF8,
         {"道"}},
        {"short file that is no mark", "\xEF\xBB", kEncodingShiftJIS, {"\xEF\xBF\xBD"}},
        {"mark then CR LF", "\xEF\xBB\xBF\r\nA", kEncodingUTF8, {"", "A"}},
        {"Shift-JIS from iconv", sjisRoads, kEncodingShiftJIS, {"道路", "\t河川"}},
        {"UTF-16 little-endian with mark",
         "\xFF\xFE" + U16(u"道\r\n\tA"),
         kEncodingUTF16,
         {"道", "\tA"}},
        {"UTF-16 big-endian with mark",
         "\xFE\xFF" + U16(u"道\r\nA\rB", true),
         kEncodingUTF16,
         {"道", "A", "B"}},
        {"UTF-16 without mark", U16(u"A\nB"), kEncodingUTF16, {"A", "B"}},
        {"UTF-16 first unit LF", U16(u"\nA"), kEncodingUTF16, {"", "A"}},
        {"UTF-16 CR CR LF", U16(u"A\r\r\nB"), kEncodingUTF16, {"A", "", "B"}},
        {"UTF-16 trailing odd byte", U16(u"AB") + "C", kEncodingUTF16, {"AB"}},
        {"one odd byte, UTF-16", "A", kEncodingUTF16, {}},
        {"one odd byte, Shift-JIS lead", "\x82", kEncodingShiftJIS, {"\xEF\xBF\xBD"}},
        // Without a mark, a file read in an encoding it was not written in gives what its
        // bytes make.
        {"UTF-16 without mark read as UTF-8", U16(u"A"), kEncodingUTF8, {std::string("A\0", 2)}},
        {"invalid UTF-8", "a\xC3(b\xFF", kEncodingUTF8, {"a\xEF\xBF\xBD(b\xEF\xBF\xBD"}},
        {"invalid Shift-JIS",
         "a\x85\x40"
         "b\xFD",
         kEncodingShiftJIS,
         {"a\xEF\xBF\xBD"
          "b\xEF\xBF\xBD"}},
        {"lone surrogate in UTF-16",
         U16(u"a") + std::string("\x00\xD8", 2) + U16(u"b"),
         kEncodingUTF16,
         {"a\xEF\xBF\xBD"
          "b"}},
    };
    for (const LineCase& c : cases)
        EXPECT_EQ(Read(c.bytes, c.encoding), c.lines) << c.what;
}

TEST_F(TextFile, HugeLinesAndJunkNeverBreakTheReader) {
    const std::string huge(10 * 1024 * 1024, 'x');
    for (int32_t encoding : {kEncodingShiftJIS, kEncodingUTF8, kEncodingUTF16}) {
        const Lines lines = Read(huge + "\r\nend", encoding);
        ASSERT_EQ(lines.size(), encoding == kEncodingUTF16 ? 1u : 2u) << encoding;
        EXPECT_GE(lines[0].size(), huge.size() / 2) << encoding;
    }
    std::mt19937 random(7);
    std::string junk(256 * 1024, '\0');
    for (char& c : junk)
        c = static_cast<char>(random());
    for (int32_t encoding : {kEncodingShiftJIS, kEncodingUTF8, kEncodingUTF16}) {
        HostErr error = kHostNoErr;
        const Lines lines = Read(junk, encoding, &error);
        EXPECT_EQ(error, kHostNoErr) << encoding;
        EXPECT_FALSE(lines.empty()) << encoding;
    }
}

TEST_F(TextFile, AMissingFileDoesNotOpen) {
    CFilePath path;
    ASSERT_EQ(path.MakeFrom((dir() / "missing.txt").string()), kHostNoErr);
    CMvTextFile text;
    EXPECT_FALSE(text.OpenRead(path.get(), kEncodingUTF8));
    ai::UnicodeString line;
    EXPECT_FALSE(text.ReadLine(line));
}

TEST_F(TextFile, ReplacingWriteTouchesTheTargetOnlyOnCommit) {
    const auto target = dir() / "list.txt";
    lt::WriteFile(target, "old");
    CFilePath path;
    ASSERT_EQ(path.MakeFrom(target.string()), kHostNoErr);
    auto others = [&] {
        size_t n = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir()))
            n += entry.path().filename() != "list.txt" && entry.path().filename() != "prefs";
        return n;
    };
    {
        CMvFile file;
        ASSERT_TRUE(file.OpenReplacing(path.get()));
        ASSERT_TRUE(file.Write("new", 3));
        EXPECT_EQ(lt::ReadFile(target), "old");
        // Dropped without a commit: as if the write had failed half-way.
    }
    EXPECT_EQ(lt::ReadFile(target), "old");
    EXPECT_EQ(others(), 0u) << "the temporary file was left behind";

    CMvFile file;
    ASSERT_TRUE(file.OpenReplacing(path.get()));
    ASSERT_TRUE(file.Write("new", 3));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(lt::ReadFile(target), "new");
    EXPECT_EQ(others(), 0u);

    CFilePath nowhere;
    ASSERT_EQ(nowhere.MakeFrom((dir() / "no-such-folder" / "x.txt").string()), kHostNoErr);
    CMvFile failed;
    EXPECT_FALSE(failed.OpenReplacing(nowhere.get()));
    EXPECT_FALSE(failed.FailureReason().empty());
}

} // namespace
