#pragma once

#include <QMainWindow>

// The main window of the program.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

private:
    // The window's creation: defines the parameter table before any other window exists.
    void FormCreate();
};
