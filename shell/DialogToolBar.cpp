#include "DialogToolBar.h"

#include "ControlId.h"
#include "DialogHelp.h"
#include "MakerSite.h"
#include "NavigationHistory.h"
#include "ScalableIcon.h"
#include "ToolbarHost.h"
#include "UrlOpener.h"

#include <QDebug>

namespace {

constexpr char kInitWarning[] = "Warning, Unalbe to init update.\n";

// The type bits of a button's style, from the style names of its template control.
quint32 ButtonStyleBits(const DialogControl& control)
{
    static const std::pair<const char*, quint32> kTypes[] = {
        {"BS_DEFPUSHBUTTON", 0x1}, {"BS_CHECKBOX", 0x2},       {"BS_AUTOCHECKBOX", 0x3},
        {"BS_RADIOBUTTON", 0x4},   {"BS_3STATE", 0x5},         {"BS_AUTO3STATE", 0x6},
        {"BS_GROUPBOX", 0x7},      {"BS_AUTORADIOBUTTON", 0x9}};
    for (const auto& [name, bits] : kTypes)
        if (control.HasStyle(QLatin1String(name)))
            return bits;
    return CIconButton::kPushButton;
}

} // namespace

QString CDialogToolBar::CataloguePage()
{
    return MakerPage(QStringLiteral("/shiji/index.aspx"));
}

CDialogToolBar::CDialogToolBar(ToolbarHost& host) : m_Host(host), m_Opener(&DesktopUrlOpener())
{
    for (const Binding& binding : Bindings())
        connect(binding.button, &QAbstractButton::clicked, this,
                [this, id = binding.id] { OnCommand(id); });
}

std::array<CDialogToolBar::Binding, CDialogToolBar::kButtonCount> CDialogToolBar::Bindings()
{
    return {{{IDC_BUSINESS, &m_BtnBusiness},
             {IDC_REPORT, &m_BtnReport},
             {IDC_SHOW, &m_BtnShow},
             {IDC_HIDE, &m_BtnHide},
             {IDC_ABOUT, &m_BtnAbout},
             {IDC_HOME, &m_BtnHome},
             {IDC_NEXT, &m_BtnNext},
             {IDC_BACK, &m_BtnBack}}};
}

bool CDialogToolBar::Create(QWidget* parent, int templateId, int id)
{
    m_Template = LoadDialogTemplate(templateId);
    if (!m_Template || !CreateFromTemplate(*m_Template, parent))
        return false;
    SetControlId(this, id);
    show();
    return true;
}

void CDialogToolBar::SetUrlOpener(UrlOpener* opener)
{
    m_Opener = opener != nullptr ? opener : &DesktopUrlOpener();
}

CIconButton* CDialogToolBar::Button(int id)
{
    for (const Binding& binding : Bindings())
        if (binding.id == id)
            return binding.button;
    return nullptr;
}

void CDialogToolBar::BindControls(DialogBuilder& builder)
{
    for (const Binding& binding : Bindings())
        builder.Bind(binding.id, binding.button);
}

void CDialogToolBar::DoDataExchange(bool saveAndValidate)
{
    CDialog::DoDataExchange(saveAndValidate);
    if (m_bBound || !m_Template)
        return;
    // Each button takes over its template control once, as the control's style says.
    bool all = true;
    for (const Binding& binding : Bindings()) {
        const DialogControl* control = m_Template->Control(binding.id);
        if (control == nullptr || GetDlgItem(binding.id) != binding.button) {
            all = false;
            continue;
        }
        binding.button->PreSubclassWindow(ButtonStyleBits(*control));
    }
    m_bBound = all;
}

bool CDialogToolBar::OnInitDialog()
{
    if (!UpdateData(false) || !m_bBound) {
#ifndef QT_NO_DEBUG
        qDebug("%s", kInitWarning);
#endif
    }
    // Icons in the screen's own pixels, sharp at any pixel density.
    const qreal ratio = devicePixelRatioF();
    m_BtnBack.SetIconAlignment(CIconButton::kAlignVert);
    m_BtnBack.SetIcons(LoadScalableIcon(142, ratio));
    m_BtnNext.SetIconAlignment(CIconButton::kAlignVert);
    m_BtnNext.SetIcons(LoadScalableIcon(143, ratio));
    m_BtnHome.SetIconAlignment(CIconButton::kAlignVert);
    m_BtnHome.SetIcons(LoadScalableIcon(145, ratio));
    m_BtnBusiness.SetIconAlignment(CIconButton::kAlignHoriz);
    m_BtnBusiness.SetIcons(LoadScalableIcon(187, ratio));
    UpdateCommandUI();
    return true;
}

bool CDialogToolBar::HandlesCommand(int id) const
{
    return (id >= IDC_BACK && id <= IDC_REPORT) || m_Host.HandlesCommand(id);
}

void CDialogToolBar::UpdateCommandUI()
{
    for (const Binding& binding : Bindings())
        binding.button->setEnabled(HandlesCommand(binding.id));
}

void CDialogToolBar::OpenCataloguePage()
{
    // Nothing is reported when the page cannot be opened.
    m_Opener->Open(CataloguePage());
}

void CDialogToolBar::StepHistory(bool back)
{
    NavigationHistory& history = m_Host.History();
    const int before = history.current();
    back ? history.back() : history.next();
    // At either end of the history the step does nothing, and nothing is said of it.
    if (history.current() != before)
        m_Host.OnHistoryMoved();
}

void CDialogToolBar::OnCommand(int id)
{
    switch (id) {
    case IDC_BACK:
    case IDC_NEXT:
        StepHistory(id == IDC_BACK);
        break;
    case IDC_HOME:
    case IDC_REPORT:
        OpenCataloguePage();
        break;
    case IDC_ABOUT: {
        CDialogHelp about;
        about.DoModal();
        break;
    }
    case IDC_HIDE:
        m_Host.ShowSidebar(false);
        break;
    case IDC_SHOW:
        m_Host.ShowSidebar(true);
        break;
    default:
        m_Host.OnCommand(id);
        break;
    }
}
