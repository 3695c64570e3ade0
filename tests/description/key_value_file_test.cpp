// SPDX-License-Identifier: MIT
// How the key-value reader splits a description into tokens.
#include "description/key_value_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Tokens = std::vector<std::string>;

// Every token up to the first null.
Tokens Take(KeyValueFile& file) {
    Tokens tokens;
    while (const char* token = file.NextToken()) {
        tokens.emplace_back(token);
    }
    return tokens;
}

// The tokens of `text` as the loaders see them; nothing when the reader refuses the text.
std::optional<Tokens> Read(const std::string& text, const std::string& delimiters = " =") {
    std::istringstream in(text);
    KeyValueFile file;
    return file.Load(in, delimiters.c_str()) ? std::optional<Tokens>(Take(file)) : std::nullopt;
}

TEST(KeyValueFileTest, TokensRewindAndReload) {
    const std::string longest(255, 'x');
    const std::pair<std::string, Tokens> cases[] = {
        // Blanks, an equals sign or both separate a key from its value; a tab does not.
        {"a = b\nc=d\ne f\n  g  ==  h  \n", {"a", "b", "c", "d", "e", "f", "g", "h"}},
        {"key\tvalue\n", {"key\tvalue"}},
        // Blank lines and lines of separators are passed over; tokens run on across lines.
        {"a\n\n  = =  \nb\n", {"a", "b"}},
        // Case and repetition stand as written.
        {"App_Name x\nApp_Name x\n", {"App_Name", "x", "App_Name", "x"}},
        // CR LF arrives as LF only through a text-mode stream; a raw CR stays in the token.
        {"a b\r\n", {"a", "b\r"}},
        // Text after the last line feed is ignored.
        {"", {}},
        {"no line feed at all", {}},
        {"kept\ndropped", {"kept"}},
        {longest + "\nnext\n", {longest, "next"}},
        // Quotes protect the delimiters between them.
        {"app_name \"My Menu\"\n", {"app_name", "My Menu"}},
        {"cmd = \"a=b\"\n", {"cmd", "a=b"}},
        {"key \"\"\n", {"key"}},
        {"key \" \"\n", {"key", " "}},
        {"\"first one\" second\n", {"first one", "second"}},
        // Text touching a quote from outside is a token of its own; pairs go left to right.
        {"word\"two words\"word\n", {"word", "two words", "word"}},
        {"\"a b\" \"c d\"\n", {"a b", "c d"}},
        // An odd number of quotes drops the whole line, and reading goes on.
        {"a \"b c\nd\n", {"d"}},
        // In a line with a quote, characters 0x01 and 0x02 come out as the delimiters they
        // stand for.
        {"x\x01y\x02z \"q\"\n", {"x y=z", "q"}},
        {"x\x01y\n", {"x\x01y"}},
    };
    for (const auto& [text, tokens] : cases) {
        EXPECT_EQ(Read(text), tokens) << text;
    }
    // With more than 32 delimiters, quoted lines give nothing; unquoted lines still split.
    EXPECT_EQ(Read("a b\n\"c\" d\n", " " + std::string(32, '#')), (Tokens{"a", "b"}));
    // A longer line is refused as a whole rather than cut into keys nobody wrote.
    EXPECT_EQ(Read("a\n" + std::string(256, 'y') + "\nb\n"), std::nullopt);

    // After the last token the reader starts again; a new load replaces the tokens.
    std::istringstream in("a b\n\nc\n");
    KeyValueFile file;
    ASSERT_TRUE(file.Load(in, " ="));
    EXPECT_EQ(Take(file), (Tokens{"a", "b", "c"}));
    EXPECT_EQ(Take(file), (Tokens{"a", "b", "c"}));
    std::istringstream other("z\n");
    ASSERT_TRUE(file.Load(other, " ="));
    EXPECT_EQ(Take(file), Tokens{"z"});
    KeyValueFile empty;
    EXPECT_EQ(empty.NextToken(), nullptr);
    EXPECT_EQ(empty.NextToken(), nullptr);

    // Blank lines cost nothing however many there are; more tokens than any menu has refuse the
    // file instead of exhausting memory.
    std::string blanks;
    blanks.resize(20000000, '\n');
    std::istringstream blank(blanks + "x\n");
    ASSERT_TRUE(file.Load(blank, " ="));
    EXPECT_EQ(Take(file), Tokens{"x"});
    std::string many;
    for (int i = 0; i < 200001; ++i) {
        many += "a b c d e\n";
    }
    std::istringstream huge(many);
    EXPECT_FALSE(file.Load(huge, " ="));
}

}  // namespace
