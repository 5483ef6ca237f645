#pragma once

#include <QByteArray>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

/// A dialog template: the layout of a dialog as data, the way a resource script describes it.
///
/// Templates live in `res/dialog/<id>.json` and are compiled into the program under
/// ":/res/dialog/" by `qt_add_resources` in the CMakeLists.txt of the library that uses them.
/// To add a template: write the file, add it to that library's `qt_add_resources(... FILES ...)`
/// list, and build the dialog with `CDialog::Create(id, parent)` or with `DialogBuilder`.
///
/// The file holds one object:
///
///     {
///       "id": 131,
///       "font": { "face": "宋体", "points": 12 },
///       "size": [157, 327],
///       "caption": "",
///       "styles": ["DS_SETFONT", "WS_CHILD"],
///       "controls": [
///         { "id": 1004, "class": "BUTTON", "text": "检索", "rect": [117, 8, 32, 14],
///           "styles": ["BS_PUSHBUTTON", "WS_TABSTOP"] },
///         { "id": -1, "class": "STATIC", "text": "CAS", "rect": [12, 11, 16, 14],
///           "styles": ["SS_LEFT"] }
///       ]
///     }
///
/// - `size` and every `rect` (left, top, width, height) are in dialog units; the builder turns
///   them into pixels with the base units of the template's font.
/// - `class` is the Windows class name: "STATIC", "EDIT", "BUTTON", "SysListView32", or any
///   other name for a control that the dialog's code supplies itself (`DialogBuilder::Bind`).
/// - `styles` are the resource script's style names. Controls are visible unless the list holds
///   "NOT WS_VISIBLE". The ones the builder acts on: WS_TABSTOP, WS_DISABLED, WS_BORDER,
///   SS_CENTER, SS_RIGHT, SS_CENTERIMAGE, BS_AUTORADIOBUTTON, BS_RADIOBUTTON, BS_AUTOCHECKBOX,
///   BS_CHECKBOX, BS_GROUPBOX, BS_DEFPUSHBUTTON. Others are kept for the dialog's code to read.
/// - The order of `controls` is the creation order and the keyboard tab order.
/// - `id` -1 marks a static text that no code addresses; `text` and `caption` may be omitted.
struct DialogControl
{
    int id = -1;
    QString className;
    QString text;
    QRect rect; ///< dialog units
    QStringList styles;

    bool HasStyle(const QString& style) const { return styles.contains(style); }
};

struct DialogTemplate
{
    int id = 0;
    QString fontFace;
    int pointSize = 0;
    QSize size; ///< dialog units
    QString caption;
    QStringList styles;
    std::vector<DialogControl> controls;

    /// The control with this id, or null.
    const DialogControl* Control(int controlId) const;
};

/// Reads a template from its JSON text. On a malformed text returns nothing and, if `error` is
/// given, says what is wrong.
std::optional<DialogTemplate> ParseDialogTemplate(const QByteArray& json, QString* error = nullptr);

/// Reads the compiled-in template `id` (res/dialog/<id>.json).
std::optional<DialogTemplate> LoadDialogTemplate(int id, QString* error = nullptr);
