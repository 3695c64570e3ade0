// SPDX-License-Identifier: MIT
// The token reader behind every description file. It cuts a text stream into lines and each line
// into tokens, and hands the tokens out one at a time in file order. It knows no keys: the loaders
// read key and value tokens by position.
//
// Syntax: a line ends at a line feed and holds at most 255 characters; text after the last line
// feed is ignored. Characters of the delimiter set separate tokens (a run counts as one). A pair
// of double quotes protects the delimiters between them and becomes two separators; a line with
// an odd number of quotes gives no tokens. There are no comments and no escapes.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

class TokenLine {
  public:
    // Cuts `text` into tokens at the characters of `delimiters` and appends them.
    void Tokenize(const char* text, const char* delimiters);
    // The line's next token; null once they are all handed out (which rewinds the line), or
    // when the line has none.
    const char* NextToken();
    // Every token of the line, for tools that report where a file went wrong.
    const std::vector<std::string>& Tokens() const { return m_tokens; }

  private:
    // Replaces `from` by `to` in [start, end) of `text`, end -1 meaning the end of the text;
    // returns how many were replaced.
    static int ReplaceChar(char* text, char from, char to, int start, int end);

    std::uint32_t m_nCurToken = 0;
    std::vector<std::string> m_tokens;
};

class KeyValueFile {
  public:
    // Replaces the content with the lines of `in`. False when a line is longer than 255
    // characters or the stream breaks down: the reader never returns part of a file.
    bool Load(std::istream& in, const char* delimiters);
    // The next token of the file; after the last one, null once, and the reader starts over.
    // Tokens stay valid until the next Load.
    const char* NextToken();

  private:
    std::uint32_t m_nCurLine = 0;
    std::vector<TokenLine> m_lines;
};
