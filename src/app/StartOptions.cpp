#include "app/StartOptions.h"

#include "shell/VersionInfo.h"

namespace {

bool TakeInt(const QString& text, int& value) {
  bool ok = false;
  const int parsed = text.toInt(&ok);
  if (ok && parsed >= 0) value = parsed;
  return ok && parsed >= 0;
}

}  // namespace

QString StartOptionsUsage() {
  return QStringLiteral(
      "usage: korvane [FOLDER | FILE.vdd]\n"
      "       korvane --screenshot FILE.png [--load event|normal|log|trip] [--count N] [--thumbnail]\n"
      "               [--steps N] [--model ID] [--select ROW] [--close] [FOLDER]\n"
      "       korvane --help | --version\n"
      "\n"
      "Opens the drive recorder card or backup folder FOLDER, or the one that holds\n"
      "the recording FILE.vdd and loads it. With --screenshot the\n"
      "window is rendered into FILE.png after start-up and the program quits; what\n"
      "the options choose on the way is not saved.\n");
}

QString ImmediateAnswer(const QStringList& arguments) {
  for (int i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) return StartOptionsUsage();
    if (argument == QLatin1String("--version")) {
      return QStringLiteral("korvane %1\n").arg(QString::fromStdString(ProgramVersion()));
    }
  }
  return {};
}

StartOptions ParseStartOptions(const QStringList& arguments) {
  StartOptions options;
  for (int i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    auto value = [&] { return arguments[++i]; };
    if (argument == QLatin1String("--screenshot") && hasValue) {
      options.screenshot = value();
    } else if (argument == QLatin1String("--load") && hasValue) {
      options.load = value();
      if (options.load != QLatin1String("event") && options.load != QLatin1String("normal") &&
          options.load != QLatin1String("log") && options.load != QLatin1String("trip")) {
        options.error = QStringLiteral("--load takes event, normal, log or trip");
      }
    } else if (argument == QLatin1String("--count") && hasValue) {
      if (!TakeInt(value(), options.count)) options.error = QStringLiteral("--count takes a number");
    } else if (argument == QLatin1String("--steps") && hasValue) {
      if (!TakeInt(value(), options.steps)) options.error = QStringLiteral("--steps takes a number");
    } else if (argument == QLatin1String("--model") && hasValue) {
      if (!TakeInt(value(), options.model)) options.error = QStringLiteral("--model takes a model id");
    } else if (argument == QLatin1String("--select") && hasValue) {
      if (!TakeInt(value(), options.select)) options.error = QStringLiteral("--select takes a row number");
    } else if (argument == QLatin1String("--close")) {
      options.close = true;
    } else if (argument == QLatin1String("--thumbnail")) {
      options.thumbnail = true;
    } else if (argument.startsWith(QLatin1String("--"))) {
      options.error = QStringLiteral("unknown option ") + argument;
    } else if (options.folder.isEmpty()) {
      options.folder = argument;
    } else {
      options.error = QStringLiteral("only one folder can be opened");
    }
    if (!options.error.isEmpty()) break;
  }
  return options;
}
