// The progress window during transfers: the start and packet callbacks.
#include "operations/device_operations.h"
#include "operations/operation_texts.h"
#include "platform/codepage.h"

namespace zq {

namespace {

int ShowStart(UserInterface& ui, const std::string& shownName, std::uint32_t size) {
  ui.SetProgressCaption(text::kCopyingCaption);
  ui.SetProgressLine(FillText(text::kCopyingLine, shownName));
  ui.SetByteCounter(ByteCounter(0, size));
  ui.SetProgressRange(size);
  return status::kGoOn;
}

}  // namespace

int DeviceOperations::TransferStarted(const TransferStart& start) {
  return ShowStart(ui_, Cp949ToUtf8(start.name), start.size);
}

int DeviceOperations::TransferProgressed(const TransferProgress& progress) {
  ui_.SetProgressPosition(progress.done);
  ui_.SetByteCounter(ByteCounter(progress.done, progress.total));
  return status::kGoOn;
}

void DeviceOperations::PrepareTransferWindow() {
  ui_.SetAnimation(Animation::Transfer);
  ui_.ShowProgress();
  ui_.SetProgressPosition(0);
}

StartCallback DeviceOperations::StartShowing(std::string shownName) {
  return [this, shownName = std::move(shownName)](const TransferStart& start) {
    return ShowStart(ui_, shownName, start.size);
  };
}

PacketCallback DeviceOperations::ProgressShowing() {
  return [this](const TransferProgress& progress) { return TransferProgressed(progress); };
}

}  // namespace zq
