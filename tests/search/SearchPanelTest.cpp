#include "CASSearchDialog.h"
#include "Document.h"
#include "FakeSearchHost.h"
#include "FindSearchDialog.h"
#include "NameSearchDialog.h"
#include "NavigationHistory.h"
#include "ShiSearcherDialog.h"
#include "TestDatabase.h"
#include "UseSeacherDialog.h"
#include "VELMORDoc.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <tuple>

namespace {

class RedrawCounter : public CView
{
public:
    int redraws = 0;
    void OnUpdate(CView* sender, long hint, void* hintObject) override
    {
        EXPECT_EQ(sender, nullptr);
        EXPECT_EQ(hint, 1);
        EXPECT_EQ(hintObject, nullptr);
        ++redraws;
    }
};

struct PanelFixture : ::testing::Test
{
    std::deque<std::string> texts;
    FakeSearchHost host;
    RedrawCounter view;
    QWidget page;

    std::string_view G(const char* utf8) { return texts.emplace_back(gbkOf(utf8)); }

    void SetUp() override
    {
        loadRecords(host.doc,
                    {
                        reagent(G("乙醇"), {{Field::EnglishName, "Ethanol"},
                                            {Field::CasNumber, "64-17-5"},
                                            {Field::Use, G("溶剂，消毒")},
                                            {Field::Formula, "C<sub>2</sub>H<sub>6</sub>O"}}),
                        reagent(G("甲醇"), {{Field::EnglishName, "Methanol"},
                                            {Field::CasNumber, "67-56-1"},
                                            {Field::Use, G("溶剂，燃料")},
                                            {Field::Formula, "CH<sub>4</sub>O"}}),
                        reagent(G("丙酮"), {{Field::EnglishName, "Acetone"},
                                            {Field::CasNumber, "67-64-1"},
                                            {Field::Use, G("溶剂")},
                                            {Field::Formula, "C3H6O"}}),
                        reagent(G("氯化钠"), {{Field::EnglishName, "Sodium chloride"},
                                              {Field::CasNumber, "7647-14-5"},
                                              {Field::Use, G("调味")},
                                              {Field::Formula, "NaCl"}}),
                        reagent(G("乙醇"), {{Field::EnglishName, "ethanol absolute"},
                                            {Field::CasNumber, "64-17-5"}}),
                    });
        host.doc.AddView(&view);
        page.resize(320, 700);
        page.show();
    }
    void TearDown() override { host.doc.RemoveView(&view); }

    template <class Panel> Panel* Make(int templateId)
    {
        auto* panel = new Panel(host);
        EXPECT_TRUE(panel->Create(templateId, &page));
        panel->show();
        return panel;
    }

    static QLineEdit* Field(CSearchPanel* panel, int id)
    {
        return qobject_cast<QLineEdit*>(panel->GetDlgItem(id));
    }

