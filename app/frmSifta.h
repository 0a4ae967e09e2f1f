#pragma once

#include <QMainWindow>

/// The main window: the Search Text, the pattern and replacement boxes, and the buttons.
class frmSifta : public QMainWindow {
    Q_OBJECT

public:
    explicit frmSifta(QWidget* parent = nullptr);
};
