#pragma once
// The Data Delete choice: the card's recordings, its configuration file, or
// both. OK hands back both boxes; the caller runs what was ticked.
#include <QDialog>

#include "tools/SettingsDataDelete.h"

class QCheckBox;
class QPushButton;

class CDlgInitData : public QDialog {
  Q_OBJECT

 public:
  explicit CDlgInitData(QWidget* parent);

  DataDeleteChoice Choice() const;
  QCheckBox* RecordingsBox() const { return recordings_; }
  QCheckBox* ConfigurationBox() const { return configuration_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 private:
  QCheckBox* recordings_;
  QCheckBox* configuration_;
  QPushButton* ok_;
  QPushButton* cancel_;
};
