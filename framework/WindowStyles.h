#pragma once

#include <cstdint>

/// Window and control-bar style bits, with the values of the Windows headers, for the
/// widgets whose creation takes a style word.
inline constexpr std::uint32_t WS_CHILD = 0x40000000;
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000;
inline constexpr std::uint32_t WS_BORDER = 0x00800000;
inline constexpr std::uint32_t WS_CLIPCHILDREN = 0x02000000;

inline constexpr std::uint32_t CBRS_ALIGN_LEFT = 0x1000;
inline constexpr std::uint32_t CBRS_ALIGN_TOP = 0x2000;
inline constexpr std::uint32_t CBRS_ALIGN_RIGHT = 0x4000;
inline constexpr std::uint32_t CBRS_ALIGN_BOTTOM = 0x8000;
inline constexpr std::uint32_t CBRS_ALIGN_ANY = 0xF000;
inline constexpr std::uint32_t CBRS_BORDER_LEFT = 0x0100;
inline constexpr std::uint32_t CBRS_BORDER_TOP = 0x0200;
inline constexpr std::uint32_t CBRS_BORDER_RIGHT = 0x0400;
inline constexpr std::uint32_t CBRS_BORDER_BOTTOM = 0x0800;
inline constexpr std::uint32_t CBRS_BORDER_3D = 0x0080;
inline constexpr std::uint32_t CBRS_TOOLTIPS = 0x0010;
inline constexpr std::uint32_t CBRS_FLYBY = 0x0020;
inline constexpr std::uint32_t CBRS_SIZE_DYNAMIC = 0x0004;
inline constexpr std::uint32_t CBRS_SIZE_FIXED = 0x0002;
inline constexpr std::uint32_t CBRS_GRIPPER = 0x00400000;
inline constexpr std::uint32_t CBRS_ALL = 0x0040FFFF;
inline constexpr std::uint32_t CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
inline constexpr std::uint32_t CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
inline constexpr std::uint32_t CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
inline constexpr std::uint32_t CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
