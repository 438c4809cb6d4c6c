#pragma once

#include <QCloseEvent>
#include <QWidget>

// A form for a frame to cover, counting the close requests it accepted.
class Form final : public QWidget
{
public:
    int closes = 0;

protected:
    void closeEvent(QCloseEvent* e) override
    {
        ++closes;
        e->accept();
    }
};
