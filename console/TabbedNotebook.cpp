#include "console/TabbedNotebook.h"

#include <QPainter>
#include <QStackedWidget>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QWheelEvent>

namespace vk {
namespace {

// The wheel does not turn pages: a stray turn over the tabs would start a
// page change and its parameter read.
class TabRow : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }
};

}  // namespace

TabbedNotebook::TabbedNotebook(QWidget* parent)
    : QWidget(parent), tabs_(new TabRow(this)), pages_(new QStackedWidget(this))
{
    tabs_->setDrawBase(false);
    tabs_->setExpanding(false);
    // Every way of picking a tab (pointer, keys) ends in currentChanged; the
    // pages follow only once the change is allowed, and a refused change puts
    // the tab back before anything is drawn.
    connect(tabs_, &QTabBar::currentChanged, this, &TabbedNotebook::tabChosen);
}

void TabbedNotebook::addWidget(QWidget* page)
{
    pages_->addWidget(page);
    const QSignalBlocker quiet(tabs_);  // the first tab added becomes current: no change to ask about
    tabs_->addTab(page->windowTitle());
}

void TabbedNotebook::setCurrentIndex(int index)
{
    tabs_->setCurrentIndex(index);
}

int TabbedNotebook::pageCount() const
{
    return pages_->count();
}

QWidget* TabbedNotebook::page(int index) const
{
    return pages_->widget(index);
}

int TabbedNotebook::PageIndex() const
{
    return pages_->currentIndex();
}

void TabbedNotebook::tabChosen(int index)
{
    if (revertingTab_ || index == pages_->currentIndex())
        return;
    bool allowChange = true;
    emit changing(index, allowChange);
    if (allowChange) {
        pages_->setCurrentIndex(index);
        return;
    }
    revertingTab_ = true;
    tabs_->setCurrentIndex(pages_->currentIndex());
    revertingTab_ = false;
}

QRect TabbedNotebook::frameRect() const
{
    const int top = kPageOrigin.y() - 2;
    return QRect(0, top, width(), height() - top);
}

void TabbedNotebook::resizeEvent(QResizeEvent* /*event*/)
{
    tabs_->setGeometry(2, 0, tabs_->sizeHint().width(), kPageOrigin.y());
    pages_->setGeometry(kPageOrigin.x(), kPageOrigin.y(), width() - 2 * kPageOrigin.x(),
                        height() - kPageOrigin.y() - kPageOrigin.x());
}

void TabbedNotebook::paintEvent(QPaintEvent* /*event*/)
{
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = frameRect();
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = tabs_->sizeHint();
    frame.tabBarRect = tabs_->geometry();
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

}  // namespace vk
