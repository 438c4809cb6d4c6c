#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

namespace tarvex {

/// Installs in `app` the program's translation for the first of `locale`'s interface languages
/// that has one (QLocale() follows LANGUAGE, LC_ALL, LC_MESSAGES and LANG), with Qt's own
/// translation of its standard texts in that language, and makes that language the default
/// locale so the controls that choose their captions by language agree. Returns the language
/// installed ("es"), or an empty text when the program stays in English, its source language.
/// Translations installed by an earlier call are removed first.
QString InstallTranslations(QCoreApplication& app, const QLocale& locale = QLocale());

} // namespace tarvex
