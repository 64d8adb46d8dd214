#include "chooser/ChooserTranslation.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

namespace vk {

QString translationsFolder()
{
    return QDir::cleanPath(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral(VK_TRANSLATIONS_FROM_BIN)));
}

bool loadChooserTranslation(QTranslator& translator, const QLocale& locale)
{
    return translator.load(locale, QStringLiteral("chooser"), QStringLiteral("_"), translationsFolder());
}

}  // namespace vk
