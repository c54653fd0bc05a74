#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace dewmoth::app {

namespace {

void install(QCoreApplication &application, const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(&application);
    if (translator->load(QLocale(), name, QStringLiteral("_"), folder))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void installTranslations(QCoreApplication &application)
{
    install(application, QStringLiteral("qtbase"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // Compiled into the program by translations/CMakeLists.txt.
    install(application, QStringLiteral("dewmoth"), QStringLiteral(":/i18n"));
}

QString translateEarly(const char *text)
{
    QTranslator translator;
    if (translator.load(QLocale(), QStringLiteral("dewmoth"), QStringLiteral("_"),
                        QStringLiteral(":/i18n"))) {
        const QString translated = translator.translate("dewmoth", text);
        if (!translated.isEmpty())
            return translated;
    }
    return QString::fromUtf8(text);
}

} // namespace dewmoth::app
