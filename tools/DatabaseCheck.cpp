#include "DatabaseCheck.h"

#include "CasNumber.h"
#include "FormulaWeight.h"
#include "Messages.h"
#include "MolecularWeight.h"
#include "TextEdge.h"
#include "VELMORDoc.h"

#include <cstdio>
#include <unordered_map>

namespace {

std::string utf8(std::string_view gbkText)
{
    std::string text;
    appendUtf8(text, gbkText);
    return text;
}

std::string recordNumber(int index)
{
    return "第 " + std::to_string(index + 1) + " 条记录";
}

std::string twoDecimals(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

class RecordChecker
{
public:
    RecordChecker(const CVELMORDoc& doc, const PictureInspector& inspectPicture)
        : m_Doc(doc), m_InspectPicture(inspectPicture)
    {
    }

    std::vector<Finding> run()
    {
        for (int i = 0; i < m_Doc.RecordCount(); ++i) {
            m_Index = i;
            const ReagentRecord& record = m_Doc.Record(i);
            m_Name = utf8(record.ChineseName);
            checkName(record.ChineseName);
            checkCas(record.CasNumber);
            checkWeight(record.Formula, record.MolecularWeight);
            checkPicture(record.StructureImage);
        }
        return std::move(m_Findings);
    }

private:
    void report(Finding::Severity severity, std::string message)
    {
        m_Findings.push_back({severity, m_Index, m_Name, std::move(message)});
    }

    void checkName(std::string_view name)
    {
        if (name.empty()) {
            report(Finding::Severity::Error, "中文名称是空的，这条记录无法按名称打开");
            return;
        }
        const auto [first, inserted] = m_FirstWithName.emplace(name, m_Index);
        if (!inserted)
            report(Finding::Severity::Error, "中文名称与" + recordNumber(first->second) +
                                                 "相同，按名称只能打开" +
                                                 recordNumber(first->second));
    }

    void checkCas(std::string_view cas)
    {
        if (cas.empty())
            return;
        const CasVerdict verdict = CheckCasNumber(cas);
        if (verdict.kind == CasVerdict::Kind::Malformed)
            report(Finding::Severity::Error,
                   "CAS 号" + quoted(utf8(cas)) +
                       "格式不对，应为 2 到 7 位数字、2 位数字和 1 位校验数字，以连字符隔开，"
                       "如 7732-18-5");
        else if (verdict.kind == CasVerdict::Kind::WrongCheckDigit)
            report(Finding::Severity::Error, "CAS 号" + quoted(utf8(cas)) + "的校验位不对，应为 " +
                                                 std::to_string(verdict.expectedDigit));
    }

    void checkWeight(std::string_view formula, std::string_view weight)
    {
        if (formula.empty() || weight.empty())
            return;
        const std::string formulaText = utf8(formula);
        const std::optional<StatedWeight> stated = ParseStatedWeight(weight);
        if (!stated) {
            report(Finding::Severity::Warning,
                   "分子量" + quoted(utf8(weight)) + "不是一个数，没有核对分子量");
            return;
        }
        std::string problem;
        const std::optional<double> computed = FormulaWeight(formulaText, &problem);
        if (!computed) {
            report(Finding::Severity::Warning, "无法从化学式" + quoted(formulaText) +
                                                   "算出分子量（" + problem + "），没有核对分子量");
            return;
        }
        if (!WeightsAgree(*stated, *computed))
            report(Finding::Severity::Error, "分子量" + quoted(utf8(weight)) + "与化学式" +
                                                 quoted(formulaText) + "算出的 " +
                                                 twoDecimals(*computed) + " 不符");
    }

    void checkPicture(std::string_view path)
    {
        if (path.empty())
            return;
        const std::string pathText = utf8(path);
        auto it = m_Pictures.find(pathText);
        if (it == m_Pictures.end())
            it = m_Pictures.emplace(pathText, m_InspectPicture(std::string(path))).first;
        if (it->second)
            report(Finding::Severity::Error, "结构式图片" + quoted(pathText) + "：" + *it->second);
    }

    const CVELMORDoc& m_Doc;
    const PictureInspector& m_InspectPicture;
    std::vector<Finding> m_Findings;
    std::unordered_map<std::string_view, int> m_FirstWithName;
    std::unordered_map<std::string, std::optional<std::string>> m_Pictures;
    int m_Index = 0;
    std::string m_Name;
};

} // namespace

std::vector<Finding> CheckRecords(const CVELMORDoc& doc, const PictureInspector& inspectPicture)
{
    return RecordChecker(doc, inspectPicture).run();
}

std::vector<Finding> CheckLayout(const LoadSummary& summary, std::string_view fileName)
{
    std::vector<Finding> findings;
    if (std::optional<std::string> notice = summary.notice(fileName))
        findings.push_back({Finding::Severity::Error, -1, {}, std::move(*notice)});
    // Past the records the store cannot hold, the rest of the file is those records.
    else if (summary.bytesRead < summary.fileSize)
        findings.push_back({Finding::Severity::Error,
                            -1,
                            {},
                            "数据库文件" + quoted(fileName) + "在最后一条记录之后还有 " +
                                std::to_string(summary.fileSize - summary.bytesRead) +
                                " 字节（自偏移 " + std::to_string(summary.bytesRead) +
                                " 起），程序不会读取它们；文件开头的记录数可能写小了"});
    return findings;
}

std::string FormatFinding(const Finding& finding)
{
    std::string line = finding.severity == Finding::Severity::Error ? "错误：" : "警告：";
    if (finding.record >= 0)
        line += recordNumber(finding.record) + quoted(finding.name) + "：";
    line += finding.message;
    if (!line.ends_with("。"))
        line += "。";
    return line;
}
