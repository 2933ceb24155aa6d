#include "findreplace/piece_editor.hpp"

#include <gtest/gtest.h>

using morfex::PieceEditor;

TEST(PieceEditor, CountsLinesWithCrLfAsOne) {
    PieceEditor editor("x", "y");
    std::string out;
    editor.edit("a\r\nb\nc\rd\r", false, out);
    EXPECT_EQ(editor.lines(), 4u);
    editor.edit("\ne", true, out);  // CR LF split over two calls
    EXPECT_EQ(editor.lines(), 4u);
    EXPECT_EQ(out, "a\r\nb\nc\rd\r\ne");
}
