#pragma once

#include <cstdint>

/// Control ids of the dock bars along a frame's sides and of a floating frame's dock bar.
inline constexpr int AFX_IDW_DOCKBAR_TOP = 0xE81B;
inline constexpr int AFX_IDW_DOCKBAR_LEFT = 0xE81C;
inline constexpr int AFX_IDW_DOCKBAR_RIGHT = 0xE81D;
inline constexpr int AFX_IDW_DOCKBAR_BOTTOM = 0xE81E;
inline constexpr int AFX_IDW_DOCKBAR_FLOAT = 0xE81F;
/// Control id of the view pane that takes what the bars leave of a frame.
inline constexpr int AFX_IDW_PANE_FIRST = 0xE900;

/// Hit-test codes of a window's parts.
enum HitCode : unsigned
{
    HTNOWHERE = 0,
    HTCLIENT = 1,
    HTCAPTION = 2,
    HTLEFT = 10,
    HTRIGHT = 11,
    HTTOP = 12,
    HTTOPLEFT = 13,
    HTTOPRIGHT = 14,
    HTBOTTOM = 15,
    HTBOTTOMLEFT = 16,
    HTBOTTOMRIGHT = 17,
    HTCLOSE = 20,
};

/// True for the four corner codes.
constexpr bool IsCornerCode(unsigned code)
{
    return code == HTTOPLEFT || code == HTTOPRIGHT || code == HTBOTTOMLEFT || code == HTBOTTOMRIGHT;
}

/// Layout-mode bits of a dynamic layout query.
inline constexpr std::uint32_t LM_STRETCH = 0x01;
inline constexpr std::uint32_t LM_HORZ = 0x02;
inline constexpr std::uint32_t LM_MRUWIDTH = 0x04;
inline constexpr std::uint32_t LM_HORZDOCK = 0x08;
inline constexpr std::uint32_t LM_VERTDOCK = 0x10;
inline constexpr std::uint32_t LM_LENGTHY = 0x20;
inline constexpr std::uint32_t LM_COMMIT = 0x40;

/// The floating frame's style bit that allows sizing from its four sides only, not its corners.
inline constexpr std::uint32_t MFS_4THICKFRAME = 0x200;
