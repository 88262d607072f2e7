#pragma once

#include <QVarLengthArray>
#include <QtGlobal>

// Stepping over the lines of a record file at memory speed: a load of a large database
// passes over most of its bytes without making text of them.
namespace LineScan {

// The first CR or LF at or after p, or end.
const char *FindLineEnd(const char *p, const char *end);

struct HeaderLine
{
    const char *end;
    // "~~" separators before the line end, counted as the field splitter reads them.
    int separators;
    // Where the last field starts: after the last separator, or at the line's start.
    const char *lastField;
};
HeaderLine ScanHeaderLine(const char *p, const char *end);

// Past one line end: CR LF, a lone CR or a lone LF (p is returned when there is none).
inline const char *SkipLineEnd(const char *p, const char *end)
{
    if (p < end && *p == '\r') {
        ++p;
        if (p < end && *p == '\n')
            ++p;
    } else if (p < end && *p == '\n') {
        ++p;
    }
    return p;
}

bool IsAscii(const char *p, qsizetype n);

// What separates the numbers of a record's "{" level kind "}" prefix.
inline bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The "~~"-separated fields of a line's bytes, split as the text would be: no byte of
// a character beyond ASCII is a "~", in UTF-8 or in Windows-1252.
struct Field
{
    const char *begin;
    const char *end;
};
using Fields = QVarLengthArray<Field, 12>;
void SplitFields(const char *p, const char *end, Fields &fields);

} // namespace LineScan
