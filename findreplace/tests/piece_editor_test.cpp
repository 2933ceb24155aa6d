// The streaming editor against the plain piece-by-piece model, on texts
// built to put hits on and around the 512-byte piece borders, with every
// kind of line end, NUL bytes, growing and shrinking replacements, and the
// data handed over in chunks of many sizes.
#include "findreplace/piece_editor.hpp"

#include <gtest/gtest.h>

#include <random>

#include "reference_editor.hpp"

using morfex::PieceEditor;

namespace {

struct Edited {
    std::string text;
    bool replaced = false;
    uint64_t lines = 0;
};

Edited edit_in_chunks(std::string_view text, std::string_view find, std::string_view replace, size_t chunk) {
    PieceEditor editor(find, replace);
    Edited e;
    std::string pending;
    for (size_t pos = 0; pos < text.size(); pos += chunk) {
        pending += text.substr(pos, chunk);
        pending.erase(0, editor.edit(pending, false, e.text));
        EXPECT_LT(pending.size(), morfex::kPieceSize);
    }
    editor.edit(pending, true, e.text);
    e.replaced = editor.replaced();
    e.lines = editor.lines();
    return e;
}

// Lines of random lengths around multiples of 512, made of a few letters so
// that hits are frequent and overlap.
std::string random_text(std::mt19937& rng) {
    static const char* const kEnds[] = {"\r\n", "\n", "\r", "\n\r", "\r\r\n", ""};
    std::string text;
    const int lines = static_cast<int>(rng() % 12);
    for (int i = 0; i < lines; ++i) {
        size_t length = rng() % 3 == 0 ? 512 * (1 + rng() % 3) - 4 + rng() % 9 : rng() % 80;
        for (size_t k = 0; k < length; ++k) text += "abc\0x"[rng() % 5];
        text += kEnds[rng() % 6];
    }
    return text;
}

TEST(PieceEditor, AgreesWithThePieceByPieceModel) {
    std::mt19937 rng(12345);
    static const char* const kFinds[] = {"a", "ab", "aa", "abc", "ba", "cab", "xa"};
    static const char* const kReplaces[] = {"", "Z", "ab", "0123456789", "aaaa"};
    for (int round = 0; round < 3000; ++round) {
        const std::string text = random_text(rng);
        std::string find = kFinds[rng() % 7];
        if (rng() % 10 == 0) find = std::string(1 + rng() % 512, 'a');
        const std::string replace = kReplaces[rng() % 5];
        const size_t chunk = rng() % 4 == 0 ? text.size() + 1 : 1 + rng() % 700;
        const morfex_test::ReferenceResult want = morfex_test::reference_edit(text, find, replace);
        const Edited got = edit_in_chunks(text, find, replace, chunk);
        ASSERT_EQ(got.text, want.text) << "round " << round << " find " << find << " chunk " << chunk;
        ASSERT_EQ(got.replaced, want.replaced) << "round " << round;
        ASSERT_EQ(got.lines, want.lines) << "round " << round;
    }
}

TEST(PieceEditor, HitAcrossAPieceBorderIsKept) {
    // "ab" with its "a" at offset 511 of a long line crosses the border.
    std::string text = std::string(511, '-') + "ab" + std::string(100, '-') + "\r\n-ab";
    EXPECT_EQ(edit_in_chunks(text, "ab", "X", 4096).text,
              std::string(511, '-') + "ab" + std::string(100, '-') + "\r\n-X");
}

TEST(PieceEditor, CountsLinesWithCrLfAsOne) {
    PieceEditor editor("x", "y");
    std::string out;
    editor.edit("a\r\nb\nc\rd\r", false, out);
    EXPECT_EQ(editor.lines(), 4u);
    editor.edit("\ne", true, out);  // CR LF split over two calls
    EXPECT_EQ(editor.lines(), 4u);
    EXPECT_EQ(out, "a\r\nb\nc\rd\r\ne");
}

}  // namespace
