// Qt's own texts in Russian: the standard buttons of message boxes ("Да",
// "Нет"), the file dialogs and their overwrite question. The framework's
// windows speak Russian whatever the system locale, so the translation is
// chosen by name, not by the locale.
#pragma once

#include <QString>

// The folder Qt's translations are installed in (qtbase_ru.qm on Debian
// comes with qt6-translations-l10n).
QString QtTranslationsFolder();

// Loads qtbase_ru.qm from `folder` and installs it for the rest of the
// run (once: a later call with the file there changes nothing and returns
// true). Without the file in `folder` (or without an application) nothing
// changes: Qt keeps the texts it has (English when nothing was installed
// before), nothing is reported, and the result is false.
bool InstallQtTranslation(const QString& folder = QtTranslationsFolder());
