#include "Csv.h"

#include <algorithm>

namespace {

std::string onLine(std::size_t line)
{
    return "第 " + std::to_string(line) + " 行";
}

} // namespace

bool CsvReader::next(std::vector<std::string>& fields)
{
    const std::size_t size = m_Text.size();
    if (m_Pos >= size)
        return false;
    m_RecordLine = m_Line;
    ++m_RecordNumber;
    std::size_t count = 0;
    for (;;) {
        if (count == fields.size())
            fields.emplace_back();
        std::string& field = fields[count++];
        field.clear();
        if (m_Pos < size && m_Text[m_Pos] == '"') {
            readQuoted(field);
            if (m_Pos < size && m_Text[m_Pos] != ',' && m_Text[m_Pos] != '\r' &&
                m_Text[m_Pos] != '\n')
                throw CsvError(m_Line, onLine(m_Line) + "：带引号的字段在结束引号之后还有别的字符；"
                                                        "字段中的引号要写成两个引号。");
        } else {
            const std::size_t stop = std::min(m_Text.find_first_of(",\r\n\"", m_Pos), size);
            field.append(m_Text.substr(m_Pos, stop - m_Pos));
            m_Pos = stop;
            if (m_Pos < size && m_Text[m_Pos] == '"')
                throw CsvError(m_Line, onLine(m_Line) +
                                           "：没有加引号的字段中出现了引号；含有引号的字段要"
                                           "整个放在引号里，并把其中的引号写成两个。");
        }
        if (m_Pos < size && m_Text[m_Pos] == ',') {
            ++m_Pos;
            continue;
        }
        skipLineBreak();
        fields.resize(count);
        return true;
    }
}

void CsvReader::skipLineBreak()
{
    if (m_Pos < m_Text.size() && m_Text[m_Pos] == '\r') {
        ++m_Pos;
        if (m_Pos < m_Text.size() && m_Text[m_Pos] == '\n')
            ++m_Pos;
    } else if (m_Pos < m_Text.size() && m_Text[m_Pos] == '\n') {
        ++m_Pos;
    } else {
        return; // the end of the text
    }
    ++m_Line;
}

void CsvReader::readQuoted(std::string& field)
{
    const std::size_t startLine = m_Line;
    ++m_Pos; // the opening quote
    for (;;) {
        const std::size_t quote = m_Text.find('"', m_Pos);
        if (quote == std::string_view::npos)
            throw CsvError(startLine,
                           onLine(startLine) + "开始的带引号字段直到文件末尾都没有结束的引号。");
        const std::string_view piece = m_Text.substr(m_Pos, quote - m_Pos);
        for (std::size_t i = 0; i < piece.size(); ++i) {
            const bool crlf = piece[i] == '\r' && i + 1 < piece.size() && piece[i + 1] == '\n';
            if ((piece[i] == '\n' || piece[i] == '\r') && !crlf)
                ++m_Line;
        }
        field += piece;
        m_Pos = quote + 1;
        if (m_Pos < m_Text.size() && m_Text[m_Pos] == '"') {
            field += '"';
            ++m_Pos;
            continue;
        }
        return;
    }
}

void appendCsvField(std::string& out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}
