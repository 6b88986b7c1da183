// The frame's side of a console that comes and goes after start-up.
#include <QLabel>

#include "app/cmain_frame.h"
#include "app/rules/startup_steps.h"
#include "link/link_session.h"
#include "operations/operation_texts.h"
#include "operations/path_rules.h"
#include "views/czq61_view.h"
#include "views/czq_tree_view.h"
#include "views/rules/folder_path.h"

namespace zq {

void CMainFrame::ConsoleLost() {
  connected_ = false;
  statePane_->setText(QString::fromUtf8(text::kNotConnected));
  diskPane_->clear();
  tree_->SetConsoleReachable(false);
  list_->ShowConsoleUnreachable();
}

void CMainFrame::ConsoleFound() {
  connected_ = true;
  statePane_->setText("ready");
  operations_.ShowDiskInfo();
  WriteStartupSettings(settings_, programFolder_);
  tree_->SetConsoleReachable(true);
  // A package or patch given by the desktop waits for the console: it runs
  // from the event loop, after this.
  RunPendingFiles();
  const std::string shown = list_->CurrentPath();
  if (!IsConsolePath(shown)) {
    return;
  }
  // The folder shown before may have gone meanwhile (another host, a card
  // changed): then the card's root, without a message about the old one.
  EntryList entries;
  const bool stillThere =
      operations_.Link().ListFolder(entries, shown, ListMode::NamesOnly) == status::kOk;
  list_->NavigateTo(stillThere ? shown : std::string(kConsoleRoot));
}

}  // namespace zq
