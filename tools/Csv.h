#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

/// CSV as RFC 4180 has it: fields separated by commas, records by line breaks; a field in
/// double quotes may hold commas, line breaks and doubled quotes.

/// A CSV text that breaks the rules; `what()` says how, in Chinese.
class CsvError : public std::runtime_error
{
public:
    CsvError(std::size_t line, const std::string& message)
        : std::runtime_error(message), m_Line(line)
    {
    }
    /// The line (counting from 1) where the fault is.
    std::size_t line() const { return m_Line; }

private:
    std::size_t m_Line;
};

/// Reads the records of a CSV text one by one. Line breaks may be CRLF, LF or CR. A field
/// that does not start with a quote is taken as it stands, blanks included, and must not
/// contain a quote; after a closing quote only a comma or a line break may follow.
class CsvReader
{
public:
    explicit CsvReader(std::string_view text) : m_Text(text) {}

    /// Reads the next record into `fields`; false at the end of the text. Throws CsvError.
    bool next(std::vector<std::string>& fields);

    /// The line on which the record last read starts (counting from 1).
    std::size_t recordLine() const { return m_RecordLine; }

    /// The number of records read so far.
    std::size_t recordNumber() const { return m_RecordNumber; }

private:
    void readQuoted(std::string& field);
    /// Consumes a line break at the current position, if there is one.
    void skipLineBreak();

    std::string_view m_Text;
    std::size_t m_Pos = 0;
    std::size_t m_Line = 1;
    std::size_t m_RecordLine = 0;
    std::size_t m_RecordNumber = 0;
};

/// Appends one field, quoted when it holds a comma, a quote or a line break.
void appendCsvField(std::string& out, std::string_view field);
