#include "busy/BusyPointer.h"

#include <QApplication>

BusyPointer::BusyPointer(bool show) : mShown(show)
{
    if (mShown)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyPointer::~BusyPointer()
{
    if (mShown)
        QApplication::restoreOverrideCursor();
}
