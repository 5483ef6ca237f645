#include "PageLayout.h"

#include "Gbk.h"
#include "VELMORDoc.h"

#include <array>
#include <climits>
#include <memory>
#include <unordered_map>

namespace {

constexpr int kMargin = 15;
constexpr int kTitleGap = 30;
constexpr int kLineGap = 10;
constexpr std::size_t kWrapWidth = 70;
constexpr std::size_t kHideThreshold = 2;
constexpr int kScrollSlack = 30;
constexpr int kFittingExtentHeight = 100;

// Contact details printed on the start page for vendors who want to join.
constexpr std::string_view kVendorEmail = "vendors@velmor.example";
constexpr std::string_view kVendorTelephone = "555-0100";
constexpr std::string_view kVendorQq = "10000";

enum class ValueKind
{
    Wrapped,
    Formula,
    Picture,
};

struct FieldRow
{
    Field field;
    std::string_view label; // UTF-8
    ValueKind kind;
};

constexpr std::array<FieldRow, 19> kFieldRows = {{
    {Field::EnglishName, "英文名称：", ValueKind::Wrapped},
    {Field::Alias, "别名：", ValueKind::Wrapped},
    {Field::CasNumber, "CAS号：", ValueKind::Wrapped},
    {Field::Formula, "化学式：", ValueKind::Formula},
    {Field::StructureImage, "结构式：", ValueKind::Picture},
    {Field::MolecularWeight, "分子量：", ValueKind::Wrapped},
    {Field::Purity, "纯度：", ValueKind::Wrapped},
    {Field::Storage, "储存方法：", ValueKind::Wrapped},
    {Field::FlashPoint, "闪点：", ValueKind::Wrapped},
    {Field::BoilingPoint, "沸点：", ValueKind::Wrapped},
    {Field::MeltingPoint, "熔点：", ValueKind::Wrapped},
    {Field::SpecificRotation, "比旋光度：", ValueKind::Wrapped},
    {Field::VapourPressure, "蒸汽压：", ValueKind::Wrapped},
    {Field::Solubility, "溶解性：", ValueKind::Wrapped},
    {Field::Toxicity, "毒性：", ValueKind::Wrapped},
    {Field::Appearance, "外观：", ValueKind::Wrapped},
    {Field::Use, "用途：", ValueKind::Wrapped},
    {Field::Vendor, "商家：", ValueKind::Wrapped},
    {Field::Remarks, "备注：", ValueKind::Wrapped},
}};

struct StartLine
{
    PageFont font;
    int divisor;      // the line's x is (left + right) / divisor - tw / 2
    std::string text; // UTF-8
};

std::array<StartLine, 12> startLines()
{
    const std::string email(kVendorEmail);
    return {{
        {PageFont::Title, 3, "软件介绍 "},
        {PageFont::Text, 8,
         "本软件收集试剂词条近2万条，包括试剂名称、别  名、CAS号、化学式、分子量、纯度、存"},
        {PageFont::Text, 12,
         "储方法、闪点、熔点、沸点、比旋光度、蒸汽压、溶解性、毒性、外观、用途、生产商家等信息。"
         "可"},
        {PageFont::Text, 12,
         "根据名称、CAS号、化学式、用途进行检索。是实验室工作者必不可少的工具书与好帮手。"},
        {PageFont::Title, 3, "商家加入"},
        {PageFont::Text, 8,
         "本软件热诚征集试剂生产厂商合作，有意向的商家请将贵公司的试剂产品名称、物性数据、"},
        {PageFont::Text, 12,
         "联系方式及产品报价表单发送至 " + email + "，我们审核通过后将更新软件版本，在相应的试"},
        {PageFont::Text, 12,
         "剂中，'商家'一栏显示贵公司名称及联系方式。以便用户在查询试剂的同时能找到其对应的生产厂"},
        {PageFont::Text, 12, "商。给用户以采购平台，给商家以推广机会。"},
        {PageFont::Title, 8, "合作咨询电话：" + std::string(kVendorTelephone)},
        {PageFont::Title, 8, "业务QQ：" + std::string(kVendorQq)},
        {PageFont::Title, 8, "软件现有词条不断增加，请您随时关注更新最新版本。"},
    }};
}

/// The page's fixed texts in code page 936, converted once.
struct PageTexts
{
    std::string labelColumn;
    std::array<std::string, kFieldRows.size()> labels;
    std::array<StartLine, 12> startLines;
    std::string noRecords;
    std::string noMatch;
    std::string notFoundBefore;
    std::string notFoundAfter;
};

std::string cp936(std::string_view utf8)
{
    return gbk::fromUtf8(utf8).value();
}

const PageTexts& texts()
{
    static const PageTexts t = [] {
        PageTexts p;
        p.labelColumn = cp936("五个字哦：");
        for (std::size_t i = 0; i < kFieldRows.size(); ++i)
            p.labels[i] = cp936(kFieldRows[i].label);
        p.startLines = startLines();
        for (StartLine& line : p.startLines)
            line.text = cp936(line.text);
        p.noRecords = cp936("试剂数据库中没有记录，无法显示试剂信息。");
        p.noMatch = cp936("没有找到符合检索条件的试剂，请换一个检索词再试。");
        p.notFoundBefore = cp936("没有找到名为“");
        p.notFoundAfter = cp936("”的试剂。");
        return p;
    }();
    return t;
}

/// The widths of one font's characters, each measured once per composition: a long formula
/// repeats few characters.
class GlyphWidths
{
public:
    GlyphWidths(PageMeasurer& measurer, PageFont font) : m_Measurer(measurer), m_Font(font)
    {
        m_Bytes.fill(-1);
    }

