#include "maintenance/private_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace cr::maintenance {
namespace {

constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

} // namespace

bool makePrivateFolder(const QString& path, QString* error)
{
    // Walk up to the first folder that exists, then make the rest one by one
    // so that each gets its mode at creation (QDir::mkpath takes no mode).
    QStringList missing;
    QFileInfo info(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    while (!info.exists() && !info.isRoot()) {
        missing.prepend(info.fileName());
        info = QFileInfo(info.absolutePath());
    }
    if (!info.isDir()) {
        if (error) *error = QStringLiteral("%1 不是文件夹").arg(info.absoluteFilePath());
        return false;
    }
    QDir dir(info.absoluteFilePath());
    for (const QString& name : missing) {
        if (!dir.mkdir(name, kOwnerOnly | QFile::ExeOwner) || !dir.cd(name)) {
            if (error) *error = QStringLiteral("无法建立文件夹 %1").arg(dir.filePath(name));
            return false;
        }
    }
    return true;
}

bool createPrivateFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, kOwnerOnly)) {
        if (error)
            *error = QFileInfo::exists(path) ? QStringLiteral("文件已存在：%1").arg(path)
                                             : QStringLiteral("无法建立文件 %1：%2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace cr::maintenance
