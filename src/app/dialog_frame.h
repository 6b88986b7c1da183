#pragma once

class QWidget;

namespace zq {

// A dialog's frame: a title and a close box, no minimise or maximise button
// (which a window manager otherwise adds to a dialog it sees as a window,
// cutting its title short).
void UseDialogFrame(QWidget* dialog);

}  // namespace zq