    int of(std::string_view character)
    {
        if (character.size() == 1) {
            int& width = m_Bytes[static_cast<unsigned char>(character[0])];
            if (width < 0)
                width = m_Measurer.textExtent(m_Font, character).width;
            return width;
        }
        const unsigned key = static_cast<unsigned char>(character[0]) << 8 |
                             static_cast<unsigned char>(character[1]);
        const auto [it, added] = m_Pairs.try_emplace(key, 0);
        if (added)
            it->second = m_Measurer.textExtent(m_Font, character).width;
        return it->second;
    }

private:
    PageMeasurer& m_Measurer;
    PageFont m_Font;
    std::array<int, 256> m_Bytes;
    std::unordered_map<unsigned, int> m_Pairs;
};

/// True for the characters after which a number counts molecules of a hydrate or adduct
/// ("CuSO4.5H2O", "CuSO4·5H2O", "CuSO4*5H2O") and stays on the line.
bool joinsAdduct(std::string_view character)
{
    return character == "." || character == "*" || character == "\xA1\xA4"; // "·"
}

/// The composition in progress: the items so far and the running y. Items wholly outside the
/// visible part of the page are measured as they come but not kept.
class Composer
{
public:
    Composer(PageMeasurer& measurer, const PageRequest& request, PageLayout& page)
        : m_Measurer(measurer), m_Items(page.items), m_Lines(page.lines),
          m_Right(request.client.width - kMargin), m_TextWidths(measurer, PageFont::Text),
          m_SubscriptWidths(measurer, PageFont::Subscript)
    {
        m_ValueX = kMargin + measurer.textExtent(PageFont::Text, texts().labelColumn).width;
        if (const std::optional<PageRect>& v = request.visible) {
            m_Visible = {v->x, v->y, v->x + v->width, v->y + v->height};
            for (PageFont font : {PageFont::Title, PageFont::Text, PageFont::Subscript})
                m_Heights[static_cast<int>(font)] = measurer.textHeight(font);
        }
    }

    int y() const { return m_Y; }

