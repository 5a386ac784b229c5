#pragma once
// The OK and Cancel row shared by the main window's dialogs, with the program's own captions and the
// names "ButtonOk" (the default button) and "ButtonAnnuler".

class QDialog;
class QHBoxLayout;

namespace kinoval {

// A row, right-aligned, whose buttons call the dialog's accept and reject.
QHBoxLayout* MakeOkCancelRow(QDialog& dialog);

} // namespace kinoval
