#pragma once
// Log file texts for the tests, built sentence by sentence with valid
// checksums and CR LF line ends.

#include <cstdio>
#include <string>
#include <string_view>

class LogTextBuilder {
 public:
  // The sentence "$body*HH" with the XOR checksum of body.
  static std::string Sentence(std::string_view body) {
    unsigned checksum = 0;
    for (const char c : body) checksum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X", checksum);
    return "$" + std::string(body) + tail;
  }

  // hhmmssmmm of a moment secondsAfterNoon seconds after 12:00:00 (same day).
  static std::string ClockAfterNoon(int secondsAfterNoon, int milliseconds = 0) {
    const int total = 12 * 3600 + secondsAfterNoon;
    char text[48];
    std::snprintf(text, sizeof text, "%02d%02d%02d%03d", total / 3600, total / 60 % 60, total % 60, milliseconds);
    return text;
  }

  LogTextBuilder& Bom() { return Raw("\xEF\xBB\xBF"); }
  LogTextBuilder& Raw(std::string_view bytes) {
    text_.append(bytes);
    return *this;
  }
  LogTextBuilder& Line(std::string_view body) { return Raw(Sentence(body) + "\r\n"); }

  LogTextBuilder& Header(std::string_view fields) { return Line("KXDRL3," + std::string(fields)); }

  // A data sentence; fields after the date are signal bits and pulse count.
  LogTextBuilder& Data(std::string_view clock, std::string_view date, std::string_view gForces = "0,0,1000",
                       int signal = 0, int pulse = 0, int valueA = 0) {
    char fields[64];
    std::snprintf(fields, sizeof fields, ",%d,%d", signal, pulse);
    return Line("KXDRL,1," + std::to_string(valueA) + "," + std::string(gForces) + "," + std::string(clock) + "," +
                std::string(date) + fields);
  }
  // A data sentence at secondsAfterNoon on 2026-03-10; pulse marks which one it was.
  LogTextBuilder& DataAt(int secondsAfterNoon, int pulse = 0) {
    return Data(ClockAfterNoon(secondsAfterNoon), kDate, "0,0,1000", 0, pulse);
  }

  LogTextBuilder& Rmc(std::string_view status, std::string_view lat, std::string_view ns, std::string_view lon,
                      std::string_view ew, std::string_view knots = "0.0", std::string_view course = "0.0",
                      std::string_view time = "110000.000", std::string_view date = "100326") {
    return Line("GPRMC," + std::string(time) + "," + std::string(status) + "," + std::string(lat) + "," +
                std::string(ns) + "," + std::string(lon) + "," + std::string(ew) + "," + std::string(knots) + "," +
                std::string(course) + "," + std::string(date) + ",,,A");
  }

  const std::string& Text() const { return text_; }

  static constexpr std::string_view kDate = "100326";  // 2026-03-10, winter time in Berlin

 private:
  std::string text_;
};
