#include "console/Application.h"

#include <QApplication>

namespace vk {

void setUpApplication()
{
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setStyle(kApplicationStyle);
}

}  // namespace vk
