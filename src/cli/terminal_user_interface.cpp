#include "cli/terminal_user_interface.h"

#include <istream>
#include <ostream>

#include "cli/progress_text.h"

namespace zq::cli {

namespace {

// A terminal line is redrawn at most this often while a file moves.
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

bool IsYes(const std::string& reply) {
  std::string word;
  for (char c : reply) {
    if (c != ' ' && c != '\t' && c != '\r') {
      word += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
  }
  return word == "y" || word == "yes" || word == "ok";
}

}  // namespace

TerminalUserInterface::TerminalUserInterface(std::ostream& err, std::istream& in,
                                             TerminalOptions options, Clock clock)
    : err_(err), in_(in), options_(options), clock_(std::move(clock)) {}

TerminalUserInterface::~TerminalUserInterface() {
  BreakLine();
  ConfirmMoved();
}

void TerminalUserInterface::ShowMessage(const std::string& text, MessageIcon, const std::string&) {
  BreakLine();
  // A failure right after a file's last byte: the file did not get through.
  moved_.reset();
  err_ << text << '\n' << std::flush;
  ++messagesShown_;
}

Answer TerminalUserInterface::Ask(const std::string& text, Buttons buttons, MessageIcon,
                                  const std::string&) {
  BreakLine();
  ConfirmMoved();
  if (buttons == Buttons::Ok) {
    err_ << text << '\n' << std::flush;
    return Answer::Ok;
  }
  const Answer yes = buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
  const Answer no = buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
  err_ << text << " [y/N] ";
  if (options_.assumeYes) {
    err_ << "yes\n" << std::flush;
    return yes;
  }
  if (!options_.inputIsTerminal) {
    // Nobody can answer: a script without --yes never gets a destructive Yes.
    err_ << "no\n" << std::flush;
    return no;
  }
  err_ << std::flush;
  std::string reply;
  if (!std::getline(in_, reply)) {
    err_ << '\n' << std::flush;
    return no;
  }
  return IsYes(reply) ? yes : no;
}

void TerminalUserInterface::ShowProgress() {
  ConfirmMoved();
}

void TerminalUserInterface::HideProgress() {
  BreakLine();
  ConfirmMoved();
  transfer_.reset();
}

void TerminalUserInterface::SetProgressRange(std::uint32_t maximum) {
  BreakLine();
  ConfirmMoved();
  const auto now = clock_();
  transfer_ = Transfer{ProgressSubject(line_), maximum, 0, now, now};
  if (maximum == 0) {
    Finish();
    return;
  }
  if (options_.errorIsTerminal && !options_.quiet) {
    Draw(*transfer_);
  }
}

void TerminalUserInterface::SetProgressPosition(std::uint32_t position) {
  if (!transfer_) {
    return;
  }
  transfer_->done = position;
  if (position >= transfer_->total) {
    Finish();
    return;
  }
  if (options_.errorIsTerminal && !options_.quiet &&
      clock_() - transfer_->drawn >= kRedrawInterval) {
    Draw(*transfer_);
  }
}

void TerminalUserInterface::Draw(const Transfer& transfer) {
  const auto now = clock_();
  const double seconds = std::chrono::duration<double>(now - transfer.started).count();
  err_ << '\r' << ProgressLine(transfer.subject, transfer.done, transfer.total, seconds) << "\x1b[K"
       << std::flush;
  transfer_->drawn = now;
  lineOpen_ = true;
}

void TerminalUserInterface::Finish() {
  if (!options_.quiet) {
    if (options_.errorIsTerminal) {
      Draw(*transfer_);
      BreakLine();
    } else {
      moved_ = transfer_->subject + "  " + std::to_string(transfer_->total) + " bytes";
    }
  }
  transfer_.reset();
}

void TerminalUserInterface::ConfirmMoved() {
  if (moved_) {
    err_ << *moved_ << '\n' << std::flush;
    moved_.reset();
  }
}

void TerminalUserInterface::BreakLine() {
  if (lineOpen_) {
    err_ << '\n' << std::flush;
    lineOpen_ = false;
  }
}

std::optional<std::string> TerminalUserInterface::Take(std::deque<std::string>& queue) {
  if (queue.empty()) {
    return std::nullopt;
  }
  std::string path = std::move(queue.front());
  queue.pop_front();
  return path;
}

std::optional<std::string> TerminalUserInterface::ChooseOpenFile(const FileDialogRequest&) {
  return Take(openFiles_);
}

std::optional<std::string> TerminalUserInterface::ChooseSaveFile(const FileDialogRequest&) {
  return Take(saveFiles_);
}

std::optional<std::string> TerminalUserInterface::ChooseFolder(const std::string&,
                                                               const std::string&) {
  return Take(folders_);
}

}  // namespace zq::cli
