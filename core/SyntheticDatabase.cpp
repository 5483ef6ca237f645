#include "SyntheticDatabase.h"

#include "ArchiveWriter.h"
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

struct Vocabulary
{
    std::vector<std::string> nameParts = toGbk({
        "氯化", "硫酸", "硝酸", "乙酸", "甲基", "乙基", "丙基", "丁基", "苯",     "甲苯",
        "二甲", "三氯", "四氢", "呋喃", "吡啶", "钠",   "钾",   "铜",   "铁",     "锌",
        "镁",   "钙",   "铵",   "醇",   "酮",   "醛",   "酯",   "酸",   "胺",     "酰",
        "羟基", "氨基", "硝基", "溴",   "碘",   "氟",   "磷酸", "碳酸", "氢氧化", "过氧化",
        "邻",   "间",   "对",   "异",   "正",   "叔",   "环己", "萘",   "蒽",
    });
    std::vector<std::string> textParts = toGbk({
        "用作分析试剂", "有机合成中间体", "色谱分析标准物质", "溶于水",         "微溶于乙醇",
        "不溶于乙醚",   "易潮解",         "遇明火易燃",       "密封避光保存",   "置于阴凉干燥处",
        "无色透明液体", "白色结晶性粉末", "有特殊气味",       "对皮肤有刺激性", "用于电镀工业",
        "常用作溶剂",   "可作催化剂",     "用于制药",         "与强氧化剂反应", "远离火种、热源",
    });
    std::vector<std::string> englishWords = {
        "sodium",    "potassium", "chloride",  "sulfate",  "nitrate",         "acetate",  "methyl",
        "ethyl",     "propyl",    "butyl",     "benzene",  "toluene",         "acid",     "amine",
        "hydroxide", "phosphate", "Carbonate", "Dimethyl", "Tetrahydrofuran", "Pyridine", "alcohol",
        "ketone",    "ester",
    };
    std::vector<std::string> elements = {"C", "H",  "O",  "N",  "S", "Cl", "Na",
                                         "K", "Cu", "Fe", "Br", "P", "Mg", "Ca"};
    std::vector<std::string> purities = {"AR", "CP", "GR", "AR,99.5%", "HPLC,99.9%", "98%"};
    std::string celsius = *gbk::fromUtf8("℃");
    std::string comma = *gbk::fromUtf8("，");
};

std::string chineseText(Random& r, const Vocabulary& v, int minBytes, int maxBytes)
{
    const int target = r.between(minBytes, maxBytes);
    std::string s;
    while (static_cast<int>(s.size()) < target) {
        if (!s.empty())
            s += v.comma;
        s += r.pick(v.textParts);
    }
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

int CasCheckDigit(std::string_view digitsWithHyphens)
{
    int sum = 0;
    int weight = 1;
    for (auto it = digitsWithHyphens.rbegin(); it != digitsWithHyphens.rend(); ++it) {
        if (*it < '0' || *it > '9')
            continue;
        sum += weight++ * (*it - '0');
    }
    return sum % 10;
}

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
        for (int p = r.between(1, 4); p > 0; --p)
            name += r.pick(v.nameParts);
        set(Field::ChineseName, name);
        std::string english;
        for (int w = r.between(1, 4); w > 0; --w)
            english += (english.empty() ? "" : " ") + r.pick(v.englishWords);
        set(Field::EnglishName, english);
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
