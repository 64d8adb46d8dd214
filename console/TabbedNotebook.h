#pragma once

#include <QPoint>
#include <QWidget>

class QStackedWidget;
class QTabBar;

namespace vk {

// Captioned pages under one row of tabs, each page's client area at a fixed
// origin inside the notebook. Before another page comes to the front it
// raises changing, with the new page's index and a permission that is true on
// entry; a receiver that clears it keeps the old page. Choosing the tab
// already in front raises nothing.
class TabbedNotebook : public QWidget {
    Q_OBJECT

public:
    static constexpr QPoint kPageOrigin{4, 23};

    explicit TabbedNotebook(QWidget* parent = nullptr);

    // Adds a page at the end, its window title the tab caption; the first one
    // added is in front. The form's pages arrive here: in Designer the notebook
    // is a promoted stacked widget.
    void addWidget(QWidget* page);
    // Brings a page to the front as a choice of its tab would; the form sets the first.
    void setCurrentIndex(int index);
    int pageCount() const;
    QWidget* page(int index) const;
    // The index of the page in front; while changing is raised, still the old one.
    int PageIndex() const;
    QTabBar* tabBar() const { return tabs_; }

signals:
    // Connect directly: the receiver answers through allowChange.
    void changing(int newTab, bool& allowChange);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void tabChosen(int index);
    QRect frameRect() const;

    QTabBar* tabs_;
    QStackedWidget* pages_;
    bool revertingTab_ = false;
};

}  // namespace vk
