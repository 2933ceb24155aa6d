#include "findreplace/piece_editor.hpp"

#include <gtest/gtest.h>

using morfex::edit_text;
using morfex::PieceEditor;

TEST(PieceEditor, ReplacesLeftToRightWithoutOverlap) {
    bool replaced = false;
    EXPECT_EQ(edit_text("aaaa", "aa", "a", &replaced), "aa");
    EXPECT_TRUE(replaced);
    EXPECT_EQ(edit_text("aaa", "aa", "b"), "ba");
    EXPECT_EQ(edit_text("abab abab", "ab", "abab"), "abababab abababab");
    EXPECT_EQ(edit_text("x abc y abc", "abc", ""), "x  y ");
    EXPECT_EQ(edit_text("nothing", "abc", "x", &replaced), "nothing");
    EXPECT_FALSE(replaced);
}

TEST(PieceEditor, LineEndsAreCopiedByteForByte) {
    EXPECT_EQ(edit_text("ab\r\nab\nab\rab", "ab", "X"), "X\r\nX\nX\rX");
    EXPECT_EQ(edit_text("\n\r\r\n\n", "a", "b"), "\n\r\r\n\n");
    EXPECT_EQ(edit_text("a\nb", "a\nb", "X"), "a\nb");  // a match never spans a line end
}

TEST(PieceEditor, LongLinesAreCutInto512BytePieces) {
    std::string before(510, '.');
    // The match straddles bytes 511 and 512 and is not found; the next is.
    std::string text = before + "XYZ" + "XYZ";
    std::string got = edit_text(text, "XYZ", "1");
    EXPECT_EQ(got, before + "XYZ" + "1");
    // Exactly one piece plus line end; the next line starts a new piece.
    std::string full(512, 'a');
    EXPECT_EQ(edit_text(full + "\nab", "ab", "X"), std::string(512, 'a') + "\nX");
    EXPECT_EQ(edit_text(full, "a", "bb"), std::string(1024, 'b'));  // growth is written whole
}

TEST(PieceEditor, KeepsNulAndHighBytes) {
    std::string text("a\0abc\xff\0abc", 10);
    EXPECT_EQ(edit_text(text, "abc", "Z"), std::string("a\0Z\xff\0Z", 6));
}

TEST(PieceEditor, FeedingInChunksGivesTheSameResult) {
    std::string text;
    for (int i = 0; i < 200; ++i) text += std::string(static_cast<size_t>(i * 7 % 900), 'a') + "abc" + (i % 3 ? "\r\n" : "\r");
    const std::string whole = edit_text(text, "abca", "#");
    for (size_t chunk : {1u, 2u, 3u, 511u, 512u, 513u, 4096u}) {
        PieceEditor editor("abca", "#");
        std::string out, pending;
        for (size_t pos = 0; pos < text.size(); pos += chunk) {
            pending += text.substr(pos, chunk);
            pending.erase(0, editor.edit(pending, false, out));
            ASSERT_LT(pending.size(), morfex::kPieceSize);
        }
        editor.edit(pending, true, out);
        EXPECT_EQ(out, whole) << "chunk " << chunk;
    }
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
