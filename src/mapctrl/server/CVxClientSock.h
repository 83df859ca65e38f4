#pragma once
// One connection to the map page's server: reads one request, sends its
// answer (or none) and closes. A connection that stays silent, or does not
// take its answer, is closed after kIdleMs; a request must arrive whole
// within kIdleMs of its first byte, however steadily it trickles in.

#include <QObject>
#include <QTimer>
#include <functional>
#include <string>
#include <string_view>

#include "mapctrl/MapRequest.h"

class QTcpSocket;

class CVxClientSock : public QObject {
  Q_OBJECT

 public:
  static constexpr int kIdleMs = 5000;

  // What to send for a request: with `answer` false the connection is
  // closed without an answer; an answer may also be zero bytes. The bytes
  // are the server's own, which outlives its connections.
  struct Answer {
    bool answer = false;
    std::string_view bytes;
  };
  using Responder = std::function<Answer(const MapRequest&)>;

  // Takes `socket` over; `responder` decides each request's answer.
  CVxClientSock(QTcpSocket* socket, int port, Responder responder, QObject* parent);
  ~CVxClientSock() override;

  // Starts reading; data that arrived while queued is read at once.
  void Serve();

 signals:
  // The connection is closed; the object may be deleted.
  void Finished(const MapRequest& request);

 private:
  void OnReadyRead();
  void Close();

  QTcpSocket* socket_;
  int port_;
  Responder responder_;
  QTimer idle_;
  std::string received_;
  MapRequest request_;
  bool closing_ = false;
  bool finished_ = false;
};
