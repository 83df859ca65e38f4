#include "export/ui/ExportDialogParts.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>

#include "base/MgrMultiLang.h"
#include "export/ExportWorker.h"
#include "platform/Prompt.h"
#include "skin/ui/DialogStyle.h"

QString ExportGuiText(const char* key, const char* english) {
  return QString::fromStdString(GetLangText("GUI", key, english));
}

void ShowExportEnd(Prompt& prompt, int result, const ExportEndTexts& texts) {
  if (result == kExportDone) return ShowExportMessage(prompt, texts.done, texts.caption);
  if (result == kExportCancelled) return ShowExportMessage(prompt, texts.cancelled, texts.caption);
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