    void startPage()
    {
        const std::array<StartLine, 12>& lines = texts().startLines;
        // Every line is placed with the title's measurements, whatever its own font.
        const PageSize title = m_Measurer.textExtent(PageFont::Title, lines[0].text);
        for (const StartLine& line : lines) {
            openLine();
            draw(line.font, (kMargin + m_Right) / line.divisor - title.width / 2, line.text);
            m_Y += title.height + kLineGap;
        }
    }

    void reagentPage(const ReagentRecord& record, std::string_view name)
    {
        const int titleWidth = m_Measurer.textExtent(PageFont::Title, name).width;
        openLine();
        draw(PageFont::Title, (kMargin + m_Right) / 2 - titleWidth / 2, name);
        m_LineHeight = m_Measurer.textHeight(PageFont::Text);
        m_Y += kTitleGap;
        for (std::size_t i = 0; i < kFieldRows.size(); ++i) {
            const FieldRow& row = kFieldRows[i];
            const std::string_view value = fieldText(record, row.field);
            if (!IsFieldShown(row.field, value))
                continue;
            const std::string& label = texts().labels[i];
            openLine();
            draw(PageFont::Text, m_ValueX - m_Measurer.textExtent(PageFont::Text, label).width,
                 label);
            m_Lines.back().value = m_Items.size();
            switch (row.kind) {
            case ValueKind::Wrapped:
                wrapped(value);
                break;
            case ValueKind::Formula:
                formula(value);
                break;
            case ValueKind::Picture:
                picture(value);
                break;
            }
        }
    }

    void note(std::string_view text)
    {
        openLine();
        draw(PageFont::Text, kMargin, text);
        m_Y += m_Measurer.textHeight(PageFont::Text) + kLineGap;
    }

private:
    struct Edges
    {
        int left = INT_MIN;
        int top = INT_MIN;
        int right = INT_MAX;
        int bottom = INT_MAX;
    };

    bool rowsVisible(int y, int height) const
    {
        return y < m_Visible.bottom && y + height > m_Visible.top;
    }

    /// Begins a line at the running y; its items are the ones drawn until the next line.
    void openLine(bool continues = false)
    {
        const std::size_t first = m_Items.size();
        m_Lines.push_back(PageLine{first, first, m_Y, continues});
    }

    void draw(PageFont font, int x, std::string_view text) { draw(font, x, m_Y, text); }
    void draw(PageFont font, int x, int y, std::string_view text)
    {
        if (x < m_Visible.right && rowsVisible(y, m_Heights[static_cast<int>(font)]))
            m_Items.emplace_back(PageText{font, x, y, text});
    }

    // L / 70 + 1 lines of at most 70 bytes, the last one possibly empty. A line never ends
    // inside a two-byte character: it stops one byte short and, if the lines run out, one
    // more line takes the rest.
    void wrapped(std::string_view value)
    {
        const std::size_t lines = value.size() / kWrapWidth + 1;
        std::size_t start = 0;
        for (std::size_t k = 0; k < lines || start < value.size(); ++k) {
            if (k > 0)
                openLine(true);
            const std::string_view rest = value.substr(start);
            const std::size_t length = gbk::wholeCharacterPrefix(rest, kWrapWidth);
            draw(PageFont::Text, m_ValueX, rest.substr(0, length));
            start += length;
            m_Y += m_LineHeight + kLineGap;
        }
    }

