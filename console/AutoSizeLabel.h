#pragma once

#include <QLabel>
#include <QString>

namespace vk {

// A label whose size follows its caption. A CR in the caption starts a new
// line; the caption is kept as given. Setting the caption the label already
// shows changes nothing and repaints nothing.
class AutoSizeLabel : public QLabel {
    Q_OBJECT

public:
    explicit AutoSizeLabel(QWidget* parent = nullptr);

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);

private:
    QString caption_;
};

}  // namespace vk
