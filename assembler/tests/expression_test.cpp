#include <gtest/gtest.h>

#include <sstream>

#include "assembler/assembler_state.hpp"
#include "assembler/expression.hpp"
#include "assembler/symbol_table.hpp"

namespace tarn {
namespace {

class Expression : public testing::Test {
protected:
    Expression() : con{in, out, out}, st(con) {
        sym_clear(st);
        sym_define_registers(st);
        define("LABEL", 0x0100, true);
        define("LABEL2", 0x0040, true);
        define("TAB", 0x0200, false);
        Symbol* ext = sym_add(st, "EXT");
        ext->flags = kRefName;
        st.pass = 2;
        st.current_segment = kProgramSegment;
        st.current_relocatable = true;
        st.location_counter = 0x10;
    }
    void define(const char* name, uint16_t value, bool relocatable) {
        Symbol* s = sym_add(st, name);
        s->value = value;
        s->segment = kProgramSegment;
        s->flags = kDefined | (relocatable ? kRelocatable : 0);
    }
    struct Eval {
        int code;
        OperandValue v;
        std::vector<int> queued;
    };
    Eval eval(std::string_view text) {
        st.line_error_count = 0;
        Eval e;
        e.code = eval_expression(st, text, e.v);
        e.queued.assign(st.line_errors.begin(), st.line_errors.begin() + st.line_error_count);
        return e;
    }
    std::istringstream in;
    std::ostringstream out;
    platform::Console con;
    AssemblerState st;
};

TEST_F(Expression, ArithmeticIsLeftToRightAndWraps) {
    EXPECT_EQ(eval("1+2*3").v.value, 9);
    EXPECT_EQ(eval("10-2-3").v.value, 5);
    EXPECT_EQ(eval("-5").v.value, 0xFFFB);
    EXPECT_EQ(eval(">FFFF+1").v.value, 0);
    EXPECT_EQ(eval("65537").v.value, 1);
    EXPECT_EQ(eval("12TAB").v.value, 0x200);  // a term after a term replaces it
    EXPECT_EQ(eval("2*-3").v.value, 0xFFFA);
}

TEST_F(Expression, SignedDivision) {
    EXPECT_EQ(eval("-10/3").v.value, 0xFFFD);
    EXPECT_EQ(eval("10/-3").v.value, 0xFFFD);
    EXPECT_EQ(eval("-10/-3").v.value, 3);
    Eval zero = eval("7/0");
    EXPECT_EQ(zero.code, kOutOfRange);
    EXPECT_EQ(zero.v.value, 7);
    EXPECT_EQ(zero.queued, std::vector<int>{kOutOfRange});
}

TEST_F(Expression, CharacterConstants) {
    EXPECT_EQ(eval("'AB'").v.value, 0x4142);
    EXPECT_EQ(eval("'A'").v.value, 0x41);
    EXPECT_EQ(eval("''").v.value, 0);
    EXPECT_EQ(eval("''''").v.value, 0x27);
    EXPECT_EQ(eval("'\xE9'").v.value, 0xFFE9);  // codes above >7F count as negative
    Eval three = eval("'ABC'");
    EXPECT_EQ(three.v.value, 0);
    EXPECT_EQ(three.code, 0);
    EXPECT_EQ(three.queued, std::vector<int>{kSyntaxError});
}

TEST_F(Expression, Relocation) {
    Eval diff = eval("LABEL-LABEL2");
    EXPECT_EQ(diff.v.value, 0xC0);
    EXPECT_FALSE(diff.v.relocatable);
    EXPECT_EQ(eval("LABEL+LABEL2").code, kSyntaxError);
    EXPECT_EQ(eval("LABEL*2").code, kSyntaxError);
    EXPECT_EQ(eval("-LABEL").code, kSyntaxError);
    Eval here = eval("$+4");
    EXPECT_EQ(here.v.value, 0x14);
    EXPECT_TRUE(here.v.relocatable);
    EXPECT_EQ(here.v.segment, kProgramSegment);
}

TEST_F(Expression, ExternalNamesStandAlone) {
    Eval alone = eval("EXT");
    EXPECT_EQ(alone.code, 0);
    EXPECT_TRUE(alone.v.external);
    EXPECT_NE(st.last_external, nullptr);
    Eval sum = eval("EXT+2");
    EXPECT_EQ(sum.code, kInvalidRef);
    EXPECT_EQ(sum.v.value, 0);
    EXPECT_EQ(st.last_external, nullptr);
}

TEST_F(Expression, SyntaxErrorsAndTermErrors) {
    EXPECT_EQ(eval("").code, kSyntaxError);
    EXPECT_EQ(eval("1++2").code, kSyntaxError);
    EXPECT_EQ(eval("1---2").code, kSyntaxError);
    Eval trailing = eval("1+");
    EXPECT_EQ(trailing.code, kSyntaxError);
    EXPECT_EQ(trailing.v.value, 1);
    Eval undefined = eval("NOSUCH+1");
    EXPECT_EQ(undefined.code, 0);
    EXPECT_EQ(undefined.queued, std::vector<int>{kUndefinedSymbol});
    Eval lone = eval(">");
    EXPECT_EQ(lone.queued, std::vector<int>{kSyntaxError});
    EXPECT_EQ(eval("LONGNAME").queued, (std::vector<int>{kSymbolTruncation, kUndefinedSymbol}));
}

TEST_F(Expression, GeneralOperandModes) {
    GeneralOperand op;
    parse_general_operand(st, "*R1+", op);
    EXPECT_EQ(op.mode, 3);
    EXPECT_EQ(op.reg.value, 1);
    parse_general_operand(st, "@TAB(R2)", op);
    EXPECT_EQ(op.mode, 2);
    EXPECT_EQ(op.addr.value, 0x200);
    EXPECT_EQ(op.reg.value, 2);
    st.line_error_count = 0;
    parse_general_operand(st, "@TAB(R0)", op);
    EXPECT_EQ(st.line_errors[0], kInvalidIndexR0);
    st.line_error_count = 0;
    parse_general_operand(st, "@TAB(R2", op);  // no closing bracket
    EXPECT_EQ(op.reg.value, 0);
    EXPECT_EQ(op.addr.value, 0x200);
    ASSERT_EQ(st.line_error_count, 1);
    EXPECT_EQ(st.line_errors[0], kSyntaxError);
}

}  // namespace
}  // namespace tarn
