#include "console/AutoSizeLabel.h"

#include <QEvent>

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

void AutoSizeLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        adjustSize();
}

}  // namespace vk
