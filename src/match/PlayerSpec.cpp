// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlayerSpec.h"

#include "SearchSettings.h"

#include <QProcess>
#include <QRegularExpression>

namespace {
// More threads than any machine this runs on has cores.
constexpr int maxThreads = 64;

bool readNumber(const QString &text, int low, int high, int &value)
{
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= low && value <= high;
}

} // namespace

bool PlayerSpec::parse(const QString &text, int defaultSeconds, PlayerSpec &spec, QString *error)
{
    spec = PlayerSpec();
    spec.seconds = defaultSeconds;
    // Options are taken from the end, so that a command may hold commas of its own.
    static const QRegularExpression option(QStringLiteral(",(name|tc|threads)=([^,]*)$"));
    QString body = text;
    QStringList options;
    for (QRegularExpressionMatch found = option.match(body); found.hasMatch(); found = option.match(body)) {
        options.prepend(found.captured(0).mid(1));
        body.truncate(found.capturedStart());
    }
    if (!spec.readBody(body, error))
        return false;
    for (const QString &each : options)
        if (!spec.readOption(each, error))
            return false;
    if (spec.name.isEmpty())
        spec.name = body;
    return true;
}

bool PlayerSpec::readBody(const QString &body, QString *error)
{
    const QStringList parts = body.split(QLatin1Char(':'));
    const QString kindText = parts.first();
    if (kindText == QLatin1String("cpu") && parts.size() == 3
        && readNumber(parts[1], SearchSettings::minLevel, SearchSettings::maxLevel, level)
        && readNumber(parts[2], 0, Player::maxSeconds, seconds)) {
        kind = Kind::Cpu;
        return true;
    }
    int number = 0;
    if (kindText == QLatin1String("remote") && parts.size() == 2 && readNumber(parts[1], 1, 65535, number)) {
        kind = Kind::Remote;
        port = quint16(number);
        return true;
    }
    if (kindText == QLatin1String("cmd") && !body.mid(4).trimmed().isEmpty()) {
        kind = Kind::Command;
        command = body.mid(4);
        return true;
    }
    *error = QStringLiteral("player \"%1\": expected cpu:LEVEL:SECONDS (level %2 to %3, seconds 0 to %4), "
                            "cmd:COMMAND or remote:PORT")
                 .arg(body)
                 .arg(SearchSettings::minLevel)
                 .arg(SearchSettings::maxLevel)
                 .arg(Player::maxSeconds);
    return false;
}

bool PlayerSpec::readOption(const QString &option, QString *error)
{
    const QString value = option.section(QLatin1Char('='), 1);
    if (option.startsWith(QLatin1String("name="))) {
        name = value.trimmed();
        if (!name.isEmpty())
            return true;
    } else if (kind == Kind::Cpu && option.startsWith(QLatin1String("threads="))
               && readNumber(value, 1, maxThreads, threads)) {
        return true;
    } else if (kind != Kind::Cpu && option.startsWith(QLatin1String("tc="))
               && readNumber(value, 0, Player::maxSeconds, seconds)) {
        return true;
    }
    *error = QStringLiteral("player option \"%1\": name=TEXT, threads=N (1 to %2) for cpu: players, or "
                            "tc=SECONDS (0 to %3) for cmd: and remote: players")
                 .arg(option)
                 .arg(maxThreads)
                 .arg(Player::maxSeconds);
    return false;
}

SeatOptions PlayerSpec::seat() const
{
    SeatOptions seat;
    seat.kind = kind == Kind::Cpu ? PlayerKind::Cpu : PlayerKind::Socket;
    seat.timer = true;
    seat.seconds = seconds;
    seat.level = level;
    seat.threads = threads;
    return seat;
}

QStringList PlayerSpec::commandLine(quint16 port) const
{
    QStringList words = QProcess::splitCommand(command);
    for (QString &word : words)
        word.replace(QLatin1String("{port}"), QString::number(port));
    return words;
}
