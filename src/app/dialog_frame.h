#pragma once

class QWidget;

namespace zq {

// A dialog's frame: a title and a close box, no minimise or maximise button
// (which a window manager otherwise adds to a dialog it sees as a window,
// cutting its title short), and wide enough for its title. Called once the
// dialog has its title.
void UseDialogFrame(QWidget* dialog);

}  // namespace zq
