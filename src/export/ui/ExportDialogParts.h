#pragma once
// What the three export dialogs share: their texts, the look of their
// fields, and the folder row with its browse button.
#include <QString>

#include "export/ExportMessages.h"
#include "export/ExportWorker.h"

class Prompt;
class QComboBox;
class QLineEdit;
class QWidget;

// The polling interval of the progress bars while a worker runs.
inline constexpr int kExportPollMs = 30;

// A text of the GUI section in the chosen language.
QString ExportGuiText(const char* key, const char* english);
QString ExportGuiText(const LangText& text);

// The boxes that say how a KML, GPX or CSV export ended.
struct ExportEndTexts {
  LangText done;
  LangText cancelled;
  LangText failed;
  LangText caption;
};

// The box for ExportResult::kDone, ExportResult::kCancelled or ExportResult::kFailed.
void ShowExportEnd(Prompt& prompt, ExportResult result, const ExportEndTexts& texts);

// Sets up the dialog's style sheet and title.
void StyleExportDialog(QWidget& dialog, const QString& title);

// Fills a list with the entries "1" .. "count" (at least one).
void FillNumberList(QComboBox& list, int count);

// The Browse button: the folder picker from the field's folder; the chosen
// folder replaces it.
void BrowseForFolder(Prompt& prompt, QLineEdit& folder);
