#include "console/AutoSizeLabel.h"

namespace vk {

AutoSizeLabel::AutoSizeLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void AutoSizeLabel::setCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    QString shown = caption;
    setText(shown.replace('\r', '\n'));
    adjustSize();
}

}  // namespace vk
