#pragma once

/// Maps the Windows face names the program and its dialog templates ask for to fonts a Linux
/// desktop has: "Arial" to Liberation Sans (same metrics), "宋体" and "System" to AR PL UMing.
/// Glyphs are drawn unhinted. Call once after the QApplication exists and before any widget or
/// font is made: fonts made later take their hinting from the application's font.
void InstallFontSubstitutions();
