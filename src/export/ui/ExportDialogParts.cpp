#include "export/ui/ExportDialogParts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>

#include "base/LangText.h"
#include "export/ExportWorker.h"
#include "platform/Prompt.h"
#include "skin/ui/DialogStyle.h"

QString ExportGuiText(const char* key, const char* english) { return ExportGuiText(LangText{key, english}); }

QString ExportGuiText(const LangText& text) { return QString::fromStdString(GuiText(text)); }

void ShowExportEnd(Prompt& prompt, ExportResult result, const ExportEndTexts& texts) {
  if (result == ExportResult::kDone) return ShowExportMessage(prompt, texts.done, texts.caption);
  if (result == ExportResult::kCancelled) return ShowExportMessage(prompt, texts.cancelled, texts.caption);
  ShowExportMessage(prompt, texts.failed, texts.caption);
}

void StyleExportDialog(QWidget& dialog, const QString& title) {
  dialog.setWindowTitle(title);
  dialog.setStyleSheet(QString::fromLatin1(kDialogStyleSheet));
}

void FillNumberList(QComboBox& list, int count) {
  list.clear();
  for (int entry = 1; entry <= std::max(count, 1); ++entry) list.addItem(QString::number(entry));
}

void BrowseForFolder(Prompt& prompt, QLineEdit& folder) {
  const auto chosen =
      prompt.PickFolder(ExportGuiText("SelectFolder", "Select Folder").toStdString(), folder.text().toStdString());
  if (chosen) folder.setText(QString::fromStdString(*chosen));
}
