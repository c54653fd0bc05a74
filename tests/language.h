// Shows the windows in one of the shipped languages while the object lives, from the
// translations compiled into the program, as the program loads them for the user's locale.
#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <QTranslator>

inline const QStringList kShippedLanguages{"en", "de", "fr", "es"};

class Language
{
public:
    explicit Language(const QString &code)
    {
        if (code != QLatin1String("en") &&
            m_translator.load(QStringLiteral(":/i18n/dewmoth_") + code))
            m_installed = QCoreApplication::installTranslator(&m_translator);
    }
    ~Language()
    {
        if (m_installed)
            QCoreApplication::removeTranslator(&m_translator);
    }
    Language(const Language &) = delete;
    Language &operator=(const Language &) = delete;

    bool english() const { return !m_installed; }

private:
    QTranslator m_translator;
    bool m_installed = false;
};
