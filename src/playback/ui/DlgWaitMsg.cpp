#include "playback/ui/DlgWaitMsg.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kMargin = 18;

}  // namespace

CDlgWaitMsg::CDlgWaitMsg(const QString& text, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), label_(new QLabel(text, this)) {
  setObjectName(QStringLiteral("waitMessage"));
  setModal(true);
  setWindowTitle(QApplication::applicationDisplayName());
  label_->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  layout->addWidget(label_);
  setStyleSheet(QStringLiteral("QDialog { background: #20252b; } QLabel { color: #e6e9ed; }"));
}

QString CDlgWaitMsg::Text() const { return label_->text(); }

void CDlgWaitMsg::Run(const QString& text, QWidget* parent, const std::function<void()>& work) {
  CDlgWaitMsg box(text, parent);
  box.show();
  box.raise();
  // One pass of the event loop paints the box; user input waits until the
  // work is done, as it would behind a modal box.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  work();
  box.hide();
}
