#pragma once
// The map page's local server on 127.0.0.1: serves the page and the page's
// own files, and hands the page's marker clicks on. A few connections are
// served at once, each given five seconds for its request, so a client that
// sends slowly cannot keep the page from the browser; beyond those, the
// next ones wait their turn in a short queue.

#include <QObject>
#include <QTcpServer>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "mapctrl/MapRequest.h"
#include "mapctrl/server/CVxClientSock.h"

class QTcpSocket;

class CVxServerSock : public QObject {
  Q_OBJECT

 public:
  static constexpr int kPortTries = 10;
  static constexpr std::size_t kQueueLength = 8;
  // A page load opens about six connections at once.
  static constexpr std::size_t kServedAtOnce = 8;

  using ClickHandler = std::function<void(const MapRequest&)>;

  explicit CVxServerSock(QObject* parent = nullptr);
  ~CVxServerSock() override;

  // The page as sent (tiles written in) and the folder of the page's own
  // files; both are read before the first connection.
  void SetPage(std::string page);
  void SetLibFolder(const std::filesystem::path& folder);
  void SetClickHandler(ClickHandler handler) { onClick_ = std::move(handler); }

  // Listens on the first of `port` .. `port` + 9 that is free and sets
  // `port` to it; when all are taken, or listening fails otherwise, `port`
  // keeps its first value and the answer is false.
  bool StartServer(int& port);
  bool IsListening() const { return server_.isListening(); }
  int Port() const { return port_; }

 private:
  void OnNewConnection();
  void ServeNext();
  CVxClientSock::Answer AnswerFor(const MapRequest& request) const;
  void OnFinished(CVxClientSock* client, const MapRequest& request);

  QTcpServer server_;
  int port_ = 0;
  std::string pageAnswer_;
  std::map<std::string, std::string, std::less<>> libAnswers_;
  ClickHandler onClick_;
  std::vector<CVxClientSock*> served_;
  std::deque<QTcpSocket*> waiting_;
};
