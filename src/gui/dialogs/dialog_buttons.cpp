#include "gui/dialogs/dialog_buttons.h"

#include "core/common/texts.h"
#include "gui/common/user_dlg.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace kinoval {

QHBoxLayout* MakeOkCancelRow(QDialog& dialog)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = new QPushButton(TUserDlg::Glyph(TUserDlgButtonKind::btOk), QString::fromStdString(Tr("Ok")), &dialog);
    ok->setObjectName(QStringLiteral("ButtonOk"));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    auto* cancel = new QPushButton(
        TUserDlg::Glyph(TUserDlgButtonKind::btAnnuler), QString::fromStdString(Tr("Annuler")), &dialog);
    cancel->setObjectName(QStringLiteral("ButtonAnnuler"));
    cancel->setAutoDefault(false);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace kinoval
