#pragma once
// TPageControl: the main window's tabs, with captions drawn by the program. The "&" accelerator
// marker is taken out and the caption centred near the tab's top on the button face; the active
// tab's caption is dark blue under an orange bar, an inactive one greyish blue with its
// accelerator letter underlined.

#include <QTabBar>
#include <QTabWidget>

namespace mirtal::ui {

class TTabBar : public QTabBar {
    Q_OBJECT
public:
    using QTabBar::QTabBar;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class TPageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);
};

}  // namespace mirtal::ui
