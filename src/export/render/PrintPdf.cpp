#include "export/render/PrintPdf.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include "export/PrintPages.h"
#include "export/render/PrintPagePainter.h"

namespace {

constexpr const char* kDocumentName = "Nemora";

}  // namespace

bool WritePrintPdf(const PrintDocument& document, const std::string& path, Overwrite overwrite,
                   const OutputGuard& guard, int dpi, const std::function<bool()>& cancelled, std::string& error) {
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&bytes);
    writer.setTitle(document.Title().empty() ? QString::fromLatin1(kDocumentName)
                                             : QString::fromStdString(document.Title()));
    writer.setCreator(QStringLiteral("Korvane"));
    writer.setResolution(dpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
                                     QPageLayout::Millimeter));
    PrintPagePainter painter(document);
    if (!painter.PaintAll(writer)) {
      error = "the pages could not be drawn";
      return false;
    }
  }
  if (cancelled && cancelled()) {
    error = "cancelled";
    return false;
  }
  OutputFile file;
  if (!file.Open(path, overwrite, guard)) {
    error = file.Error();
    return false;
  }
  const QByteArray& pdf = bytes.data();
  file.Write(reinterpret_cast<const unsigned char*>(pdf.constData()), static_cast<size_t>(pdf.size()));
  if (!file.Commit()) {
    error = file.Error();
    return false;
  }
  return true;
}
