#pragma once

#include <QLocale>
#include <QString>

class QTranslator;

namespace vk {

// The folder of the chooser's .qm files: ../share/termvk785n/translations
// from the program's own folder, in the build tree as where it is installed.
QString translationsFolder();

// Loads the chooser's captions for the locale's language; false when there
// are none for it, and the captions stay in English.
bool loadChooserTranslation(QTranslator& translator, const QLocale& locale = QLocale());

}  // namespace vk
