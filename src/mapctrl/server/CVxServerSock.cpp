#include "mapctrl/server/CVxServerSock.h"

#include <QTcpSocket>
#include <algorithm>
#include <optional>

#include "mapctrl/MapPageAnswer.h"
#include "mapctrl/MapPageFiles.h"
#include "platform/RegularFile.h"
#include "platform/Trace.h"

CVxServerSock::CVxServerSock(QObject* parent) : QObject(parent) {
  // The listening socket holds no connections of its own beyond these.
  server_.setMaxPendingConnections(static_cast<int>(kQueueLength));
  connect(&server_, &QTcpServer::newConnection, this, &CVxServerSock::OnNewConnection);
}

CVxServerSock::~CVxServerSock() {
  for (QTcpSocket* socket : waiting_) delete socket;
}

void CVxServerSock::SetPage(std::string page) { pageAnswer_ = MapPageAnswer(page); }

void CVxServerSock::SetLibFolder(const std::filesystem::path& folder) {
  libAnswers_.clear();
  for (const std::string_view name : kMapLibFiles) {
    const std::optional<std::string> body = ReadRegularFile(folder / name, kMaxMapFileBytes).content;
    if (!body) {
      KTRACE("map file missing: %s", (folder / name).c_str());
      continue;
    }
    libAnswers_.emplace(std::string(name), MapLibAnswerHeader(MapLibContentType(name), body->size()) + *body);
  }
}

bool CVxServerSock::StartServer(int& port) {
  const int first = port;
  for (int candidate = first; candidate < first + kPortTries; ++candidate) {
    if (server_.listen(QHostAddress::LocalHost, static_cast<quint16>(candidate))) {
      port = port_ = candidate;
      KTRACE("Port : %d", candidate);
      return true;
    }
    if (server_.serverError() != QAbstractSocket::AddressInUseError) break;
  }
  KTRACE("map server cannot listen from port %d: %s", first, server_.errorString().toUtf8().constData());
  port = port_ = first;
  return false;
}

void CVxServerSock::OnNewConnection() {
  while (QTcpSocket* socket = server_.nextPendingConnection()) {
    if (waiting_.size() >= kQueueLength) {
      socket->abort();
      socket->deleteLater();
      continue;
    }
    waiting_.push_back(socket);
  }
  ServeNext();
}

void CVxServerSock::ServeNext() {
  while (served_.size() < kServedAtOnce && !waiting_.empty()) {
    QTcpSocket* socket = waiting_.front();
    waiting_.pop_front();
    auto* client = new CVxClientSock(
        socket, port_, [this](const MapRequest& request) { return AnswerFor(request); }, this);
    served_.push_back(client);
    connect(client, &CVxClientSock::Finished, this,
            [this, client](const MapRequest& request) { OnFinished(client, request); });
    client->Serve();
  }
}

CVxClientSock::Answer CVxServerSock::AnswerFor(const MapRequest& request) const {
  switch (request.kind) {
    case MapRequestKind::kPage:
      return {true, pageAnswer_};
    case MapRequestKind::kPosition:
      return {true, {}};
    case MapRequestKind::kLibFile: {
      const auto file = libAnswers_.find(request.libFile);
      if (file == libAnswers_.end()) return {};
      return {true, file->second};
    }
    default:
      return {};
  }
}

void CVxServerSock::OnFinished(CVxClientSock* client, const MapRequest& request) {
  const auto at = std::find(served_.begin(), served_.end(), client);
  if (at == served_.end()) return;
  served_.erase(at);
  client->deleteLater();
  // The click is handled once its connection is closed and the next one
  // is served, so a handler that runs the event loop holds nothing back.
  ServeNext();
  if (request.kind == MapRequestKind::kPosition && onClick_) onClick_(request);
}
