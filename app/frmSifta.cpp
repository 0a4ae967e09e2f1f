#include "frmSifta.h"

frmSifta::frmSifta(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmSifta"));
    setWindowTitle(QStringLiteral("Siftwell"));
    resize(501, 630);
}
