#include "platform/win32/Win32AttachmentMark.h"

#include <shobjidl.h>
#include <windows.h>

namespace qm {
namespace {

// The program's own client id: the system keeps what the user decides about prompts per client.
constexpr GUID kClientId = {
    0xebfa1376, 0x7924, 0x49e2, {0x97, 0xa1, 0x7b, 0x44, 0xdf, 0xf3, 0x87, 0xc1}};

class Attachment {
 public:
  Attachment() {
    CoCreateInstance(CLSID_AttachmentServices, nullptr, CLSCTX_INPROC_SERVER,
                     IID_IAttachmentExecute, reinterpret_cast<void**>(&execute_));
  }
  ~Attachment() {
    if (execute_) execute_->Release();
  }
  Attachment(const Attachment&) = delete;
  Attachment& operator=(const Attachment&) = delete;
  IAttachmentExecute* get() const { return execute_; }

 private:
  IAttachmentExecute* execute_ = nullptr;
};

}  // namespace

void markAsDownloaded(const std::wstring& path, const std::wstring& sourceUrl) {
  const Attachment attachment;
  IAttachmentExecute* execute = attachment.get();
  if (!execute) return;
  execute->SetClientGuid(kClientId);
  if (FAILED(execute->SetLocalPath(path.c_str()))) return;
  if (!sourceUrl.empty()) execute->SetSource(sourceUrl.c_str());
  execute->Save();
}

}  // namespace qm
