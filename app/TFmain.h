#pragma once

#include <QMainWindow>

// The main window.
class TFmain : public QMainWindow {
    Q_OBJECT

public:
    explicit TFmain(QWidget* parent = nullptr);
};
