#include "shell/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>

Q_LOGGING_CATEGORY(lcTranslations, "tarvex.translations")

namespace tarvex {
namespace {

const QString ResourceFolder = QStringLiteral(":/i18n");
const char* const TranslatorName = "tarvex-translator";
// Whether a call made a translation's language the default locale.
bool g_defaultChanged = false;

QTranslator* AddTranslator(QCoreApplication& app, const QString& file)
{
    auto* translator = new QTranslator(&app);
    translator->setObjectName(QLatin1String(TranslatorName));
    if (translator->load(file)) {
        QCoreApplication::installTranslator(translator);
        return translator;
    }
    delete translator;
    return nullptr;
}

} // namespace

QString InstallTranslations(QCoreApplication& app, const QLocale& locale)
{
    for (QTranslator* old : app.findChildren<QTranslator*>(QLatin1String(TranslatorName),
                                                           Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    // English is the source language: an English preference before any translated one wins.
    QString chosen;
    for (const QString& name : locale.uiLanguages()) {
        const QLocale candidate(name);
        if (candidate.language() == QLocale::English || candidate.language() == QLocale::C)
            break;
        const QString language = QLocale::languageToCode(candidate.language());
        if (AddTranslator(app, ResourceFolder + QStringLiteral("/tarvex_") + language)) {
            chosen = language;
            break;
        }
    }
    if (chosen.isEmpty()) {
        if (g_defaultChanged)
            QLocale::setDefault(QLocale::system());
        g_defaultChanged = false;
        qCDebug(lcTranslations) << "no translation for" << locale.uiLanguages();
        return {};
    }
    // Qt's standard texts: the system's own copy when installed, else the one built in.
    const QString qtFile = QStringLiteral("qtbase_") + chosen;
    if (!AddTranslator(app, QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u'/' + qtFile) &&
        !AddTranslator(app, ResourceFolder + u'/' + qtFile))
        qCWarning(lcTranslations) << "no translation of Qt's standard texts in" << chosen;
    if (QLocale::system().language() != QLocale(chosen).language()) {
        QLocale::setDefault(QLocale(chosen));
        g_defaultChanged = true;
    }
    qCDebug(lcTranslations) << "translation" << chosen << "for" << locale.uiLanguages();
    return chosen;
}

} // namespace tarvex
