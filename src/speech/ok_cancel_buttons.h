#pragma once

class QDialog;
class QDialogButtonBox;

namespace narrix {

// The OK (default) and Cancel buttons of a choosing dialog, named btnOK and btnCancel, accepting and
// rejecting `dialog`.
QDialogButtonBox* okCancelButtons(QDialog& dialog);

} // namespace narrix
