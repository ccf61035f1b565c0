#pragma once
// Colours as stored designs hold them: a 24-bit RGB value laid out as
// 0x00BBGGRR, or, with the top bit set, the index of a system colour that is
// looked up in the desktop's palette when the button draws.
#include <QtGlobal>

namespace tallyo {

using OleColor = quint32;

constexpr OleColor oleRgb(int red, int green, int blue)
{
    return OleColor(red & 0xFF) | OleColor(green & 0xFF) << 8 | OleColor(blue & 0xFF) << 16;
}

constexpr bool isSystemColor(OleColor colour) { return colour & 0x80000000u; }
constexpr int systemColorIndex(OleColor colour) { return int(colour & 0xFFu); }
constexpr OleColor systemColor(int index) { return 0x80000000u | OleColor(index & 0xFF); }

constexpr int oleRed(OleColor colour) { return int(colour & 0xFF); }
constexpr int oleGreen(OleColor colour) { return int(colour >> 8 & 0xFF); }
constexpr int oleBlue(OleColor colour) { return int(colour >> 16 & 0xFF); }

// System colour indexes.
inline constexpr int SysDesktop = 1;
inline constexpr int SysActiveCaption = 2;
inline constexpr int SysInactiveCaption = 3;
inline constexpr int SysMenu = 4;
inline constexpr int SysWindow = 5;
inline constexpr int SysMenuText = 7;
inline constexpr int SysWindowText = 8;
inline constexpr int SysCaptionText = 9;
inline constexpr int SysHighlight = 13;
inline constexpr int SysHighlightText = 14;
inline constexpr int SysButtonFace = 15;
inline constexpr int SysButtonShadow = 16;
inline constexpr int SysGrayText = 17;
inline constexpr int SysButtonText = 18;
inline constexpr int SysButtonHighlight = 20;
inline constexpr int SysDarkShadow = 21;
inline constexpr int SysLight = 22;
inline constexpr int SysInfoText = 23;
inline constexpr int SysInfoBack = 24;

}
