#include "FormulaWeight.h"

#include "AtomicWeights.h"
#include "Messages.h"

#include <array>

namespace {

struct FormulaFault
{
    std::string reason;
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}
bool isLower(char c)
{
    return c >= 'a' && c <= 'z';
}

class FormulaParser
{
public:
    explicit FormulaParser(std::string_view text) : m_Text(text) {}

    double parse()
    {
        double total = adduct();
        while (joiningDot())
            total += adduct();
        if (!atEnd())
            fail(m_Text[m_Pos] == ')' || m_Text[m_Pos] == ']' || m_Text[m_Pos] == '}'
                     ? "右括号" + quoted(m_Text.substr(m_Pos, 1)) + "没有对应的左括号"
                     : "无法识别" + quoted(characterAt(m_Pos)));
        return total;
    }

private:
    [[noreturn]] static void fail(std::string reason) { throw FormulaFault{std::move(reason)}; }

    bool atEnd() const { return m_Pos >= m_Text.size(); }
    char peek() const { return atEnd() ? '\0' : m_Text[m_Pos]; }

    /// The whole UTF-8 character at `pos`, for messages.
    std::string characterAt(std::size_t pos) const
    {
        std::size_t end = pos + 1;
        while (end < m_Text.size() && (static_cast<unsigned char>(m_Text[end]) & 0xC0) == 0x80)
            ++end;
        return std::string(m_Text.substr(pos, end - pos));
    }

    void skipBlanks()
    {
        while (peek() == ' ')
            ++m_Pos;
    }

    bool joiningDot()
    {
        static constexpr std::array<std::string_view, 7> dots = {
            ".", "*", "\u00B7", "\u2022", "\u22C5", "\u2219", "\u30FB"};
        const std::size_t start = m_Pos;
        skipBlanks();
        for (std::string_view dot : dots) {
            if (m_Text.substr(m_Pos).starts_with(dot)) {
                m_Pos += dot.size();
                skipBlanks();
                return true;
            }
        }
        m_Pos = start;
        return false;
    }

    unsigned long wholeNumber()
    {
        unsigned long value = 0;
        while (isDigit(peek())) {
            value = value * 10 + static_cast<unsigned long>(peek() - '0');
            if (value > 1000000)
                fail("数目太大");
            ++m_Pos;
        }
        return value;
    }

    /// A count after an element or a group: a whole number, 1 when absent.
    double count() { return isDigit(peek()) ? static_cast<double>(wholeNumber()) : 1.0; }

    /// The multiplier in front of an adduct: "5", "0.5" or "1/2"; 1 when absent.
    double multiplier()
    {
        if (!isDigit(peek()))
            return 1.0;
        double value = static_cast<double>(wholeNumber());
        if (peek() == '.' && m_Pos + 1 < m_Text.size() && isDigit(m_Text[m_Pos + 1])) {
            ++m_Pos;
            double scale = 0.1;
            while (isDigit(peek())) {
                value += scale * (peek() - '0');
                scale /= 10;
                ++m_Pos;
            }
        } else if (peek() == '/' && m_Pos + 1 < m_Text.size() && isDigit(m_Text[m_Pos + 1])) {
            ++m_Pos;
            const unsigned long divisor = wholeNumber();
            if (divisor == 0)
                fail("分母为 0");
            value /= static_cast<double>(divisor);
        }
        return value;
    }

    double adduct()
    {
        const double factor = multiplier();
        return factor * sequence();
    }

    /// Elements and groups, up to the first character that is neither.
    double sequence()
    {
        double total = 0;
        bool any = false;
        for (;;) {
            const char c = peek();
            if (isUpper(c)) {
                const std::size_t length =
                    m_Pos + 1 < m_Text.size() && isLower(m_Text[m_Pos + 1]) ? 2 : 1;
                const std::string_view symbol = m_Text.substr(m_Pos, length);
                const std::optional<double> weight = AtomicWeight(symbol);
                if (!weight)
                    fail(quoted(symbol) + "不是元素符号");
                m_Pos += length;
                total += *weight * count();
            } else if (c == '(' || c == '[' || c == '{') {
                const char close = c == '(' ? ')' : c == '[' ? ']' : '}';
                ++m_Pos;
                const double inner = sequence();
                if (peek() != close)
                    fail("左括号" + quoted(std::string(1, c)) + "没有对应的右括号");
                ++m_Pos;
                total += inner * count();
            } else if (isLower(c)) {
                fail(quoted(std::string(1, c)) + "不是元素符号，也不是确定的数目");
            } else {
                break;
            }
            any = true;
        }
        if (!any)
            fail(atEnd() ? "缺少元素符号" : "在" + quoted(characterAt(m_Pos)) + "之前缺少元素符号");
        return total;
    }

    std::string_view m_Text;
    std::size_t m_Pos = 0;
};

} // namespace

std::optional<double> FormulaWeight(std::string_view formula, std::string* problem)
{
    try {
        return FormulaParser(formula).parse();
    } catch (const FormulaFault& fault) {
        if (problem)
            *problem = fault.reason;
        return std::nullopt;
    }
}
