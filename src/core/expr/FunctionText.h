#pragma once

#include <string>

// How a typed function is read before it is compiled, and what the user is
// told when its syntax is refused. The window and the command line share
// these, so both say the same.

// Function texts are case-insensitive: "SIN(X)" plots sin(x).
std::string LowerAscii(std::string text);

// Only blanks (or nothing): no function at all.
bool IsBlankText(const std::string &text);

inline constexpr const char *kSyntaxCaption = "Expression Syntactical Error!";

struct SSyntaxPlace;

// The message for a CheckSyntax code (1..3); empty for 0 and unknown codes.
std::string SyntaxMessage(int code);

// The same with a line naming the character at fault, when there is one:
// "The first is 'q', at character 3." plus a known name close to the word.
std::string SyntaxMessage(const SSyntaxPlace &place);
std::string SyntaxPlaceLine(const SSyntaxPlace &place);
