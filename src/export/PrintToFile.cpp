#include "export/PrintToFile.h"

#include "export/ExportMessages.h"
#include "platform/OpenOrTell.h"
#include "platform/UserFolders.h"

namespace {

constexpr const char* kPdfFileName = "Nemora.pdf";

}  // namespace

std::filesystem::path DefaultPrintPdfPath() { return DocumentsFolder() / kPdfFileName; }

std::string PrintResultText(bool printed, const std::string& pdfPath) {
  const std::string text = MessageText(printed ? kMsgPrintOK : kMsgPrintError);
  return pdfPath.empty() ? text : NamingText(text, pdfPath);
}