    // Digits are subscripts, except a number right after ".", "·" or "*" (the 5 of
    // CuSO4.5H2O, the 10 of Na2SO4·10H2O), which counts molecules and stays on the line. A
    // two-byte character is drawn whole. The walk ends at the visible part's right edge: no
    // glyph beyond it can show, and nothing below depends on them.
    void formula(std::string_view value)
    {
        if (rowsVisible(m_Y, m_LineHeight)) {
            const int shift = m_LineHeight - m_Measurer.textHeight(PageFont::Subscript);
            int x = m_ValueX;
            bool coefficient = false;
            for (std::size_t i = 0; i < value.size() && x < m_Visible.right;) {
                const char c = value[i];
                const bool digit = c >= '0' && c <= '9';
                const bool pair =
                    gbk::isLeadByte(static_cast<unsigned char>(c)) && i + 1 < value.size();
                const std::string_view character = value.substr(i, pair ? 2 : 1);
                i += character.size();
                if (digit && !coefficient) {
                    const int width = m_SubscriptWidths.of(character);
                    if (x + width > m_Visible.left)
                        draw(PageFont::Subscript, x, m_Y + shift, character);
                    x += width;
                    continue;
                }
                coefficient = digit || joinsAdduct(character);
                const int width = m_TextWidths.of(character);
                if (x + width > m_Visible.left)
                    draw(PageFont::Text, x, character);
                x += width;
            }
        }
        m_Y += m_LineHeight + kLineGap;
    }

    // A picture that does not load paints nothing and takes only the line height.
    void picture(std::string_view path)
    {
        const PageSize size = m_Measurer.pictureSize(path);
        if (size.width > 0 && size.height > 0 && m_ValueX < m_Visible.right &&
            rowsVisible(m_Y, size.height))
            m_Items.emplace_back(PagePicture{m_ValueX, m_Y, size, path});
        m_Y += m_LineHeight + size.height;
    }

    PageMeasurer& m_Measurer;
    std::vector<PageItem>& m_Items;
    std::vector<PageLine>& m_Lines;
    int m_Right;
    int m_ValueX = 0;
    int m_Y = kMargin;
    int m_LineHeight = 0;
    Edges m_Visible;
    std::array<int, 3> m_Heights{};
    GlyphWidths m_TextWidths;
    GlyphWidths m_SubscriptWidths;
};

/// The extent grows to fit a long page and falls back as soon as the page fits.
std::optional<int> extentAfter(int y, const PageRequest& request)
{
    std::optional<int> height;
    if (y > request.extentHeight)
        height = y + kScrollSlack;
    if (y < request.client.height)
        height = kFittingExtentHeight;
    return height;
}

std::string_view missingNote(const CVELMORDoc& doc, std::string_view name, PageLayout& page)
{
    const PageTexts& t = texts();
    if (doc.RecordCount() <= 0)
        return t.noRecords;
    if (name.empty())
        return t.noMatch;
    return *page.ownTexts.emplace_back(std::make_shared<const std::string>(
        t.notFoundBefore + std::string(name) + t.notFoundAfter));
}

} // namespace

bool IsFieldShown(Field field, std::string_view value)
{
    return value.size() > kHideThreshold || field == Field::Vendor;
}

bool RequestsStartPage(const PageRequest& request)
{
    return request.currentName == kStartPageName || request.specialPage == kBusinessPageWord;
}

PageLayout ComposeStartPage(const PageRequest& request, PageMeasurer& measurer)
{
    PageLayout page;
    Composer composer(measurer, request, page);
    composer.startPage();
    page.startPage = true;
    page.bottom = composer.y();
    return page;
}

PageLayout ComposePage(const CVELMORDoc& doc, const PageRequest& request, PageMeasurer& measurer)
{
    // The lookup runs on every paint, also when the start page follows.
    const std::optional<int> index = doc.FindRecordByName(request.currentName);
    if (RequestsStartPage(request))
        return ComposeStartPage(request, measurer);
    PageLayout page;
    Composer composer(measurer, request, page);
    if (index) {
        const std::string& title =
            *page.ownTexts.emplace_back(std::make_shared<const std::string>(request.currentName));
        composer.reagentPage(doc.Record(*index), title);
        page.record = index;
    } else {
        composer.note(missingNote(doc, request.currentName, page));
    }
    page.extentHeight = extentAfter(composer.y(), request);
    page.bottom = composer.y();
    return page;
}
