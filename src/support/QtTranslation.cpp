#include "support/QtTranslation.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTranslator>

#include <memory>

namespace {

std::unique_ptr<QTranslator>& Installed()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

} // namespace

bool InstallQtTranslation(const QString& languageFile)
{
    if (Installed()) {
        QCoreApplication::removeTranslator(Installed().get());
        Installed().reset();
    }
    static const QRegularExpression name(QStringLiteral("^Vemora_([A-Za-z]{2})\\.nls$"), QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = name.match(QFileInfo(languageFile).fileName());
    if (!match.hasMatch() || !QCoreApplication::instance())
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + match.captured(1).toLower(),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    Installed() = std::move(translator);
    return true;
}
