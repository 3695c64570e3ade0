#include "description/key_value_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using Tokens = std::vector<std::string>;

// Every token of `text` as the loaders see them, up to the first null.
Tokens Read(const std::string& text) {
    std::istringstream in(text);
    KeyValueFile file;
    EXPECT_TRUE(file.Load(in, " ="));
    Tokens tokens;
    while (const char* token = file.NextToken()) {
        tokens.emplace_back(token);
    }
    return tokens;
}

TEST(KeyValueFileTest, SeparatorsAndLines) {
    // Blanks, an equals sign or both separate a key from its value.
    EXPECT_EQ(Read("a = b\nc=d\ne f\n  g  ==  h  \n"),
              (Tokens{"a", "b", "c", "d", "e", "f", "g", "h"}));
    EXPECT_EQ(Read("one two three\n"), (Tokens{"one", "two", "three"}));
    // A tab is no separator.
    EXPECT_EQ(Read("key\tvalue\n"), (Tokens{"key\tvalue"}));
    // Blank lines and lines of separators are passed over; tokens run on across lines.
    EXPECT_EQ(Read("a\n\n  = =  \nb\n"), (Tokens{"a", "b"}));
    // Case and repetition stand as written.
    EXPECT_EQ(Read("App_Name x\nApp_Name x\n"), (Tokens{"App_Name", "x", "App_Name", "x"}));
    // CR LF arrives as LF only through a text-mode stream; a raw CR stays in the token.
    EXPECT_EQ(Read("a b\r\n"), (Tokens{"a", "b\r"}));
}

TEST(KeyValueFileTest, EndOfFile) {
    EXPECT_TRUE(Read("").empty());
    EXPECT_TRUE(Read("no line feed at all").empty());
    EXPECT_EQ(Read("kept\ndropped"), (Tokens{"kept"}));
    EXPECT_EQ(Read("kept\nalso kept\n"), (Tokens{"kept", "also", "kept"}));
}

TEST(KeyValueFileTest, QuotedSpans) {
    EXPECT_EQ(Read("app_name \"My Menu\"\n"), (Tokens{"app_name", "My Menu"}));
    EXPECT_EQ(Read("cmd = \"a=b\"\n"), (Tokens{"cmd", "a=b"}));
    EXPECT_EQ(Read("key \"\"\n"), (Tokens{"key"}));
    EXPECT_EQ(Read("key \" \"\n"), (Tokens{"key", " "}));
    EXPECT_EQ(Read("\"first one\" second\n"), (Tokens{"first one", "second"}));
    // Text touching a quote from outside is a token of its own.
    EXPECT_EQ(Read("word\"two words\"word\n"), (Tokens{"word", "two words", "word"}));
    // Pairs are taken left to right.
    EXPECT_EQ(Read("\"a b\" \"c d\"\n"), (Tokens{"a b", "c d"}));
    // An odd number of quotes drops the whole line, and reading goes on.
    EXPECT_EQ(Read("a \"b c\nd\n"), (Tokens{"d"}));
    // In a line with a quote, characters 0x01 and 0x02 come out as the delimiters they stand for.
    EXPECT_EQ(Read("x\x01y\x02z \"q\"\n"), (Tokens{"x y=z", "q"}));
    EXPECT_EQ(Read("x\x01y\n"), (Tokens{"x\x01y"}));
}

TEST(KeyValueFileTest, ManyDelimitersWithQuotes) {
    const std::string many(33, '#');
    const std::string delimiters = " " + many.substr(1);
    std::istringstream in("a b\n\"c\" d\n");
    KeyValueFile file;
    ASSERT_TRUE(file.Load(in, delimiters.c_str()));
    // Unquoted lines still split; quoted lines give nothing with more than 32 delimiters.
    EXPECT_STREQ(file.NextToken(), "a");
    EXPECT_STREQ(file.NextToken(), "b");
    EXPECT_EQ(file.NextToken(), nullptr);
}

TEST(KeyValueFileTest, LineLength) {
    const std::string longest(255, 'x');
    EXPECT_EQ(Read(longest + "\nnext\n"), (Tokens{longest, "next"}));
    // A longer line is refused as a whole rather than cut into keys nobody wrote.
    std::istringstream in("a\n" + std::string(256, 'y') + "\nb\n");
    KeyValueFile file;
    EXPECT_FALSE(file.Load(in, " ="));
}

TEST(KeyValueFileTest, RewindsAfterTheEnd) {
    std::istringstream in("a b\n\nc\n");
    KeyValueFile file;
    ASSERT_TRUE(file.Load(in, " ="));
    for (int round = 0; round < 2; ++round) {
        EXPECT_STREQ(file.NextToken(), "a");
        EXPECT_STREQ(file.NextToken(), "b");
        EXPECT_STREQ(file.NextToken(), "c");
        EXPECT_EQ(file.NextToken(), nullptr);
    }
    // A second Load replaces everything.
    std::istringstream other("z\n");
    ASSERT_TRUE(file.Load(other, " ="));
    EXPECT_STREQ(file.NextToken(), "z");
    EXPECT_EQ(file.NextToken(), nullptr);
    // An empty reader has nothing, and says so every time.
    KeyValueFile empty;
    EXPECT_EQ(empty.NextToken(), nullptr);
    EXPECT_EQ(empty.NextToken(), nullptr);
}

TEST(TokenLineTest, HandsOutAndRewinds) {
    TokenLine line;
    line.Tokenize("k v", " =");
    EXPECT_STREQ(line.NextToken(), "k");
    EXPECT_STREQ(line.NextToken(), "v");
    EXPECT_EQ(line.NextToken(), nullptr);
    EXPECT_STREQ(line.NextToken(), "k");
    TokenLine none;
    none.Tokenize("  ==  ", " =");
    EXPECT_EQ(none.NextToken(), nullptr);
}

}  // namespace
