#include "CsvImport.h"

#include "ArchiveWriter.h"
#include "Commands.h"
#include "Csv.h"
#include "DatabaseFile.h"
#include "Messages.h"
#include "TextEdge.h"
#include "VELMORDoc.h"

#include <array>
#include <charconv>
#include <limits>
#include <optional>
#include <sstream>

namespace {

class Importer
{
public:
    Importer(std::string_view csvText, std::string_view sourceName)
        : m_Reader(csvText), m_Source(quoted(sourceName))
    {
    }

    CsvImport run(std::ostream& out)
    {
        readHeader();
        std::ostringstream body;
        ArchiveWriter writer(body);
        while (readRow()) {
            if (m_Fields.size() == 1 && m_Fields[0].empty())
                continue; // an empty line
            if (m_Fields.size() != m_Columns.size())
                fail("有 " + std::to_string(m_Fields.size()) + " 个字段，而表头有 " +
                     std::to_string(m_Columns.size()) + " 列");
            if (m_Result.records == CVELMORDoc::kCapacity)
                throw CommandError(m_Source + "的记录超过了程序能容纳的 " +
                                   std::to_string(CVELMORDoc::kCapacity) + " 条。");
            WriteRecord(writer, convertRow());
            ++m_Result.records;
        }
        ArchiveWriter(out).writeInt32(m_Result.records);
        out << body.view();
        return m_Result;
    }

private:
    bool readRow()
    {
        try {
            return m_Reader.next(m_Fields);
        } catch (const CsvError& error) {
            throw CommandError(m_Source + error.what());
        }
    }

    void readHeader()
    {
        if (!readRow())
            throw CommandError(m_Source + "是空的，连表头都没有。");
        for (const std::string& name : m_Fields) {
            const std::optional<Field> field = fieldByName(name);
            if (field && m_Seen[static_cast<int>(*field)])
                throw CommandError(m_Source + "的表头中" + quoted(name) + "出现了不止一次。");
            if (field)
                m_Seen[static_cast<int>(*field)] = true;
            else
                m_Result.ignoredColumns.push_back(name);
            m_Columns.push_back(field);
        }
    }

    /// The row as a record; its texts live in m_Texts until the next row.
    ReagentRecord convertRow()
    {
        ReagentRecord record;
        for (std::size_t c = 0; c < m_Columns.size(); ++c) {
            if (!m_Columns[c])
                continue;
            m_Column = c;
            const Field field = *m_Columns[c];
            if (!isTextField(field)) {
                (field == Field::LeadInt1 ? record.LeadInt1 : record.LeadInt2) =
                    integer(m_Fields[c]);
                continue;
            }
            EncodingProblem problem;
            std::optional<std::string> text = toDatabaseText(m_Fields[c], &problem);
            if (!text)
                fail(problem.describe() + (problem.character.empty() ? "；CSV 文件应当是 UTF-8 编码"
                                                                     : "无法用代码页 936 表示"));
            std::string& stored = m_Texts[textIndex(field)];
            stored = std::move(*text);
            fieldText(record, field) = stored;
        }
        m_Column.reset();
        return record;
    }

    std::int32_t integer(const std::string& text)
    {
        if (text.empty())
            return 0;
        std::int32_t value = 0;
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, value);
        if (error != std::errc() || stop != end)
            fail(quoted(text) + "不是 " + std::to_string(std::numeric_limits<std::int32_t>::min()) +
                 " 到 " + std::to_string(std::numeric_limits<std::int32_t>::max()) +
                 " 之间的十进制整数");
        return value;
    }

    /// Ends the import with a message about the current row (and column, in convertRow).
    [[noreturn]] void fail(const std::string& problem)
    {
        // Rows count as a spreadsheet shows them, the header being row 1; a field with line
        // breaks makes the file's line number differ.
        std::string where = "第 " + std::to_string(m_Reader.recordNumber()) + " 行";
        if (m_Reader.recordLine() != m_Reader.recordNumber())
            where += "（文件第 " + std::to_string(m_Reader.recordLine()) + " 行起）";
        if (m_Column)
            where += "，" + quoted(kFieldNames[static_cast<int>(*m_Columns[*m_Column])]) + "列";
        throw CommandError(m_Source + where + "：" + problem + "。没有写出数据库。");
    }

    CsvReader m_Reader;
    std::string m_Source;
    CsvImport m_Result;
    std::vector<std::string> m_Fields;
    std::vector<std::optional<Field>> m_Columns;
    std::array<bool, kFieldCount> m_Seen{};
    std::array<std::string, kTextFieldCount> m_Texts;
    std::optional<std::size_t> m_Column;
};

} // namespace

CsvImport ImportCsv(std::string_view csvText, std::string_view sourceName, std::ostream& out)
{
    if (csvText.starts_with("\xEF\xBB\xBF"))
        csvText.remove_prefix(3);
    return Importer(csvText, sourceName).run(out);
}
