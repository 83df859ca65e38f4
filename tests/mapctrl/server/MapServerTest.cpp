// The map page's server over real loopback connections: what each request
// gets back, the port rule, connections served side by side, and the close
// of a silent or trickling one. The client side is plain sockets, so the server's event
// loop runs between the client's steps.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <memory>
#include <string>
#include <vector>

#include "mapctrl/MapPageAnswer.h"
#include "mapctrl/server/CVxServerSock.h"
#include "support/TempDir.h"

namespace {

const std::string kPage = "<html><body>map</body></html>";

void Pump(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

class Client {
 public:
  explicit Client(int port) : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  }
  ~Client() { close(fd_); }

  bool connected() const { return connected_; }
  void Send(const std::string& bytes) {
    ASSERT_EQ(send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL), (ssize_t)bytes.size());
  }

  // A send that may meet a connection the server has just dropped.
  bool Offer(const std::string& bytes) {
    return send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
  }

  // Everything the server sends until it closes; `closed` false when it did
  // not close within `ms`.
  std::string ReadUntilClosed(bool& closed, int ms = 3000) {
    std::string received;
    QElapsedTimer timer;
    timer.start();
    closed = false;
    while (timer.elapsed() < ms) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      char buffer[65536];
      const ssize_t n = recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
      if (n > 0) {
        received.append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
        closed = true;
        break;
      }
    }
    return received;
  }

 private:
  int fd_;
  bool connected_ = false;
};

// A run of ten ports this test process may use, apart from other runs.
int BasePort() { return 20000 + static_cast<int>(getpid() % 4000) * 10; }

class MapServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lib_.Write("leaflet.js", "window.L = {};");
    lib_.Write("node.png", std::string("\x89PNG\r\n\x1a\n", 8));
    server_.SetPage(kPage);
    server_.SetLibFolder(lib_.path());
    server_.SetClickHandler([this](const MapRequest& click) { clicks_.push_back(click); });
    port_ = BasePort();
    ASSERT_TRUE(server_.StartServer(port_));
  }

  std::string Request(const std::string& bytes, bool& closed) {
    Client client(port_);
    EXPECT_TRUE(client.connected());
    client.Send(bytes);
    return client.ReadUntilClosed(closed);
  }

  std::string Get(const std::string& target) {
    return "GET " + target + " HTTP/1.1\r\nHost: localhost:" + std::to_string(port_) + "\r\n\r\n";
  }

  TempDir lib_;
  CVxServerSock server_;
  int port_ = 0;
  std::vector<MapRequest> clicks_;
};

TEST_F(MapServerTest, RootGetsTheHeaderAndThePageThenTheClose) {
  bool closed = false;
  EXPECT_EQ(Request(Get("/"), closed), std::string(kMapPageHeader) + kPage);
  EXPECT_TRUE(closed);
}

TEST_F(MapServerTest, UnansweredRequestsAreClosedWithNothingSent) {
  for (const std::string& bytes :
       {Get("/index.html"), "POST / HTTP/1.1\r\nHost: localhost:" + std::to_string(port_) + "\r\n\r\n",
        std::string("GET / HTTP/1.1\r\nHost: evil.example\r\n\r\n"), Get("/lib/../x"), Get("/lib/camera.png")}) {
    bool closed = false;
    EXPECT_EQ(Request(bytes, closed), "") << bytes;
    EXPECT_TRUE(closed) << bytes;
  }
  EXPECT_TRUE(clicks_.empty());
}

TEST_F(MapServerTest, AClickIsAnsweredWithZeroBytesAndHandedOn) {
  bool closed = false;
  EXPECT_EQ(Request(Get("//POSITION/35.1/136.9/2/57/"), closed), "");
  EXPECT_TRUE(closed);
  ASSERT_EQ(clicks_.size(), 1u);
  EXPECT_EQ(clicks_[0].recording, 2);
  EXPECT_EQ(clicks_[0].frame, 57);

  const std::string foreign = "GET /POSITION/1.0/2.0/3/4/ HTTP/1.1\r\nHost: localhost:" + std::to_string(port_) +
                              "\r\nOrigin: http://evil.example\r\n\r\n";
  EXPECT_EQ(Request(foreign, closed), "");
  EXPECT_EQ(clicks_.size(), 1u);
}

TEST_F(MapServerTest, ThePagesOwnFilesComeWithTheirType) {
  bool closed = false;
  const std::string answer = Request(Get("/lib/leaflet.js"), closed);
  EXPECT_TRUE(closed);
  EXPECT_EQ(answer.rfind("HTTP/1.0 200 OK\r\n", 0), 0u) << answer;
  EXPECT_NE(answer.find("Content-Type: application/javascript\r\n"), std::string::npos);
  EXPECT_NE(answer.find("Content-Length: 14\r\n"), std::string::npos);
  EXPECT_EQ(answer.substr(answer.size() - 14), "window.L = {};");
}

