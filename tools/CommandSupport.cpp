#include "CommandSupport.h"

#include "Messages.h"
#include "VELMORDoc.h"

#include <iostream>

std::optional<LoadSummary> LoadForReading(CVELMORDoc& doc, const std::string& path)
{
    try {
        LoadSummary summary = LoadDatabaseFile(doc, path);
        if (const std::optional<std::string> notice = summary.notice(path))
            printMessage(*notice);
        return summary;
    } catch (const DatabaseError& error) {
        printMessage(error.what());
        return std::nullopt;
    }
}

void OutputBuffer::flush()
{
    std::cout.write(m_Text.data(), static_cast<std::streamsize>(m_Text.size()));
    m_Text.clear();
}
