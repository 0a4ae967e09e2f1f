#pragma once

#include "platform/MessageBox.h"

class QWidget;

/// The real message boxes, on QMessageBox. The first button is the default one.
class QtMessageBox final : public IMessageBox {
public:
    explicit QtMessageBox(QWidget* parent = nullptr) : mParent(parent) {}

    MessageAnswer show(const QString& text, MessageButtons buttons, MessageIcon icon,
                       const QString& title) override;

private:
    QWidget* mParent;
};
