#pragma once

#include "DatabaseFile.h"

#include <optional>
#include <string>

class CVELMORDoc;

/// Loads a database file for a command that reads it. When it cannot be loaded, prints the
/// loader's message and returns nothing; when it announced more records than the program
/// holds, prints that notice and goes on with the records loaded.
std::optional<LoadSummary> LoadForReading(CVELMORDoc& doc, const std::string& path);

/// Collects output and writes it to standard output in large pieces.
class OutputBuffer
{
public:
    OutputBuffer() { m_Text.reserve(2 * kChunk); }
    ~OutputBuffer() { flush(); }
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    /// The text to append to; call `written()` after each piece.
    std::string& text() { return m_Text; }
    void written()
    {
        if (m_Text.size() >= kChunk)
            flush();
    }
    void flush();

private:
    static constexpr std::size_t kChunk = 1 << 16;
    std::string m_Text;
};
