#include "ModelMeshLoader.h"

#include "ModelMeshReader.h"

#include <QFile>

bool LoadModelMesh(const QString& path, Mesh& mesh, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    const QByteArray text = file.readAll();
    std::string reason;
    if (!ReadModelMesh(std::string_view(text.constData(), static_cast<size_t>(text.size())), mesh, reason)) {
        error = QStringLiteral("%1: %2").arg(path, QString::fromStdString(reason));
        return false;
    }
    return true;
}
