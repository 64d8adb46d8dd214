#pragma once

class QWidget;

namespace vk {

// Makes the window and every control of the layout table: kind, name,
// caption or default, geometry, font and colour, checked radio buttons and
// the focus order. Controls are found afterwards by name (QObject::objectName).
void buildForm(QWidget& form);

}  // namespace vk
