#include "DialogTemplate.h"

#include "ResourcePath.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

bool Fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

QStringList Strings(const QJsonValue& value)
{
    QStringList list;
    for (const QJsonValue& item : value.toArray())
        list << item.toString();
    return list;
}

/// Reads `count` integers from an array such as [left, top, width, height].
bool Integers(const QJsonValue& value, int count, int* out)
{
    const QJsonArray array = value.toArray();
    if (array.size() != count)
        return false;
    for (int i = 0; i < count; ++i) {
        if (!array[i].isDouble())
            return false;
        out[i] = array[i].toInt();
    }
    return true;
}

bool ReadControl(const QJsonObject& object, int index, DialogControl& control, QString* error)
{
    const QString where = QStringLiteral("control %1: ").arg(index);
    int rect[4];
    if (!Integers(object.value(QStringLiteral("rect")), 4, rect))
        return Fail(error, where + QStringLiteral("\"rect\" must be four integers"));
    control.className = object.value(QStringLiteral("class")).toString();
    if (control.className.isEmpty())
        return Fail(error, where + QStringLiteral("\"class\" is missing"));
    control.id = object.value(QStringLiteral("id")).toInt(-1);
    control.text = object.value(QStringLiteral("text")).toString();
    control.rect = QRect(rect[0], rect[1], rect[2], rect[3]);
    control.styles = Strings(object.value(QStringLiteral("styles")));
    return true;
}

} // namespace

const DialogControl* DialogTemplate::Control(int controlId) const
{
    for (const DialogControl& control : controls) {
        if (control.id == controlId)
            return &control;
    }
    return nullptr;
}

std::optional<DialogTemplate> ParseDialogTemplate(const QByteArray& json, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (!document.isObject()) {
        Fail(error, parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                 : QStringLiteral("not an object"));
        return std::nullopt;
    }
    const QJsonObject root = document.object();
    DialogTemplate dialog;
    dialog.id = root.value(QStringLiteral("id")).toInt();
    const QJsonObject font = root.value(QStringLiteral("font")).toObject();
    dialog.fontFace = font.value(QStringLiteral("face")).toString();
    dialog.pointSize = font.value(QStringLiteral("points")).toInt();
    if (dialog.fontFace.isEmpty() || dialog.pointSize <= 0) {
        Fail(error, QStringLiteral("\"font\" needs a face and a positive point size"));
        return std::nullopt;
    }
    int size[2];
    if (!Integers(root.value(QStringLiteral("size")), 2, size)) {
        Fail(error, QStringLiteral("\"size\" must be two integers"));
        return std::nullopt;
    }
    dialog.size = QSize(size[0], size[1]);
    dialog.caption = root.value(QStringLiteral("caption")).toString();
    dialog.styles = Strings(root.value(QStringLiteral("styles")));
    const QJsonArray controls = root.value(QStringLiteral("controls")).toArray();
    for (int i = 0; i < controls.size(); ++i) {
        DialogControl control;
        if (!ReadControl(controls[i].toObject(), i, control, error))
            return std::nullopt;
        dialog.controls.push_back(control);
    }
    return dialog;
}

std::optional<DialogTemplate> LoadDialogTemplate(int id, QString* error)
{
    QFile file(ResourcePath(u"dialog", id) + QStringLiteral(".json"));
    if (!file.open(QIODevice::ReadOnly)) {
        Fail(error, QStringLiteral("dialog template %1 not found").arg(id));
        return std::nullopt;
    }
    return ParseDialogTemplate(file.readAll(), error);
}
