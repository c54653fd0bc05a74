#include "core/program_info.h"

#include <dewmoth/version.h>

#include <QCoreApplication>
#include <QFileInfo>

namespace dewmoth::core {

QString productName()
{
    return QString::fromUtf8(kProductName);
}

QString programDescription()
{
    return QString::fromUtf8(kDescription);
}

QString applicationId()
{
    return QString::fromUtf8(kApplicationId);
}

QString makerAddress()
{
    return QStringLiteral("https://www.orlanvesty.example");
}

QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

QString executableBaseName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace dewmoth::core
