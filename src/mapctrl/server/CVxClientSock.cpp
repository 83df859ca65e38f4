#include "mapctrl/server/CVxClientSock.h"

#include <QTcpSocket>

CVxClientSock::CVxClientSock(QTcpSocket* socket, int port, Responder responder, QObject* parent)
    : QObject(parent), socket_(socket), port_(port), responder_(std::move(responder)) {
  socket_->setParent(this);
  idle_.setSingleShot(true);
  idle_.setInterval(kIdleMs);
  connect(&idle_, &QTimer::timeout, this, [this] { socket_->abort(); });
  connect(socket_, &QTcpSocket::readyRead, this, &CVxClientSock::OnReadyRead);
  // A peer that takes its answer slowly is still alive.
  connect(socket_, &QTcpSocket::bytesWritten, this, [this] { idle_.start(); });
  connect(socket_, &QTcpSocket::disconnected, this, [this] {
    if (finished_) return;
    finished_ = true;
    idle_.stop();
    emit Finished(request_);
  });
}

CVxClientSock::~CVxClientSock() = default;

void CVxClientSock::Serve() {
  idle_.start();
  if (socket_->state() != QAbstractSocket::ConnectedState) {
    // It went away while it waited its turn.
    Close();
    return;
  }
  OnReadyRead();
}

void CVxClientSock::OnReadyRead() {
  if (closing_ || !idle_.isActive()) return;
  // The request's time runs from its first byte; later bytes do not extend it.
  const bool firstBytes = received_.empty();
  const qint64 room = static_cast<qint64>(kMapRequestLimit - received_.size());
  const QByteArray bytes = socket_->read(room);
  received_.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  if (firstBytes && !received_.empty()) idle_.start();
  const MapRequest request = ParseMapRequest(received_, port_);
  if (request.kind == MapRequestKind::kIncomplete) return;
  request_ = request;
  const Answer answer = responder_(request);
  if (answer.answer && !answer.bytes.empty()) {
    socket_->write(answer.bytes.data(), static_cast<qint64>(answer.bytes.size()));
  }
  Close();
}

void CVxClientSock::Close() {
  closing_ = true;
  // disconnectFromHost sends what is still buffered first; "disconnected"
  // follows, at once when nothing is buffered.
  socket_->disconnectFromHost();
  if (socket_->state() == QAbstractSocket::UnconnectedState && !finished_) {
    finished_ = true;
    idle_.stop();
    QMetaObject::invokeMethod(
        this, [this] { emit Finished(request_); }, Qt::QueuedConnection);
  }
}
