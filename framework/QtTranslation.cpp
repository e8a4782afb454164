// The Russian translation of Qt's base texts, installed once per run.
#include "framework/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <memory>

namespace {
// Owned by the application, so it goes when the application goes.
QPointer<QTranslator> installed;
}  // namespace

QString QtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool InstallQtTranslation(const QString& folder) {
  QCoreApplication* application = QCoreApplication::instance();
  if (!application) return false;
  auto translator = std::make_unique<QTranslator>();
  // No search delimiters: load() would otherwise fall back to shorter names
  // ("qtbase.qm"), which are not the Russian texts.
  if (!translator->load(QStringLiteral("qtbase_ru"), folder, QStringLiteral(""), QStringLiteral(".qm"))) return false;
  if (installed) return true;
  if (!QCoreApplication::installTranslator(translator.get())) return false;
  translator->setParent(application);
  installed = translator.release();
  return true;
}
