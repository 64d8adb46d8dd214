#pragma once

#include <QLabel>
#include <QString>

namespace vk {

// A label whose size follows its caption and its font. A CR in the caption
// starts a new line; the caption is kept as given. Setting the caption the
// label already shows changes nothing and repaints nothing.
class AutoSizeLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)

public:
    explicit AutoSizeLabel(QWidget* parent = nullptr);

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);

protected:
    void changeEvent(QEvent* event) override;

private:
    QString caption_;
};

}  // namespace vk
