// The map page's server against a bare QTcpServer that answers the same
// bytes without reading the request: 100 000 sequential requests, half
// pages and half marker clicks, each on its own connection as the page
// makes them. Prints the time ratio and the memory before and after.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <string>

#include "BenchRatio.h"
#include "mapctrl/MapPageAnswer.h"
#include "mapctrl/server/CVxServerSock.h"

namespace {

constexpr int kRequests = 100000;
constexpr const char* kServerName = "BM_MapServer";
constexpr const char* kEchoName = "BM_BareEcho";
constexpr double kTargetShare = 0.8;

const std::string& Page() {
  static const std::string page = "<html><body>" + std::string(6000, 'm') + "</body></html>";
  return page;
}

std::string Request(int port, bool click) {
  const std::string target = click ? "/POSITION/35.172222/136.883333/2/57/" : "/";
  return "GET " + target + " HTTP/1.1\r\nHost: localhost:" + std::to_string(port) +
         "\r\nReferer: http://localhost:" + std::to_string(port) + "/\r\n\r\n";
}

// The peer: listens on its own thread and, for each connection, sends what
// the map server would send for that request once the request's end has
// arrived, then closes.
class BareEcho : public QObject {
 public:
  explicit BareEcho(int port) {
    server_.listen(QHostAddress::LocalHost, static_cast<quint16>(port));
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, socket, [socket] {
          const QByteArray request = socket->readAll();
          if (!request.endsWith("\r\n\r\n")) return;
          if (request.startsWith("GET / ")) socket->write(QByteArray::fromStdString(MapPageAnswer(Page())));
          socket->disconnectFromHost();
        });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
      }
    });
  }

 private:
  QTcpServer server_;
};

// Runs `make` on a thread of its own with its event loop; the object lives
// and dies there.
template <typename Make>
class ServerThread {
 public:
  explicit ServerThread(Make make) {
    thread_ = QThread::create([make, this] {
      auto server = make();
      ready_ = true;
      // QThread::quit ends this loop too.
      QEventLoop loop;
      loop.exec();
    });
    thread_->start();
    while (!ready_) QThread::msleep(1);
  }
  ~ServerThread() {
    thread_->quit();
    thread_->wait();
    delete thread_;
  }

 private:
  QThread* thread_;
  std::atomic<bool> ready_{false};
};

// One request on a fresh connection; the bytes that came back.
std::size_t Exchange(int port, const std::string& request) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::size_t received = 0;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      send(fd, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size())) {
    char buffer[32768];
    for (ssize_t n; (n = recv(fd, buffer, sizeof buffer, 0)) > 0;) received += static_cast<std::size_t>(n);
  }
  close(fd);
  return received;
}

void RunRequests(benchmark::State& state, int port) {
  const std::string page = Request(port, false);
  const std::string click = Request(port, true);
  const std::size_t pageBytes = MapPageAnswer(Page()).size();
  int i = 0;
  for (auto _ : state) {
    const bool isClick = (i++ % 2) == 1;
    const std::size_t got = Exchange(port, isClick ? click : page);
    if (got != (isClick ? 0 : pageBytes)) {
      state.SkipWithError("wrong answer");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations());
}

int MapServerPort() { return 40000 + static_cast<int>(getpid() % 1000) * 10; }

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return 0;
}

long rssBefore = 0;
long rssAfter = 0;
std::atomic<int> clicks{0};

void BM_MapServer(benchmark::State& state) {
  int port = MapServerPort();
  ServerThread thread([&port] {
    auto server = std::make_unique<CVxServerSock>();
    server->SetPage(Page());
    server->SetClickHandler([](const MapRequest&) { ++clicks; });
    server->StartServer(port);
    return server;
  });
  rssBefore = ResidentKiB();
  RunRequests(state, port);
  rssAfter = ResidentKiB();
}

void BM_BareEcho(benchmark::State& state) {
  const int port = MapServerPort() + 20000;
  ServerThread thread([port] { return std::make_unique<BareEcho>(port); });
  RunRequests(state, port);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  for (const char* name : {kServerName, kEchoName}) {
    benchmark::RegisterBenchmark(name, name == kServerName ? BM_MapServer : BM_BareEcho)
        ->Iterations(kRequests)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  const double server = reporter.Time(kServerName);
  const double echo = reporter.Time(kEchoName);
  if (server <= 0.0 || echo <= 0.0) {
    std::printf("ratio: not measured\n");
    return 0;
  }
  std::printf(
      "requests per second: map server %.0f, bare echo %.0f; the server reaches %.2fx of the echo's rate (target >= "
      "%.1fx)\n",
      1e6 / server, 1e6 / echo, echo / server, kTargetShare);
  std::printf("resident memory around %d requests: %ld KiB before, %ld KiB after; %d clicks handed on\n", kRequests,
              rssBefore, rssAfter, clicks.load());
  return 0;
}
