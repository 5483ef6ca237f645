#pragma once

#include <QString>

/// Maps the Windows face names the program and its dialog templates ask for to fonts a Linux
/// desktop has: "Arial" to Liberation Sans (same metrics), "宋体" and "System" to Noto Serif CJK
/// SC, a Song face with a real bold whose Latin letters tell l from 1 and O from 0. Glyphs are
/// drawn unhinted. Call once after the QApplication exists and before any widget or font is made:
/// fonts made later take their hinting from the application's font.
void InstallFontSubstitutions();

/// Whether `face` names one of the Windows Song faces ("宋体", or the system font of a Chinese
/// desktop) or the face that stands in for them. Their cell is one em high and their Latin
/// letters half an em wide, as the dialog templates were laid out; the face that stands in for
/// them is taller and wider.
bool IsWindowsSongFace(const QString& face);
