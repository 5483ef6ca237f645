#pragma once

#include "BarConstants.h"

#include <QObject>
#include <QPointer>
#include <QRect>

#include <cstdint>
#include <vector>

class CControlBar;
class CDockBar;
class CMiniDockFrameWnd;
class QWidget;

/// The docking machinery of one frame window: the frame's list of control bars, the dock bars
/// along its sides once docking is enabled, the floating frames of its floated bars, and the
/// layout that gives each bar its strip and the view pane what is left.
///
/// Owned by the frame (a child object of it), so that any frame can have one.
class CDockSite : public QObject
{
    Q_OBJECT

public:
    explicit CDockSite(QWidget& frame);
    ~CDockSite() override;

    /// The dock site of `frame`, if it has one.
    static CDockSite* Of(const QWidget* frame);

    QWidget& Frame() const { return m_Frame; }
    /// The window that takes the room the bars leave (AFX_IDW_PANE_FIRST).
    void SetViewPane(QWidget* view);

    /// Adds a bar laid out by the frame (a child of the frame, docked or floating).
    void AddControlBar(CControlBar* bar);
    const std::vector<CControlBar*>& ControlBars() const { return m_listControlBars; }

    /// Makes dock bars along the sides in `dockStyle` (CBRS_ALIGN_* bits): top, bottom, left,
    /// right, in this order.
    void EnableDocking(std::uint32_t dockStyle);
    /// The dock bar with control id `side`, if docking is enabled there.
    CDockBar* DockBarOf(int side) const;

    /// Docks `bar` on `side` (a dock bar id), in the row of `after` just behind it, or in a new
    /// last row.
    void DockControlBar(CControlBar* bar, int side, CControlBar* after = nullptr);
    /// Docks `bar` on `side` where `screenPoint` falls.
    void DockControlBarAt(CControlBar* bar, int side, QPoint screenPoint);
    /// Docks a floating `bar` back where its placeholder on `side` keeps its place.
    bool DockControlBarAtPlaceholder(CControlBar* bar, int side);
    /// Floats `bar` in a floating frame whose top-left corner is at `screenPoint`; a docked bar
    /// leaves its placeholder behind.
    void FloatControlBar(CControlBar* bar, QPoint screenPoint);
    /// Shows or hides `bar`, laying the frame out at once unless `delay`.
    void ShowControlBar(CControlBar* bar, bool show, bool delay);

    /// Writes where each bar stands to the profile, in the section "<profileName>-Bar-<id>":
    /// its side, its row and its place in the row, its floating position, the side it was
    /// docked on last and whether it shows. Dock bars and bars without a control id have none.
    void SaveBarState(const QString& profileName) const;
    /// Puts every bar that has a section in the profile back where SaveBarState() found it
    /// (a bar the frame lays out itself only shows or hides) and lays the frame out; false
    /// when no bar had one.
    bool LoadBarState(const QString& profileName);

    /// Lays out the bars and the view pane.
    void RecalcLayout();
    /// Asks for one layout when the current message is handled; requests before then coalesce.
    void DelayRecalcLayout();
    bool IsLayoutPending() const { return m_bLayoutPending; }
    /// Lays out every bar and returns the view pane's rectangle (frame coordinates); a query
    /// moves nothing.
    QRect RepositionBars(bool query);

    /// What the frame does when it is idle: a waiting layout, then every bar's OnUpdateCmdUI.
    void OnIdle();
    /// Runs OnIdle() once the messages waiting now are handled; requests before then coalesce.
    void RequestIdle();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RemovePlaceholders(int id);
    void TakeOutOfDockBars(CControlBar* bar, bool leavePlaceholder);
    void KeepFocusWhereSeen();
    void DeleteEmptyMiniFrames();

    QWidget& m_Frame;
    QPointer<QWidget> m_pViewPane;
    std::vector<CControlBar*> m_listControlBars;
    std::vector<QPointer<CMiniDockFrameWnd>> m_MiniFrames;
    bool m_bLayoutPending = false;
    bool m_bIdleScheduled = false;
};
