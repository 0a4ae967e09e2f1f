#include "matches/frmReplacePreview.h"

#include "window/StatusLine.h"
#include "window/WindowFit.h"
#include "matches/MatchTableView.h"
#include "matches/ReplacePreviewModel.h"
#include "translations/CountText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

frmReplacePreview::frmReplacePreview(const ReplacePreview& preview, QWidget* parent)
    : QDialog(parent), mModel(new ReplacePreviewModel(*newWindowPool(this), this))
{
    setObjectName(QStringLiteral("frmReplacePreview"));
    setWindowTitle(tr("Preview Replace All"));
    mModel->setPreview(preview);

    auto* label =
        new QLabel(countText(QT_TRANSLATE_N_NOOP("Count", "%1 replacement(s)"), preview.Count()), this);
    label->setObjectName(QStringLiteral("lblCount"));

    QTableView* table = newMatchTableView(this, "tblPreview", mModel);
    table->setAccessibleName(tr("Replacements"));
    table->setAccessibleDescription(tr("Every replacement that Replace All would make, before and after"));
    fitNumberColumn(table, NumberColumn, preview.Count());
    fitNumberColumn(table, LineColumn, preview.matches().Text().size());
    fitNumberColumn(table, ColumnColumn, preview.matches().Text().size());
    fitTextColumn(table, ReplacePreviewModel::BeforeColumn, 24);
    table->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* replaceAll = buttons->addButton(tr("Replace &All"), QDialogButtonBox::AcceptRole);
    replaceAll->setObjectName(QStringLiteral("cmdReplaceAll"));
    QPushButton* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(table, 1);
    layout->addWidget(buttons);
    resize(640, 360);
    keepOnScreen(this);
}
