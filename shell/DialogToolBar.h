#pragma once

#include "Dialog.h"
#include "IconButton.h"

#include <QString>

#include <array>
#include <optional>

class ToolbarHost;
class UrlOpener;

/// The strip of buttons along the top of the main window, built from dialog template 134:
/// "上一步" and "下一步" walk the history, "主页" opens the maker's reagent catalogue page and
/// "商业合作" goes to the owner. "隐藏", "显示", "关于" and "我要纠错" are never shown, but
/// act when their commands arrive.
class CDialogToolBar : public CDialog
{
    Q_OBJECT

public:
    static constexpr int kTemplateId = 134;

    /// Button and command ids.
    enum Command : int
    {
        IDC_BACK = 1013,
        IDC_NEXT = 1014,
        IDC_HOME = 1015,
        IDC_ABOUT = 1016,
        IDC_HIDE = 1017,
        IDC_SHOW = 1018,
        IDC_REPORT = 1019,
        IDC_BUSINESS = 1028,
    };

    /// The maker's reagent catalogue page.
    static QString CataloguePage();

    explicit CDialogToolBar(ToolbarHost& host);

    /// Builds the bar from `templateId` as a child of `parent` with control id `id`, and shows
    /// it. False when the template cannot be read.
    bool Create(QWidget* parent, int templateId, int id);

    /// Where web pages go; the desktop's browser unless set.
    void SetUrlOpener(UrlOpener* opener);

    /// Carries out command `id` as a click on its button does.
    void OnCommand(int id);
    /// Enables every button whose command has a handler, here or in the owner.
    void UpdateCommandUI();

    /// The button with this id, or null.
    CIconButton* Button(int id);

protected:
    void BindControls(DialogBuilder& builder) override;
    void DoDataExchange(bool saveAndValidate) override;
    bool OnInitDialog() override;

private:
    struct Binding
    {
        int id;
        CIconButton* button;
    };
    static constexpr int kButtonCount = 8;
    std::array<Binding, kButtonCount> Bindings();
    bool HandlesCommand(int id) const;
    void OpenCataloguePage();
    /// Moves back or forward in the history and tells the host when the page changed.
    void StepHistory(bool back);

    ToolbarHost& m_Host;
    UrlOpener* m_Opener;
    std::optional<DialogTemplate> m_Template;
    bool m_bBound = false;
    // Bound to the controls 1028, 1019, 1018, 1017, 1016, 1015, 1014 and 1013, in this order.
    CIconButton m_BtnBusiness;
    CIconButton m_BtnReport;
    CIconButton m_BtnShow;
    CIconButton m_BtnHide;
    CIconButton m_BtnAbout;
    CIconButton m_BtnHome;
    CIconButton m_BtnNext;
    CIconButton m_BtnBack;
};
