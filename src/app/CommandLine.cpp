#include "app/CommandLine.h"

#include <array>
#include <functional>

namespace {

constexpr std::int32_t kHighestBaud = 4'000'000;

struct TCommandOption {
    const char* name;
    const char* argument;  // its value's placeholder, or null for a switch
    const char* english;
    const char* chinese;
    // Stores the value; returns why it is refused, or an empty text.
    std::function<QString(TCommandLine&, const QString& value)> apply;
};

QString SetPort(TCommandLine& line, const QString& value) {
    if (value.isEmpty()) {
        return QStringLiteral("--port needs a device path, e.g. /dev/ttyUSB0");
    }
    line.port = value.toStdString();
    return {};
}

QString SetBaud(TCommandLine& line, const QString& value) {
    bool ok = false;
    const int baud = value.toInt(&ok);
    if (!ok || baud <= 0 || baud > kHighestBaud) {
        return QStringLiteral("--baud needs a speed from 1 to %1, not \"%2\"")
            .arg(kHighestBaud)
            .arg(value);
    }
    line.baud = baud;
    return {};
}

QString SetPlot(TCommandLine& line, const QString& value) {
    if (value == QLatin1String("decimal")) {
        line.plot = TStartPlotting::Decimal;
    } else if (value == QLatin1String("hex")) {
        line.plot = TStartPlotting::Hex;
    } else {
        return QStringLiteral("--plot takes decimal or hex, not \"%1\"").arg(value);
    }
    return {};
}

QString SetLanguage(TCommandLine& line, const QString& value) {
    line.language = LanguageFromCode(value.toStdString());
    if (!line.language) {
        return QStringLiteral("--lang takes zh (Chinese) or en (English), not \"%1\"").arg(value);
    }
    return {};
}

const std::array<TCommandOption, 7>& Options() {
    static const std::array<TCommandOption, 7> options{{
        {"--port", "PATH", "serial device to use this session (setfile.ini is not changed)",
         "本次使用的串口设备（不修改 setfile.ini）", SetPort},
        {"--baud", "N", "baud rate to use this session", "本次使用的波特率", SetBaud},
        {"--open", nullptr, "open the port at start", "启动后打开串口",
         [](TCommandLine& line, const QString&) {
             line.open = true;
             return QString();
         }},
        {"--plot", "decimal|hex",
         "start plotting at start: decimal (绘图其他) or hex (绘图[16进制])",
         "启动后开始绘图：decimal 为“绘图其他”，hex 为“绘图[16进制]”", SetPlot},
        {"--lang", "zh|en", "interface language this session: zh Chinese, en English",
         "本次界面语言：zh 为中文，en 为英文", SetLanguage},
        {"--help", nullptr, "show this help and exit", "显示本帮助后退出",
         [](TCommandLine& line, const QString&) {
             line.help = true;
             return QString();
         }},
        {"--version", nullptr, "show the version and exit", "显示版本后退出",
         [](TCommandLine& line, const QString&) {
             line.version = true;
             return QString();
         }},
    }};
    return options;
}

const TCommandOption* Find(const QString& name) {
    for (const TCommandOption& option : Options()) {
        if (name == QLatin1String(option.name)) {
            return &option;
        }
    }
    return nullptr;
}

}  // namespace

TCommandLineResult ParseCommandLine(const QStringList& arguments) {
    TCommandLineResult result;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        // "--baud=115200" and "--baud 115200" both work.
        QString name = arguments[i];
        std::optional<QString> value;
        if (const qsizetype equals = name.indexOf(QLatin1Char('=')); equals > 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        const TCommandOption* option = Find(name);
        if (option == nullptr) {
            result.error = QStringLiteral("unknown argument \"%1\"").arg(arguments[i]);
            return result;
        }
        if (option->argument == nullptr && value) {
            result.error = QStringLiteral("%1 takes no value").arg(name);
            return result;
        }
        if (option->argument != nullptr && !value) {
            if (i + 1 >= arguments.size()) {
                result.error = QStringLiteral("%1 needs %2").arg(name, option->argument);
                return result;
            }
            value = arguments[++i];
        }
        result.error = option->apply(result.line, value.value_or(QString()));
        if (!result.error.isEmpty()) {
            return result;
        }
    }
    return result;
}

QString CommandLineHelp() {
    QString text = QStringLiteral(
        "Usage: kelvane [OPTION]...\n"
        "用法：kelvane [选项]...\n"
        "A serial-port debugging terminal with a live waveform view.\n"
        "Without options every setting comes from setfile.ini.\n"
        "不带选项时，所有设置取自 setfile.ini。\n\n");
    for (const TCommandOption& option : Options()) {
        QString call = QString::fromLatin1(option.name);
        if (option.argument != nullptr) {
            call += QLatin1Char(' ') + QString::fromLatin1(option.argument);
        }
        text +=
            QStringLiteral("  %1\n      %2\n      %3\n")
                .arg(call, QString::fromUtf8(option.english), QString::fromUtf8(option.chinese));
    }
    return text;
}