TEST_F(MapServerTest, ARequestSplitOverThreeWritesIsReadWhole) {
  const std::string whole = Get("/");
  Client client(port_);
  client.Send(whole.substr(0, 4));
  Pump(50);
  client.Send(whole.substr(4, 10));
  Pump(50);
  client.Send(whole.substr(14));
  bool closed = false;
  EXPECT_EQ(client.ReadUntilClosed(closed), std::string(kMapPageHeader) + kPage);
  EXPECT_TRUE(closed);
}

TEST_F(MapServerTest, ALineThatFillsTheLimitIsClosedWithoutAnswer) {
  bool closed = false;
  EXPECT_EQ(Request(std::string(kMapRequestLimit, 'G'), closed), "");
  EXPECT_TRUE(closed);
}

TEST_F(MapServerTest, ASecondConnectionIsServedWhileTheFirstIsStillSilent) {
  Client first(port_);
  Client second(port_);
  second.Send(Get("/"));
  bool closed = false;
  EXPECT_EQ(second.ReadUntilClosed(closed, 1000), std::string(kMapPageHeader) + kPage);
  EXPECT_TRUE(closed);
  first.Send(Get("/POSITION/1.0/2.0/3/4/"));
  EXPECT_EQ(first.ReadUntilClosed(closed), "");
  EXPECT_TRUE(closed);
  EXPECT_EQ(clicks_.size(), 1u);
}

// A request that trickles in two bytes a second never holds the page back
// from others, and its connection ends five seconds after its first byte
// however steadily it keeps sending.
TEST_F(MapServerTest, ATricklingRequestIsDroppedFiveSecondsAfterItsFirstByte) {
  const std::string request = Get("/");
  Client trickler(port_);
  QElapsedTimer clock;
  clock.start();
  bool closed = false;
  bool othersServed = false;
  for (std::size_t sent = 0; !closed && clock.elapsed() < 8000; ++sent) {
    // Never the last byte: the request stays incomplete.
    if (sent + 1 < request.size()) trickler.Offer(request.substr(sent, 1));
    if (!othersServed && clock.elapsed() > 1000) {
      Client other(port_);
      other.Send(Get("/"));
      bool otherClosed = false;
      othersServed = other.ReadUntilClosed(otherClosed, 1000) == std::string(kMapPageHeader) + kPage;
      EXPECT_TRUE(othersServed) << "served while the trickler sends";
    }
    trickler.ReadUntilClosed(closed, 500);
  }
  EXPECT_TRUE(othersServed);
  EXPECT_TRUE(closed);
  EXPECT_GE(clock.elapsed(), 4500) << "dropped before its five seconds";
  EXPECT_LE(clock.elapsed(), 6500);
}

TEST_F(MapServerTest, ASilentConnectionIsClosedAfterFiveSecondsAndTheNextServed) {
  Client silent(port_);
  Client next(port_);
  next.Send(Get("/"));
  bool closed = false;
  EXPECT_EQ(silent.ReadUntilClosed(closed, 4000), "");
  EXPECT_FALSE(closed) << "closed before its five seconds";
  silent.ReadUntilClosed(closed, 2500);
  EXPECT_TRUE(closed);
  EXPECT_EQ(next.ReadUntilClosed(closed), std::string(kMapPageHeader) + kPage);
}

TEST(MapServerPorts, BusyPortsAreSkippedUpToTenTries) {
  const int base = BasePort() + 5000 > 65000 ? BasePort() - 5000 : BasePort() + 5000;
  std::vector<std::unique_ptr<QTcpServer>> taken;
  for (int p = base; p < base + 2; ++p) {
    taken.push_back(std::make_unique<QTcpServer>());
    ASSERT_TRUE(taken.back()->listen(QHostAddress::LocalHost, static_cast<quint16>(p)));
  }
  CVxServerSock server;
  int port = base;
  ASSERT_TRUE(server.StartServer(port));
  EXPECT_EQ(port, base + 2);
  EXPECT_EQ(server.Port(), base + 2);

  for (int p = base + 3; p < base + 10; ++p) {
    taken.push_back(std::make_unique<QTcpServer>());
    ASSERT_TRUE(taken.back()->listen(QHostAddress::LocalHost, static_cast<quint16>(p)));
  }
  CVxServerSock crowded;
  port = base;
  EXPECT_FALSE(crowded.StartServer(port));
  EXPECT_EQ(port, base);
  EXPECT_FALSE(crowded.IsListening());
}

}  // namespace
