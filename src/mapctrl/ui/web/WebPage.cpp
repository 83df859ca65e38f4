#include "mapctrl/ui/web/WebPage.h"

CWebPage::CWebPage(std::function<void(const QString&)> scriptError, QObject* parent)
    : QWebEnginePage(parent), scriptError_(std::move(scriptError)) {}

void CWebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                        const QString& source) {
  if (level != ErrorMessageLevel || !scriptError_) return;
  scriptError_(QStringLiteral("%1 (%2:%3)").arg(message, source).arg(line));
}
