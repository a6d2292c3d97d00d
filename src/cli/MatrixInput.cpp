#include "cli/MatrixInput.h"

#include "cli/Cli.h"

#include "core/expr/NumberText.h"

#include <optional>

std::string SourceName(const std::string &path) { return path == "-" ? "standard input" : path; }

std::string Numbers(int n) { return std::to_string(n) + (n == 1 ? " number" : " numbers"); }

namespace {

// A token as it appears in a message: short, and only printable characters.
std::string Shown(const std::string &token)
{
    std::string out;
    for (char c : token.substr(0, 24))
        out += c >= ' ' && c <= '~' ? c : '?';
    return token.size() > 24 ? out + "..." : out;
}

// The same reading as a grid cell of the windows; the messages only say more.
double ReadCell(const std::string &token, const std::string &where)
{
    if (const std::optional<double> value = ReadCellNumber(token))
        return *value;
    switch (ExamineNumber(token).kind) {
    case NumberKind::OutOfRange: throw CInputError(where + ": '" + Shown(token) + "' is out of range");
    case NumberKind::NotFinite: throw CInputError(where + ": '" + Shown(token) + "' is not a finite number");
    default: throw CInputError(where + ": '" + Shown(token) + "' is not a number");
    }
}

}  // namespace

// The numbers of one line, separated by blanks or by commas (with blanks
// around them or not). An empty field between commas is refused rather than
// read as a zero that was never typed.
std::vector<double> ReadRow(const std::string &line, const std::string &where)
{
    std::vector<double> row;
    std::string token;
    bool fieldOpen = false;  // a comma was seen and no number after it yet
    auto flush = [&] {
        if (token.empty())
            return;
        row.push_back(ReadCell(token, where));
        token.clear();
        fieldOpen = false;
    };
    for (char c : line) {
        if (c == ',') {
            flush();
            if (fieldOpen || row.empty())
                throw CInputError(where + ": an empty field between commas");
            fieldOpen = true;
        } else if (c == ' ' || c == '\t' || c == '\f' || c == '\v') {
            flush();
        } else {
            token += c;
        }
    }
    flush();
    if (fieldOpen)
        throw CInputError(where + ": an empty field after the last comma");
    return row;
}

CMatrix ReadMatrixText(const std::string &text, const std::string &source, const SShape &shape)
{
    std::vector<double> values;
    int rows = 0, cols = 0, lineNo = 0;
    // A byte order mark, as some editors write, is no part of the first number.
    for (std::size_t pos = text.starts_with("\xEF\xBB\xBF") ? 3 : 0; pos < text.size();) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string where = source + ", line " + std::to_string(++lineNo);
        const std::vector<double> row = ReadRow(text.substr(pos, end - pos), where);
        pos = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        if (row.empty())
            continue;
        const int n = static_cast<int>(row.size());
        if (n > shape.maxCols)
            throw CInputError(where + ": " + Numbers(n) + "; " + shape.rule);
        if (rows > 0 && n != cols)
            throw CInputError(where + ": " + Numbers(n) + ", but the rows above have " + std::to_string(cols));
        if (++rows > shape.maxRows)
            throw CInputError(where + ": more than " + std::to_string(shape.maxRows) + " rows; " + shape.rule);
        cols = n;
        values.insert(values.end(), row.begin(), row.end());
    }
    if (rows == 0)
        throw CInputError(source + ": no numbers: the matrix is empty");
    return CMatrix(rows, cols, std::move(values));
}

CMatrix ReadMatrix(const std::string &path, const SShape &shape)
{
    return ReadMatrixText(ReadInput(path), SourceName(path), shape);
}
