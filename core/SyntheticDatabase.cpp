#include "SyntheticDatabase.h"

#include "ArchiveWriter.h"
#include "CasNumber.h"
#include "DatabaseFile.h"
#include "Gbk.h"

#include <array>
#include <vector>

namespace {

/// splitmix64: small, fast and the same on every platform.
class Random
{
public:
    explicit Random(std::uint64_t seed) : m_State(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (m_State += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    /// A number in [low, high].
    int between(int low, int high)
    {
        return low + static_cast<int>(next() % static_cast<std::uint64_t>(high - low + 1));
    }
    template <class T> const T& pick(const std::vector<T>& items)
    {
        return items[next() % items.size()];
    }

private:
    std::uint64_t m_State;
};

std::vector<std::string> toGbk(std::initializer_list<const char*> utf8Words)
{
    std::vector<std::string> words;
    for (const char* w : utf8Words)
        words.push_back(*gbk::fromUtf8(w));
    return words;
}

std::vector<std::string> characters(const char* utf8)
{
    std::vector<std::string> out;
    const std::string all = *gbk::fromUtf8(utf8);
    for (std::size_t i = 0; i + 1 < all.size(); i += 2)
        out.push_back(all.substr(i, 2));
    return out;
}

struct Vocabulary
{
    // Characters of reagent names, and of the running text of the other fields.
    std::vector<std::string> nameChars = characters(
        "氯化硫酸硝乙甲基丙丁苯二三四氢呋喃吡啶钠钾铜铁锌镁钙铵醇酮醛酯胺酰羟氨溴碘氟磷碳氧"
        "过邻间对异正叔环己萘蒽戊庚辛壬癸烯炔腈酚醚砜肼脲胍咪唑噻吩吲哚喹啉嘧嘌糖苷钡锶锂铝");
    std::vector<std::string> textChars = characters(
        "用作分析试剂有机合成中间体色谱标准物质溶于水微乙醇不醚易潮解遇明火燃密封避光保存置阴"
        "凉干燥处无色透明液白结晶性粉末特殊气味对皮肤刺激电镀工业常可催化制药与强氧反应远离种"
        "热源测定检验定量滴染料农医食品添加剂防腐消毒照相印刷纺织橡胶塑料涂油漆冶金");
    std::vector<std::string> textParts = toGbk({
        "用作分析试剂", "有机合成中间体", "色谱分析标准物质", "溶于水",         "微溶于乙醇",
        "不溶于乙醚",   "易潮解",         "遇明火易燃",       "密封避光保存",   "置于阴凉干燥处",
        "无色透明液体", "白色结晶性粉末", "有特殊气味",       "对皮肤有刺激性", "用于电镀工业",
        "常用作溶剂",   "可作催化剂",     "用于制药",         "与强氧化剂反应", "远离火种、热源",
    });
    std::vector<std::string> syllables = {
        "meth", "eth",  "prop", "but",  "pent", "hex",   "hept",  "oct",  "non",  "dec",
        "yl",   "ol",   "one",  "ate",  "ide",  "amine", "chlor", "brom", "iod",  "fluor",
        "phen", "benz", "nitr", "sulf", "phos", "carb",  "ox",    "hydr", "acet", "form",
        "cycl", "pyr",  "thio", "az",   "im",   "en",    "an",    "yne",  "ic",   "ous",
    };
    std::vector<std::string> elements = {"C", "H",  "O",  "N",  "S", "Cl", "Na",
                                         "K", "Cu", "Fe", "Br", "P", "Mg", "Ca"};
    std::vector<std::string> purities = {"AR", "CP", "GR", "AR,99.5%", "HPLC,99.9%", "98%"};
    std::string celsius = *gbk::fromUtf8("℃");
    std::string comma = *gbk::fromUtf8("，");
};

/// Running Chinese text: fixed phrases of reagent catalogues between made-up words.
std::string chineseText(Random& r, const Vocabulary& v, int minBytes, int maxBytes)
{
    const int target = r.between(minBytes, maxBytes);
    std::string s;
    while (static_cast<int>(s.size()) < target) {
        if (!s.empty())
            s += v.comma;
        if (r.between(0, 9) < 2) {
            s += r.pick(v.textParts);
            continue;
        }
        for (int c = r.between(2, 6); c > 0; --c)
            s += r.pick(v.textChars);
    }
    return s;
}

std::string englishName(Random& r, const Vocabulary& v)
{
    std::string s;
    for (int w = r.between(1, 3); w > 0; --w) {
        std::string word;
        for (int k = r.between(2, 4); k > 0; --k)
            word += r.pick(v.syllables);
        if (r.between(0, 3) == 0)
            word[0] = static_cast<char>(word[0] - 'a' + 'A');
        s += (s.empty() ? "" : " ") + word;
    }
    if (r.between(0, 9) == 0)
        s += " acid";
    return s;
}

std::string formula(Random& r, const Vocabulary& v)
{
    std::string s;
    const int parts = r.between(1, 5);
    for (int i = 0; i < parts; ++i) {
        s += r.pick(v.elements);
        const int n = r.between(0, 14);
        if (n > 1)
            s += "<sub>" + std::to_string(n) + "</sub>";
    }
    if (r.between(0, 9) == 0)
        s += ".<sub>" + std::to_string(r.between(2, 7)) + "</sub>H<sub>2</sub>O";
    return s;
}

std::string casNumber(Random& r)
{
    std::string s =
        std::to_string(r.between(50, 9999999)) + "-" + std::to_string(r.between(10, 99));
    return s + "-" + std::to_string(CasCheckDigit(s));
}

} // namespace

void GenerateSyntheticRecords(std::int64_t count, std::uint64_t seed,
                              const std::function<void(const ReagentRecord&)>& onRecord)
{
    const Vocabulary v;
    Random r(seed);
    std::array<std::string, kTextFieldCount> texts;
    auto set = [&](Field f, std::string value) { texts[textIndex(f)] = std::move(value); };

    for (std::int64_t i = 0; i < count; ++i) {
        for (auto& t : texts)
            t.clear();
        std::string name;
        for (int c = r.between(2, 8); c > 0; --c)
            name += r.pick(v.nameChars);
        set(Field::ChineseName, name);
        set(Field::EnglishName, englishName(r, v));
        if (r.between(0, 2) == 0)
            set(Field::Alias, chineseText(r, v, 4, 30));
        set(Field::CasNumber, casNumber(r));
        set(Field::MolecularWeight,
            std::to_string(r.between(18, 900)) + "." + std::to_string(r.between(10, 99)));
        set(Field::Formula, formula(r, v));
        set(Field::Purity, r.pick(v.purities));
        set(Field::Storage, chineseText(r, v, 10, 40));
        set(Field::FlashPoint, std::to_string(r.between(-40, 300)) + v.celsius);
        set(Field::BoilingPoint, std::to_string(r.between(-50, 400)) + v.celsius);
        set(Field::MeltingPoint, std::to_string(r.between(-120, 900)) + v.celsius);
        if (r.between(0, 9) == 0)
            set(Field::SpecificRotation, "+" + std::to_string(r.between(1, 180)) + "°");
        set(Field::VapourPressure, std::to_string(r.between(1, 100)) + ".33kPa(" +
                                       std::to_string(r.between(0, 80)) + v.celsius + ")");
        set(Field::Solubility, chineseText(r, v, 10, 60));
        set(Field::Toxicity, "LD50: " + std::to_string(r.between(10, 9000)) + "mg/kg");
        set(Field::Appearance, chineseText(r, v, 10, 40));
        if (r.between(0, 3) == 0)
            set(Field::Remarks, chineseText(r, v, 20, 200));
        set(Field::Use, chineseText(r, v, 30, 260));
        if (r.between(0, 1) == 0)
            set(Field::StructureImage, "structures/" + std::to_string(i) + ".png");

        ReagentRecord record;
        record.LeadInt1 = static_cast<std::int32_t>(i);
        record.LeadInt2 = 0;
        for (int t = 0; t < kTextFieldCount; ++t)
            fieldText(record, textField(t)) = texts[t];
        onRecord(record);
    }
}

void WriteSyntheticDatabase(std::ostream& out, std::int64_t count, std::uint64_t seed)
{
    ArchiveWriter writer(out);
    writer.writeInt32(static_cast<std::int32_t>(count));
    GenerateSyntheticRecords(count, seed,
                             [&](const ReagentRecord& record) { WriteRecord(writer, record); });
}
