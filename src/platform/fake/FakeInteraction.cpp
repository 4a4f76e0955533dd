#include "platform/fake/FakeInteraction.h"

#include "platform/Win32Codes.h"

namespace qm {
namespace {

template <typename T>
T takeOr(std::deque<T>& queue, T fallback) {
  if (queue.empty()) return fallback;
  T answer = std::move(queue.front());
  queue.pop_front();
  return answer;
}

}  // namespace

void FakeInteraction::runModal() {
  if (duringModal) duringModal();
}

int FakeInteraction::messageBox(const std::string& text, const std::string& caption,
                                unsigned style) {
  messageBoxes.push_back({text, caption, style});
  runModal();
  return takeOr(messageBoxAnswers, kIdOk);
}

SaveDialogResult FakeInteraction::saveDialog(const SaveDialogRequest& request) {
  saveDialogs.push_back(request);
  runModal();
  return takeOr(saveDialogAnswers, SaveDialogResult{});
}

std::optional<EncodedText> FakeInteraction::openFileDialog(const OpenDialogRequest& request) {
  openDialogs.push_back(request);
  runModal();
  return takeOr(openDialogAnswers, std::optional<EncodedText>{});
}

std::optional<EncodedText> FakeInteraction::chooseFolder(const EncodedText& startDir) {
  folderDialogs.push_back(startDir.bytes);
  runModal();
  return takeOr(folderAnswers, std::optional<EncodedText>{});
}

}  // namespace qm
