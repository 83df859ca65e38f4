#include "export/render/PrintPdf.h"

#include <QIODevice>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <new>

#include "export/PrintPages.h"
#include "export/render/PrintPagePainter.h"

namespace {

constexpr const char* kDocumentName = "Nemora";

// The PDF goes to its file as it is made, page by page, so that a print of
// any length holds one page in memory rather than the whole document.
class OutputFileDevice final : public QIODevice {
 public:
  explicit OutputFileDevice(OutputFile& file) : file_(file) {}
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char*, qint64) override { return -1; }
  qint64 writeData(const char* data, qint64 length) override {
    file_.Write(reinterpret_cast<const unsigned char*>(data), static_cast<size_t>(length));
    return file_.Failed() ? -1 : length;
  }

 private:
  OutputFile& file_;
};

bool PaintPdf(const PrintDocument& document, QIODevice& device, int dpi) {
  QPdfWriter writer(&device);
  writer.setTitle(document.Title().empty() ? QString::fromLatin1(kDocumentName)
                                           : QString::fromStdString(document.Title()));
  writer.setCreator(QStringLiteral("Korvane"));
  writer.setResolution(dpi);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
                                   QPageLayout::Millimeter));
  PrintPagePainter painter(document);
  return painter.PaintAll(writer);
}

}  // namespace

bool WritePrintPdf(const PrintDocument& document, const std::string& path, Overwrite overwrite,
                   const OutputGuard& guard, int dpi, const std::function<bool()>& cancelled, std::string& error) {
  OutputFile file;
  if (!file.Open(path, overwrite, guard)) {
    error = file.Error();
    return false;
  }
  OutputFileDevice device(file);
  device.open(QIODevice::WriteOnly);
  bool painted = false;
  try {
    painted = PaintPdf(document, device, dpi);
  } catch (const std::bad_alloc&) {
    painted = false;
  }
  device.close();
  if (!painted) {
    error = file.Failed() ? file.Error() : "the pages could not be drawn";
    file.Discard();
    return false;
  }
  if (cancelled && cancelled()) {
    error = "cancelled";
    file.Discard();
    return false;
  }
  if (!file.Commit()) {
    error = file.Error();
    return false;
  }
  return true;
}