    /// Types `text` into the field: Latin text key by key, Chinese text through the input
    /// method, as a user's input method commits it.
    static void Type(QLineEdit* field, const QString& text)
    {
        field->clear();
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClick(field, c.toLatin1());
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(QString(c));
                QApplication::sendEvent(field, &commit);
            }
        }
    }

    static void ClickSearch(CSearchPanel* panel)
    {
        QTest::mouseClick(panel->GetDlgItem(CSearchPanel::kSearchButtonId), Qt::LeftButton);
    }

    static QStringList Rows(CSearchPanel* panel)
    {
        QStringList rows;
        const ResultNamesModel& names = panel->ResultList().Names();
        for (int row = 0; row < names.rowCount(); ++row)
            rows << names.data(names.index(row), Qt::DisplayRole).toString();
        return rows;
    }

    static void Select(CSearchPanel* panel, std::initializer_list<int> rows)
    {
        ResultListView& list = panel->ResultList();
        list.clearSelection();
        for (int row : rows)
            list.selectionModel()->select(list.model()->index(row, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    static void DoubleClickRow(CSearchPanel* panel, int row)
    {
        ResultListView& list = panel->ResultList();
        // Near the left end of the row: the column is wider than the list.
        const QPoint at(10, list.visualRect(list.model()->index(row, 0)).center().y());
        // A double-click is a click followed by the second press.
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    }

    std::string Current() const { return host.doc.m_CurrentName; }
    std::vector<std::string> History() const
    {
        std::vector<std::string> entries;
        for (int i = 0; i < host.history.count(); ++i)
            entries.push_back(host.history.entry(i));
        return entries;
    }
};

const QStringList kInitial = [] {
    QStringList rows = {QStringLiteral("乙醇"), QStringLiteral("甲醇"), QStringLiteral("丙酮"),
                        QStringLiteral("氯化钠"), QStringLiteral("乙醇")};
    while (rows.size() < 100)
        rows << QString(); // table slots the file did not fill
    return rows;
}();

} // namespace

TEST_F(PanelFixture, EveryPanelStartsWithTheFirstHundredNamesAndAnEmptyQuery)
{
    const std::vector<std::pair<CSearchPanel*, int>> panels = {
        {Make<CNameSearchDialog>(130), 1001},
        {Make<CCASSearchDialog>(131), 1006},
        {Make<CUseSeacherDialog>(132), 1008},
        {Make<CShiSearcherDialog>(146), 1006},
    };
    for (const auto& [panel, queryId] : panels) {
        EXPECT_EQ(Rows(panel), kInitial);
        EXPECT_TRUE(Field(panel, queryId)->text().isEmpty());
        ResultListView& list = panel->ResultList();
        EXPECT_EQ(list.model()->headerData(0, Qt::Horizontal).toString(),
                  QStringLiteral("试剂名称"));
        EXPECT_EQ(list.header()->sectionSize(0), static_cast<int>(list.width() * 2.2));
        EXPECT_EQ(list.selectionMode(), QAbstractItemView::ExtendedSelection);
        EXPECT_EQ(list.selectionBehavior(), QAbstractItemView::SelectRows);
        EXPECT_TRUE(list.uniformRowHeights());
        EXPECT_EQ(panel->ErrorLink().TargetUrl(), QStringLiteral("http://www.velmor.example/"));
        EXPECT_EQ(panel->PriceLink().TargetUrl(), QStringLiteral("http://www.velmor.example/"));
        EXPECT_FALSE(panel->ErrorLink().IsUnderlined());
        EXPECT_EQ(panel->ErrorLink().text(), QStringLiteral("我要纠错"));
        EXPECT_EQ(panel->PriceLink().text(), QStringLiteral("价格咨询"));
    }
    // Only the name panel touches the page and the history, and it asks for no redraw.
    EXPECT_EQ(Current(), "firstpage");
    EXPECT_EQ(History(), std::vector<std::string>{"firstpage"});
    EXPECT_EQ(view.redraws, 0);
    auto* name = static_cast<CNameSearchDialog*>(panels[0].first);
    EXPECT_TRUE(qobject_cast<QRadioButton*>(name->GetDlgItem(1002))->isChecked());
    EXPECT_FALSE(qobject_cast<QRadioButton*>(name->GetDlgItem(1003))->isChecked());
    EXPECT_EQ(name->Mode(), 1);
}

TEST_F(PanelFixture, CasSearchListsMatchesInStoreOrderAndLeavesThePageAlone)
{
    auto* cas = Make<CCASSearchDialog>(131);
    Type(Field(cas, 1006), QStringLiteral("67"));
    ClickSearch(cas);
    EXPECT_EQ(Rows(cas), (QStringList{QStringLiteral("甲醇"), QStringLiteral("丙酮")}));
    EXPECT_EQ(cas->LastQuery(), "67");
    Type(Field(cas, 1006), QStringLiteral("64-17"));
    ClickSearch(cas);
    EXPECT_EQ(Rows(cas), (QStringList{QStringLiteral("乙醇"), QStringLiteral("乙醇")}));
    EXPECT_EQ(view.redraws, 0);
    EXPECT_EQ(host.history.count(), 0);

    // An empty query changes nothing; a query without hits empties the list.
    Type(Field(cas, 1006), QString());
    ClickSearch(cas);
    EXPECT_EQ(Rows(cas).size(), 2);
    EXPECT_EQ(cas->LastQuery(), "64-17");
    Type(Field(cas, 1006), QStringLiteral("999"));
    ClickSearch(cas);
    EXPECT_TRUE(Rows(cas).isEmpty());
}

TEST_F(PanelFixture, EverySearchSaysInTheStatusBarHowManyRecordsItListed)
{
    auto* cas = Make<CCASSearchDialog>(131);
    Type(Field(cas, 1006), QStringLiteral("67"));
    ClickSearch(cas);
    EXPECT_EQ(host.message, "找到 2 条");
    Type(Field(cas, 1006), QStringLiteral("999"));
    ClickSearch(cas);
    EXPECT_EQ(host.message, "没有找到");

    auto* name = Make<CNameSearchDialog>(130);
    Type(Field(name, 1001), QStringLiteral("醇"));
    ClickSearch(name);
    EXPECT_EQ(host.message, "找到 3 条");
    Type(Field(name, 1001), QStringLiteral("😀"));
    ClickSearch(name);
    EXPECT_EQ(host.message, "没有找到");
}

TEST_F(PanelFixture, EnterInTheCasPanelSearchesThenOpens)
{
    auto* cas = Make<CCASSearchDialog>(131);
    QLineEdit* field = Field(cas, 1006);
    Type(field, QStringLiteral("67-"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(Rows(cas).size(), 2);
    // Same query, nothing selected: nothing happens.
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(view.redraws, 0);
    Select(cas, {1});
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(Current(), gbkOf("丙酮"));
    EXPECT_EQ(History(), std::vector<std::string>{gbkOf("丙酮")});
    EXPECT_EQ(view.redraws, 1);

    // A query that finds nothing leaves the list empty, and Enter then searches again.
    Type(field, QStringLiteral("000"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(Rows(cas).isEmpty());
    Type(field, QStringLiteral("7647"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(Rows(cas), QStringList{QStringLiteral("氯化钠")});
}

TEST_F(PanelFixture, EnterBeforeAnySearchOpensTheSelectedInitialRow)
{
    auto* use = Make<CUseSeacherDialog>(132);
    Select(use, {3});
    QTest::keyClick(Field(use, 1008), Qt::Key_Return);
    EXPECT_EQ(Current(), gbkOf("氯化钠"));
    EXPECT_EQ(view.redraws, 1);
    EXPECT_EQ(Rows(use), kInitial); // no search ran
}

TEST_F(PanelFixture, OpeningTakesTheTopmostSelectedRowAndSkipsTheEntryShown)
{
    auto* name = Make<CNameSearchDialog>(130);
    auto* cas = Make<CCASSearchDialog>(131);
    Select(cas, {3, 1, 2});
    QTest::keyClick(&cas->ResultList(), Qt::Key_Return); // Enter in the list
    EXPECT_EQ(Current(), gbkOf("甲醇"));
    EXPECT_EQ(History(), (std::vector<std::string>{"firstpage", gbkOf("甲醇")}));

    DoubleClickRow(cas, 1); // the name shown: appended once only, redrawn all the same
    EXPECT_EQ(host.history.count(), 2);
    EXPECT_EQ(view.redraws, 2);

    DoubleClickRow(name, 2);
    EXPECT_EQ(Current(), gbkOf("丙酮"));
    EXPECT_EQ(History().back(), gbkOf("丙酮"));
    EXPECT_EQ(host.history.current(), 2);
    EXPECT_EQ(view.redraws, 3);

    // No selection: opening does nothing.
    cas->ResultList().clearSelection();
    QTest::keyClick(&cas->ResultList(), Qt::Key_Return);
    EXPECT_EQ(view.redraws, 3);
}

TEST_F(PanelFixture, NameSearchShowsTheFirstHitWithoutAHistoryEntry)
{
    auto* name = Make<CNameSearchDialog>(130);
    QLineEdit* field = Field(name, 1001);
    Type(field, QStringLiteral("醇"));
    ClickSearch(name);
    EXPECT_EQ(Rows(name), (QStringList{QStringLiteral("乙醇"), QStringLiteral("甲醇"),
                                       QStringLiteral("乙醇")}));
    EXPECT_EQ(Current(), gbkOf("乙醇"));
    EXPECT_EQ(view.redraws, 1);
    EXPECT_EQ(History(), std::vector<std::string>{"firstpage"});

    // Opening that row afterwards records it.
    Select(name, {0});
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(History(), (std::vector<std::string>{"firstpage", gbkOf("乙醇")}));

    // No hits: the empty page name, and a redraw.
    Type(field, QStringLiteral("苯"));
    ClickSearch(name);
    EXPECT_TRUE(Rows(name).isEmpty());
    EXPECT_EQ(Current(), "");
    EXPECT_EQ(view.redraws, 3);

    // An empty query empties the list and leaves the page alone.
    Type(field, QStringLiteral("醇"));
    ClickSearch(name);
    Type(field, QString());
    ClickSearch(name);
    EXPECT_TRUE(Rows(name).isEmpty());
    EXPECT_EQ(Current(), gbkOf("乙醇"));
    EXPECT_EQ(view.redraws, 4);
}

TEST_F(PanelFixture, RadioButtonsOnlySwitchTheModeAndEnterComparesTheQueryAlone)
{
    auto* name = Make<CNameSearchDialog>(130);
    QLineEdit* field = Field(name, 1001);
    Type(field, QStringLiteral("Ethanol"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(Rows(name).isEmpty()); // Chinese names hold no "Ethanol"

    auto* english = qobject_cast<QRadioButton*>(name->GetDlgItem(1003));
    QTest::mouseClick(english, Qt::LeftButton);
    EXPECT_EQ(name->Mode(), 2);
    EXPECT_FALSE(qobject_cast<QRadioButton*>(name->GetDlgItem(1002))->isChecked());
    EXPECT_TRUE(Rows(name).isEmpty()); // a click does not search

    // The list is empty, so Enter searches, now in the English names, case-sensitively:
    // neither "Methanol" nor "ethanol absolute" holds "Ethanol".
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(Rows(name), QStringList{QStringLiteral("乙醇")});
    EXPECT_EQ(Current(), gbkOf("乙醇"));

    Type(field, QStringLiteral("e"));
    ClickSearch(name);
    EXPECT_EQ(Rows(name).size(), 4);
    // Back to Chinese with the same query: Enter opens the selected row instead of searching.
    QTest::mouseClick(qobject_cast<QRadioButton*>(name->GetDlgItem(1002)), Qt::LeftButton);
    EXPECT_EQ(name->Mode(), 1);
    Select(name, {2});
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(Rows(name).size(), 4);
    EXPECT_EQ(Current(), gbkOf("氯化钠"));
    // "检索" always searches.
    ClickSearch(name);
    EXPECT_TRUE(Rows(name).isEmpty());
}

TEST_F(PanelFixture, FormulaPanelSearchesByButtonOnlyAndItsListIgnoresEnter)
{
    auto* formula = Make<CShiSearcherDialog>(146);
    QLineEdit* field = Field(formula, 1006);
    Type(field, QStringLiteral("C2H6O"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(Rows(formula), kInitial);
    EXPECT_EQ(formula->Query(), "C2H6O"); // Enter read the field

    ClickSearch(formula);
    EXPECT_EQ(Rows(formula), QStringList{QStringLiteral("乙醇")});
    Select(formula, {0});
    QTest::keyClick(&formula->ResultList(), Qt::Key_Return);
    EXPECT_EQ(view.redraws, 0);
    DoubleClickRow(formula, 0);
    EXPECT_EQ(Current(), gbkOf("乙醇"));
    EXPECT_EQ(view.redraws, 1);
}

TEST_F(PanelFixture, EnterOnTheFocusedSearchButtonPressesIt)
{
    auto* formula = Make<CShiSearcherDialog>(146);
    Type(Field(formula, 1006), QStringLiteral("NaCl"));
    QWidget* button = formula->GetDlgItem(CSearchPanel::kSearchButtonId);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(Rows(formula), QStringList{QStringLiteral("氯化钠")});
}

TEST_F(PanelFixture, AQueryWithCharactersOutsideCodePage936FindsNothing)
{
    auto* use = Make<CUseSeacherDialog>(132);
    Type(Field(use, 1008), QStringLiteral("溶剂😀"));
    ClickSearch(use);
    EXPECT_TRUE(Rows(use).isEmpty());

    auto* name = Make<CNameSearchDialog>(130);
    Type(Field(name, 1001), QStringLiteral("😀"));
    ClickSearch(name);
    EXPECT_TRUE(Rows(name).isEmpty());
    EXPECT_EQ(Current(), "");

    Type(Field(use, 1008), QStringLiteral("溶剂"));
    ClickSearch(use);
    EXPECT_EQ(Rows(use).size(), 3);
}

TEST_F(PanelFixture, APastedQueryKeepsItsFirstLineAndFindsWhatThatNames)
{
    // As copied from a spreadsheet cell or a web page, with the line break after it.
    const std::vector<std::tuple<CSearchPanel*, int, QString>> panels = {
        {Make<CNameSearchDialog>(130), 1001, QStringLiteral("乙醇\n")},
        {Make<CCASSearchDialog>(131), 1006, QStringLiteral("64-17-5\r\n")},
        {Make<CUseSeacherDialog>(132), 1008, QStringLiteral("消毒\n溶剂")},
        {Make<CShiSearcherDialog>(146), 1006, QStringLiteral("C2H6O\r\nCH4O")},
    };
    for (const auto& [panel, queryId, pasted] : panels) {
        QLineEdit* field = Field(panel, queryId);
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(field->text(), pasted.left(pasted.indexOf(QRegularExpression("[\r\n]"))));
        ClickSearch(panel);
        EXPECT_EQ(Rows(panel).value(0), QStringLiteral("乙醇")) << pasted.toStdString();
    }
}

TEST_F(PanelFixture, EscapeLeavesThePanelOpen)
{
    auto* cas = Make<CCASSearchDialog>(131);
    QTest::keyClick(Field(cas, 1006), Qt::Key_Escape);
    EXPECT_TRUE(cas->isVisible());
}

TEST_F(PanelFixture, AListReachedByTabSelectsItsCurrentRowSoEnterOpensIt)
{
    auto* cas = Make<CCASSearchDialog>(131);
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    QLineEdit* field = Field(cas, 1006);
    Type(field, QStringLiteral("67-"));
    ClickSearch(cas);
    ResultListView& list = cas->ResultList();
    ASSERT_EQ(list.RowCount(), 2);

    // By the mouse (or any way but Tab) the list selects nothing of its own.
    list.setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(list.FirstSelectedRow(), -1);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Tab);
    ASSERT_TRUE(list.hasFocus());
    EXPECT_EQ(list.FirstSelectedRow(), 0);
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(list.FirstSelectedRow(), 1);
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(Current(), gbkOf("丙酮"));

    // Back into the list, the row chosen stays the one selected.
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(list.FirstSelectedRow(), 1);
}

TEST_F(PanelFixture, CtrlCInAResultListCopiesTheNameOfItsRow)
{
    auto* cas = Make<CCASSearchDialog>(131);
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    ResultListView& list = cas->ResultList();
    const QPoint at(10, list.visualRect(list.model()->index(2, 0)).center().y());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    QApplication::clipboard()->clear();
    QTest::keyClick(&list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("丙酮"));
}

TEST_F(PanelFixture, TheForgivingPanelListsEachRecordOnceBestFirstWithWhereItMatched)
{
    auto* find = Make<CFindSearchDialog>(147);
    ResultListView& list = find->ResultList();
    EXPECT_TRUE(Rows(find).isEmpty());
    const QAbstractItemModel* model = list.model();
    ASSERT_EQ(model->columnCount(), 2);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("试剂名称"));
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("匹配"));
    // Both columns in view, side by side.
    EXPECT_GT(list.header()->sectionSize(1), 0);
    EXPECT_LE(list.header()->length(), list.viewport()->width());

    const auto matched = [&] {
        QStringList fields;
        for (int row = 0; row < model->rowCount(); ++row)
            fields << model->data(model->index(row, 1)).toString();
        return fields;
    };
    Type(Field(find, 1006), QStringLiteral("ETHANOL"));
    ClickSearch(find);
    EXPECT_EQ(Rows(find), (QStringList{QStringLiteral("乙醇"), QStringLiteral("乙醇"),
                                       QStringLiteral("甲醇")}));
    EXPECT_EQ(matched(), (QStringList{QStringLiteral("英文名称"), QStringLiteral("英文名称"),
                                      QStringLiteral("英文名称")}));
    EXPECT_EQ(host.message, "找到 3 条");
    // Characters that only the forgiving search folds: subscript digits.
    Type(Field(find, 1006), QStringLiteral("C₂H₆O"));
    ClickSearch(find);
    EXPECT_EQ(Rows(find), QStringList{QStringLiteral("乙醇")});
    EXPECT_EQ(matched(), QStringList{QStringLiteral("化学式")});
    Type(Field(find, 1006), QStringLiteral("bingtong"));
    ClickSearch(find);
    EXPECT_EQ(matched(), QStringList{QStringLiteral("拼音")});
    EXPECT_EQ(view.redraws, 0);
    EXPECT_EQ(host.history.count(), 0);
}

TEST_F(PanelFixture, TheForgivingPanelSearchesOnEnterInItsFieldAndOpensRows)
{
    auto* find = Make<CFindSearchDialog>(147);
    QLineEdit* field = Field(find, 1006);
    Type(field, QStringLiteral("yichun"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(Rows(find), (QStringList{QStringLiteral("乙醇"), QStringLiteral("乙醇")}));
    // Enter in the field searches again, even for the same query with a row selected.
    Select(find, {1});
    Type(field, QStringLiteral("yichun"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(view.redraws, 0);
    EXPECT_TRUE(find->ResultList().selectionModel()->selectedRows().isEmpty());

    DoubleClickRow(find, 0);
    EXPECT_EQ(Current(), gbkOf("乙醇"));
    EXPECT_EQ(History(), std::vector<std::string>{gbkOf("乙醇")});
    Type(field, QStringLiteral("丙"));
    QTest::keyClick(field, Qt::Key_Return);
    Select(find, {0});
    QTest::keyClick(&find->ResultList(), Qt::Key_Return);
    EXPECT_EQ(Current(), gbkOf("丙酮"));
    EXPECT_EQ(view.redraws, 2);
}

TEST_F(PanelFixture, TheForgivingPanelSaysWhatItFoundAWrongCheckDigitAndAnEmptyQuery)
{
    auto* find = Make<CFindSearchDialog>(147);
    QLineEdit* field = Field(find, 1006);
    Type(field, QStringLiteral("64175"));
    ClickSearch(find);
    EXPECT_EQ(host.message, "找到 2 条");
    Type(field, QStringLiteral("67-64-2"));
    ClickSearch(find);
    EXPECT_EQ(host.message, "没有找到；CAS 号校验位不符，应为 1");
    // 47-14-3 would be right; its digits lie within those of 7647-14-5.
    Type(field, QStringLiteral("47-14-5"));
    ClickSearch(find);
    EXPECT_EQ(Rows(find), QStringList{QStringLiteral("氯化钠")});
    EXPECT_EQ(host.message, "找到 1 条；CAS 号校验位不符，应为 3");
    Type(field, QStringLiteral("　 "));
    ClickSearch(find);
    EXPECT_TRUE(Rows(find).isEmpty());
    EXPECT_EQ(host.message, "检索词是空的");
}

TEST_F(PanelFixture, TheForgivingPanelSearchesBeforeItWasEverShown)
{
    auto* find = new CFindSearchDialog(host);
    ASSERT_TRUE(find->Create(147, &page));
    Field(find, 1006)->setText(QStringLiteral("乙醇"));
    ClickSearch(find);
    EXPECT_EQ(Rows(find).size(), 2);
    EXPECT_FALSE(find->isVisible());
}
