#pragma once

#include <QWidget>

// The program's banner at the top right of the main window: its name on a blue band. A link to its page.
class Banner : public QWidget {
public:
    explicit Banner(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
